// Tariff determination: which tariff applies to a shipment. A tariff named in full is
// taken from the effective-date table; otherwise the TD files give, for the pair of
// origin and destination codes, the tariff groups that cover them, which are then
// narrowed by jurisdiction and exceptions, and the tariff in force on the ship date is
// chosen among them. The outcome is the selected current tariff, the two state codes and
// the groups, or an error number.
#ifndef TOLV32DLL_DETERMINATION_TARIFF_DETERMINATION_H_
#define TOLV32DLL_DETERMINATION_TARIFF_DETERMINATION_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KMLIB/td_text_files.h"
#include "platform/os/file_cache.h"
#include "tolv32dll/determination/determination_state.h"
#include "tolv32dll/determination/td_data_set.h"
#include "tolv32dll/effective/effective_table.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/tariff/current_tariff.h"

namespace tolv {

// What determination works with: the engine's TD data and effective table, and the
// choices it may hand to the caller.
struct DeterminationContext {
  TdDataSet& data;
  std::string_view data_dir;  // where the TD files lie; outlives the context
  EffectiveTable& effective;
  CurrentTariff& current;
  // The request's cities, list mode and the caller's candidate list, for a choice among
  // tariffs of different names or among the exception names of a point; a null buffer in
  // it (or no request at all) means the caller cannot choose.
  ListRequest* list_request = nullptr;
};

// Runs the determination for pass 1 or 2: 0 or an error number.
ErrorNumber DetermineTariff(int pass, const DeterminationRequest& request,
                            DeterminationContext& context, DeterminationState* state);

// Whether entry b is a candidate beside entry a: the same tariff number, date, jurisdiction
// letter and kind; b of the shipment's jurisdiction (a Canadian shipment needs a 'C' entry,
// any other must not have one, a bureau entry of point type 'Y' always passes); and, when
// a tariff is requested by name, the two names agreeing over that name's length.
bool Tariff_CandidateMatches(const EffectiveEntry& a, const EffectiveEntry& b, bool canadian,
                             std::string_view requested_name);

// The TD version in force on the ship date: 130 (no TDV.SEQ), 131 (no line or a
// malformed one), 122 (no version that early).
Result<std::uint8_t> ReadTdVersion(TdFiles& files, std::string_view dir,
                                   const TariffDate& ship_date);

// The state or province of one 6-character code: "MX" for a code whose sixth character
// is 'M', else from the TD files; nullopt when the code is not found.
std::optional<StateCode> LookupState(const TdDataSet& data, std::string_view dir,
                                     std::string_view zip);

}  // namespace tolv

#endif  // TOLV32DLL_DETERMINATION_TARIFF_DETERMINATION_H_
