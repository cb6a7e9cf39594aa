#include "tolv32dll/driver/tariff_choice.h"

#include "tolv32dll/driver/engine_rating_files.h"
#include "tolv32dll/ratebasis/kind_table.h"
#include "tolv32dll/ratebasis/methods.h"

namespace tolv {
namespace {

// The tariff number the twins of lane-point tariffs are filed under.
constexpr std::int16_t kTwinTariffNumber = 2;

bool LookupMissed(ErrorNumber e) { return e == kErrBadorg || e == kErrBaddst || e == kErrBadcmb; }

ErrorNumber OpenLanePoints(RatingEngine& engine) {
  engine.tariff.files.TariffFiles_CloseAll(engine.current_tariff);
  EngineRatingFiles files(engine.tariff.files, engine.current_tariff, engine.work.points);
  return RateFile_OpenIndexAndPoints(files, engine.work.points);
}

}  // namespace

Result<TypeFactors> SelectTariffType(RatingEngine& engine, ListRequest& list) {
  const CurrentTariff& current = engine.current_tariff;
  engine.tariff.files.TariffFiles_CloseAll(current);
  std::optional<KindRow> row = FindKindRow(current.point_type);
  if (!row) return Result<TypeFactors>::Error(kErrTyptar);
  EngineRatingFiles files(engine.tariff.files, current, engine.work.points);
  RateBasisTerms terms;
  terms.tariff = current;
  RateBasisState state;
  MethodContext ctx{files, terms, engine.work.points, list, state, row->index_bits,
                    static_cast<std::size_t>(row->record_length)};
  const ErrorNumber read = RunCommonSkeleton(ctx, false, false);
  if (read != kOk) return Result<TypeFactors>::Error(read);
  TypeFactors type;
  for (std::size_t i = 0; i < type.factors.size(); ++i) {
    const std::int32_t v = state.record.Value(static_cast<std::int64_t>(i));
    type.set = type.set || v != 0;
    // A type that gives no factor for a group leaves its amounts as they are.
    if (v != 0) type.factors[i] = v;
  }
  return type;
}

ErrorNumber ReselectLanePointTariff(RatingEngine& engine, const TariffDate& ship_date) {
  const ErrorNumber found = OpenLanePoints(engine);
  if (found == kOk) return kOk;
  TariffNameText twin = engine.current_tariff.tariff_name;
  if (!LookupMissed(found) || twin[5] == 'N') return found;
  engine.determination.kind_filter = 'N';
  twin[7] = 'N';
  const std::vector<EffectiveEntry>& entries = engine.effective.entries();
  for (std::size_t i = entries.size(); i-- > 0;) {
    const EffectiveEntry& e = entries[i];
    if (e.tariff_number != kTwinTariffNumber || e.name != twin ||
        e.date.Key() > ship_date.Key()) {
      continue;
    }
    TOLV_RETURN_IF_ERROR(engine.effective.Select(static_cast<int>(i), &engine.current_tariff));
    return OpenLanePoints(engine);
  }
  return kOk;
}

ErrorNumber Tariff_ReloadWithFactorSet(RatingEngine& engine, int factor_set) {
  if (factor_set == engine.current_tariff.tariff_number) return kOk;
  CurrentTariff reload = engine.current_tariff;
  reload.tariff_number = static_cast<std::int16_t>(factor_set);
  return Tariff_LoadForRating(engine.tariff, reload);
}

}  // namespace tolv
