#include "tolv32dll/engine/data_set.h"

#include "platform/os/file_lookup.h"

namespace tolv {

// For now the data set is the presence of EFCREC.TBL; the effective-date table's loader,
// the kind table and the tariff-determination tables take over this function's body.
ErrorNumber OpenDataSet(RatingEngine& engine) {
  if (!os::FindFileNoCase(engine.effective_path, "EFCREC.TBL")) return kErrEfcopn;
  return kOk;
}

void CloseDataSet(RatingEngine& engine) {
  engine.current_tariff = CurrentTariff{};
  if (engine.effective_mutex) {
    while (engine.effective_mutex->owned()) engine.effective_mutex->Release();
  }
}

}  // namespace tolv
