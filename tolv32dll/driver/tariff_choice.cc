#include "tolv32dll/driver/tariff_choice.h"

#include <optional>

#include "tolv32dll/determination/tariff_determination.h"
#include "tolv32dll/driver/engine_rating_files.h"
#include "tolv32dll/ratebasis/kind_table.h"
#include "tolv32dll/ratebasis/methods.h"

namespace tolv {
namespace {

// The tariff number the twins of lane-point tariffs are filed under.
constexpr std::int16_t kTwinTariffNumber = 2;
// The tariff number companions named by their code are filed under.
constexpr std::int16_t kCompanionTariffNumber = 2;

bool LookupMissed(ErrorNumber e) { return e == kErrBadorg || e == kErrBaddst || e == kErrBadcmb; }

// The last entry under the number with the name, in force on the ship date.
std::optional<std::size_t> LatestInForce(const std::vector<EffectiveEntry>& entries,
                                         std::int16_t number, const TariffNameText& name,
                                         const TariffDate& ship_date) {
  for (std::size_t i = entries.size(); i-- > 0;) {
    const EffectiveEntry& e = entries[i];
    if (e.tariff_number == number && e.name == name && e.date.Key() <= ship_date.Key()) return i;
  }
  return std::nullopt;
}

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
  twin[7] = 'N';
  const std::optional<std::size_t> i =
      LatestInForce(engine.effective.entries(), kTwinTariffNumber, twin, ship_date);
  if (!i) return kOk;
  TOLV_RETURN_IF_ERROR(engine.effective.Select(static_cast<int>(*i), &engine.current_tariff));
  return OpenLanePoints(engine);
}

Result<std::size_t> Tariff_SwitchToCompanion(RatingEngine& engine, std::string_view code,
                                             const CompanionRequest& request) {
  CurrentTariff& current = engine.current_tariff;
  TariffNameText name = current.tariff_name;
  for (std::size_t k = 0; k < 2; ++k) name[6 + k] = k < code.size() ? code[k] : ' ';
  if (TextOf(current.companion_code) == "00") {
    const std::optional<std::size_t> found =
        LatestInForce(engine.effective.entries(), kCompanionTariffNumber, name, request.ship_date);
    if (found) {
      const EffectiveEntry key = engine.effective.entries()[*found];
      // The last candidate selected stands.
      for (std::size_t i = 0; i < engine.effective.entries().size(); ++i) {
        const EffectiveEntry e = engine.effective.entries()[i];  // selecting may reload
        if (!Tariff_CandidateMatches(key, e, request.canadian, request.tariff_name)) continue;
        const ErrorNumber selected = engine.effective.Select(static_cast<int>(i), &current);
        if (selected != kOk) return Result<std::size_t>::Error(selected);
      }
    }
  } else {
    current.tariff_name[6] = current.companion_code[0];
    current.tariff_name[7] = current.companion_code[1];
    current.point_type = current.companion_point_type;
  }
  TariffFileSet& files = engine.tariff.files;
  files.TariffFiles_MarkOpen(current);
  files.CloseRates();
  if (const ErrorNumber e = files.TariffFile_OpenRates(current); e != kOk) {
    return Result<std::size_t>::Error(e);
  }
  if (const ErrorNumber e = Tariff_LoadForRating(engine.tariff, current); e != kOk) {
    return Result<std::size_t>::Error(e);
  }
  const std::optional<KindRow> row = FindKindRow(current.point_type);
  if (!row) return Result<std::size_t>::Error(kErrTyptar);
  return static_cast<std::size_t>(row->record_length);
}

ErrorNumber Tariff_ReloadWithFactorSet(RatingEngine& engine, int factor_set) {
  if (factor_set == engine.current_tariff.tariff_number) return kOk;
  CurrentTariff reload = engine.current_tariff;
  reload.tariff_number = static_cast<std::int16_t>(factor_set);
  return Tariff_LoadForRating(engine.tariff, reload);
}

}  // namespace tolv
