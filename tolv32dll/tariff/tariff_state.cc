#include "tolv32dll/tariff/tariff_state.h"

#include <algorithm>

#include "tolv32dll/errors/result.h"

namespace tolv {

ErrorNumber Tariff_LoadForRating(TariffState& state, const CurrentTariff& tariff) {
  state.options.ClearLists();
  TOLV_RETURN_IF_ERROR(state.files.TariffFile_OpenFactors(tariff));
  const TariffStream& factors = state.files.factors();
  TOLV_RETURN_IF_ERROR(state.factor_loads.Load(factors.image(), factors.get(),
                                               FactorRequestFor(tariff), state.options,
                                               state.tables));
  // Only the first 19 classes are priced into the rate matrix.
  int priced = std::min<int>(state.tables.class_count, kPricedClasses);
  if (priced * state.tables.break_count > kRateMatrixCells) return kErrFacred;
  if (WeightTypesCurrent(tariff, state.weight_types)) {
    return Tariff_LoadWeightTypes(tariff, nullptr, state.weight_types, state.tables);
  }
  ErrorNumber opened = state.files.TariffFile_OpenWeightTypes(tariff);
  ErrorNumber result =
      Tariff_LoadWeightTypes(tariff, opened == kOk ? state.files.weight_types().get() : nullptr,
                             state.weight_types, state.tables);
  state.files.CloseWeightTypes();
  return result;
}

ErrorNumber Tariff_LoadFactorTables(TariffState& state, const CurrentTariff& tariff) {
  state.files.CloseFactors();
  TOLV_RETURN_IF_ERROR(state.files.TariffFile_OpenFactors(tariff));
  ErrorNumber result = Parm_LoadFactorFile(state.files.factors().get(), FactorRequestFor(tariff),
                                           state.options, state.tables);
  state.files.CloseFactors();
  return result;
}

}  // namespace tolv
