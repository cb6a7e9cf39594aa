#include "tolv32dll/engine/thread_slot.h"

#include "tolv32dll/engine/data_set.h"
#include "tolv32dll/engine/initialize.h"

namespace tolv {

ThreadSlot::~ThreadSlot() {
  // Nobody can reach this engine once its thread is gone: close what it holds.
  if (engine) CloseDataSet(*engine);
}

ThreadSlot& CurrentThreadSlot() {
  thread_local ThreadSlot slot;
  return slot;
}

RatingEngine* CurrentEngine() {
  ThreadSlot& slot = CurrentThreadSlot();
  if (slot.end_pending || slot.calls_in_progress > 1) return nullptr;
  return slot.engine.get();
}

ExportCall::ExportCall() : slot_(CurrentThreadSlot()) { ++slot_.calls_in_progress; }

ExportCall::~ExportCall() {
  if (--slot_.calls_in_progress > 0 || !slot_.end_pending) return;
  slot_.end_pending = false;
  try {
    EndThreadEngine(slot_);
  } catch (...) {
    // The engine is gone either way; nothing may leave an export.
  }
}

bool ExportCall::EndWhenOutermostReturns() {
  if (!slot_.engine || slot_.end_pending) return false;
  if (nested()) {
    slot_.end_pending = true;
    return true;
  }
  return EndThreadEngine(slot_);
}

}  // namespace tolv
