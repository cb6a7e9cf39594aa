#include "tolv32dll/engine/data_set.h"

namespace tolv {

// The effective-date table first (203, 209), then the select table and the areas of
// tariff determination (102, 107, 101). The kind table is built into the engine.
ErrorNumber OpenDataSet(RatingEngine& engine) {
  engine.effective.set_directory(engine.effective_path);
  engine.effective.Clear();
  TOLV_RETURN_IF_ERROR(engine.effective.Load());
  // The TD files lie beside EFCREC.TBL.
  return engine.td.Load(engine.effective_path);
}

void CloseDataSet(RatingEngine& engine) {
  engine.current_tariff = CurrentTariff{};
  engine.tariff.files.CloseEverything();
  engine.effective.Clear();
  engine.effective.ReleaseAll();
}

}  // namespace tolv
