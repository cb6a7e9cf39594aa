#include "tolv32dll/tariff/tariff_state.h"

#include <algorithm>
#include <memory>

#include "platform/os/parsed_files.h"

#include "tolv32dll/errors/result.h"

namespace tolv {

// A factor-file load: it depends only on the file's bytes, the request and the options it
// starts from.
struct FactorLoad {
  FactorFileRequest request;
  FactorOptions before;
  FactorOptions after;
  FactorTables tables;
  ErrorNumber result = kOk;
};

namespace {

// The kept tables copied over the state's, leaving out the grids when the state already
// holds this load's.
void CopyTables(const std::shared_ptr<const FactorLoad>& kept, TariffState& state) {
  if (state.grids_from == kept) {
    const FactorTables& from = kept->tables;
    FactorTables& to = state.tables;
    to.class_count = from.class_count;
    to.class_codes = from.class_codes;
    to.break_count = from.break_count;
    to.weight_breaks = from.weight_breaks;
    to.block_count = from.block_count;
    to.block_numbers = from.block_numbers;
    return;
  }
  state.tables = kept->tables;
  state.grids_from = kept;
}

// A member added to FactorTables must join the copy above.
static_assert(sizeof(FactorTables) == 4748);

// Parm_LoadFactorFile of the factor file, positioned at its start; left where it stands
// when a kept load is handed out.
ErrorNumber LoadFactors(TariffState& state, const FactorFileRequest& request) {
  const TariffStream& factors = state.files.factors();
  const os::FileImagePtr& image = factors.image();
  if (auto kept = os::KeptParse<FactorLoad>(image);
      kept && kept->request == request && kept->before == state.options) {
    state.options = kept->after;
    CopyTables(kept, state);
    return kept->result;
  }
  state.grids_from = nullptr;
  if (!image) return Parm_LoadFactorFile(factors.get(), request, state.options, state.tables);
  auto load = std::make_shared<FactorLoad>();
  load->request = request;
  load->before = state.options;
  load->result = Parm_LoadFactorFile(factors.get(), request, state.options, state.tables);
  load->after = state.options;
  load->tables = state.tables;
  const ErrorNumber result = load->result;
  state.grids_from = load;
  os::KeepParse<FactorLoad>(image, std::move(load));
  return result;
}

}  // namespace

ErrorNumber Tariff_LoadForRating(TariffState& state, const CurrentTariff& tariff) {
  state.options.ClearLists();
  TOLV_RETURN_IF_ERROR(state.files.TariffFile_OpenFactors(tariff));
  TOLV_RETURN_IF_ERROR(LoadFactors(state, FactorRequestFor(tariff)));
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
  state.grids_from = nullptr;
  TOLV_RETURN_IF_ERROR(state.files.TariffFile_OpenFactors(tariff));
  ErrorNumber result = Parm_LoadFactorFile(state.files.factors().get(), FactorRequestFor(tariff),
                                           state.options, state.tables);
  state.files.CloseFactors();
  return result;
}

}  // namespace tolv
