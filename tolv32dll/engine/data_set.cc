#include "tolv32dll/engine/data_set.h"

namespace tolv {

// The effective-date table decides for now; the kind table and the tariff-determination
// tables (TDS.SEQ, TDA.SEQ) join here.
ErrorNumber OpenDataSet(RatingEngine& engine) {
  engine.effective.set_directory(engine.effective_path);
  engine.effective.Clear();
  return engine.effective.Load();
}

void CloseDataSet(RatingEngine& engine) {
  engine.current_tariff = CurrentTariff{};
  engine.tariff.files.CloseEverything();
  engine.effective.Clear();
  engine.effective.ReleaseAll();
}

}  // namespace tolv
