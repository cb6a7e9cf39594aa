#include "tolv32dll/tariff/tariff_state.h"

#include <algorithm>
#include <memory>

#include "platform/os/parsed_files.h"

#include "tolv32dll/errors/result.h"

namespace tolv {
namespace {

// A factor-file load: it depends only on the file's bytes, the request and the options it
// starts from.
struct FactorLoad {
  FactorFileRequest request;
  FactorOptions before;
  FactorOptions after;
  FactorTables tables;
  ErrorNumber result = kOk;
};

// Parm_LoadFactorFile of factors, positioned at its start; left where it stands when a
// kept load is handed out.
ErrorNumber LoadFactors(const TariffStream& factors, const FactorFileRequest& request,
                        FactorOptions& options, FactorTables& tables) {
  const os::FileImagePtr& image = factors.image();
  if (auto kept = os::KeptParse<FactorLoad>(image);
      kept && kept->request == request && kept->before == options) {
    options = kept->after;
    tables = kept->tables;
    return kept->result;
  }
  if (!image) return Parm_LoadFactorFile(factors.get(), request, options, tables);
  auto load = std::make_shared<FactorLoad>();
  load->request = request;
  load->before = options;
  load->result = Parm_LoadFactorFile(factors.get(), request, options, tables);
  load->after = options;
  load->tables = tables;
  const ErrorNumber result = load->result;
  os::KeepParse<FactorLoad>(image, std::move(load));
  return result;
}

}  // namespace

ErrorNumber Tariff_LoadForRating(TariffState& state, const CurrentTariff& tariff) {
  state.options.ClearLists();
  TOLV_RETURN_IF_ERROR(state.files.TariffFile_OpenFactors(tariff));
  const TariffStream& factors = state.files.factors();
  TOLV_RETURN_IF_ERROR(
      LoadFactors(factors, FactorRequestFor(tariff), state.options, state.tables));
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
