#include "tolv32dll/engine/thread_slot.h"

#include "tolv32dll/engine/data_set.h"

namespace tolv {

ThreadSlot::~ThreadSlot() {
  // Nobody can reach this engine once its thread is gone: close what it holds.
  if (engine) CloseDataSet(*engine);
}

ThreadSlot& CurrentThreadSlot() {
  thread_local ThreadSlot slot;
  return slot;
}

RatingEngine* CurrentEngine() { return CurrentThreadSlot().engine.get(); }

}  // namespace tolv
