// The Lite and add-on rate-basis methods 'E'-'M': they build a rate basis number from the
// Lite E base and matrix and the RBNO add-ons, choose a Lite table number, reload the
// tariff with that factor set and read the final rate record. The rate-basis dispatcher
// reaches them through RateBasisTerms::lite_steps (MakeLiteSteps).
#ifndef TOLV32DLL_ZIPTABLES_LITE_METHODS_H_
#define TOLV32DLL_ZIPTABLES_LITE_METHODS_H_

#include "tolv32dll/ratebasis/rate_basis_state.h"
#include "tolv32dll/ziptables/addon_steps.h"

namespace tolv {

// Runs method 'E' (letters 'E'-'H'), 'I', 'J', 'K' (years 92-95), 'L' or 'M'. A record that
// stays without a number ends with 119 (223 in 'I' and 'K').
ErrorNumber RunLiteSteps(char method, LiteContext& ctx);

// Method 'K' by the effective year of the tariff (92 and 93, 94, 95).
ErrorNumber RunYearMethod(LiteContext& ctx);

// True when the Lite record differs from the rate record's first 10 bytes.
bool DiffersFromFirstTen(const LiteWork& work, const RateRecord& record);

// What the hook needs besides the method's context; references must outlive the rating.
struct LiteEnvironment {
  ZipTableFiles& tables;
  std::vector<LiteTableRow>& lite_table;
  LiteWork& work;
  const HcityList* hcity = nullptr;
  std::function<Result<std::size_t>()> switch_to_companion;
  std::function<void(int kind, os::ByteSpan bytes)> log;
};
LiteSteps MakeLiteSteps(LiteEnvironment environment);
// One Lite method over an environment the caller keeps.
ErrorNumber RunLiteMethod(const LiteEnvironment& environment, char method, MethodContext& m);

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_LITE_METHODS_H_
