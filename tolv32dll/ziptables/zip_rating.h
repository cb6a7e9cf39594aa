// The ZIP-keyed tables in one rating: the Lite methods' hook for the rate-basis step, the
// reload with another factor set, and what the charge step asks of the tables (the ZIP
// pair's minimum-charge data, the class factor of the ".C" range, the amounts of a type
// "C" add-on record). One object per rating, over the engine's tariff file set.
#ifndef TOLV32DLL_ZIPTABLES_ZIP_RATING_H_
#define TOLV32DLL_ZIPTABLES_ZIP_RATING_H_

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "tolv32dll/points/point_state.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"
#include "tolv32dll/tariff/tariff_state.h"
#include "tolv32dll/ziptables/addon_steps.h"
#include "tolv32dll/ziptables/engine_zip_table_files.h"
#include "tolv32dll/ziptables/lite_methods.h"
#include "tolv32dll/ziptables/zip_pair.h"

namespace tolv {

// The minimum-charge data of a ZIP-pair record (bytes 25-39).
struct ZipPairCharges {
  int method = 0;
  int bracket_count = 0;
  char mode = ' ';
  std::array<std::int32_t, 4> values{};
};
ZipPairCharges ZipPairChargesOf(const ZipPairRecord& record);

// The two packed amounts (bytes 6-8 and 9-11) of the shipment's add-on record of type
// "C", when the Lite steps found one.
std::optional<std::array<std::int32_t, 2>> TypeCAmounts(const LiteWork& work);

class ZipRating {
 public:
  ZipRating(TariffState& tariff, const CurrentTariff& current,
            std::vector<LiteTableRow>& lite_table);
  // The Lite hook points into the object.
  ZipRating(const ZipRating&) = delete;
  ZipRating& operator=(const ZipRating&) = delete;

  // Sets the terms' Lite-method hook, whose steps switch to the tariff's companion through
  // switch_to_companion (empty: the tariff has none); the reload hook stays the caller's.
  // The hook is valid while this object lives.
  void Attach(RateBasisTerms& terms, std::function<Result<std::size_t>()> switch_to_companion);

  // The shipment's ZIP pair; none also when the tariff has no ".Z" file.
  std::optional<ZipPairCharges> ZipPair(const PointState& points, const RateRecord& record);
  // The class factor of the first ".C" range that holds an end; none without a range or
  // without the file.
  std::optional<std::int32_t> ClassRangeFactor(const PointState& points);
  const LiteWork& work() const { return work_; }
  ZipTableFiles& files() { return files_; }

 private:
  TariffState& tariff_;
  std::vector<LiteTableRow>& lite_table_;
  EngineZipTableFiles files_;
  LiteWork work_;
  std::optional<LiteEnvironment> lite_;  // what the Lite hook runs over, once attached
};

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ZIP_RATING_H_
