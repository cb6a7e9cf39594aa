// The calling thread's slot: its engine, if any, and whether the service guide has been
// initialised for the thread. A thread gets its slot at its first engine call; when the
// thread ends, an engine it still has is ended as the end call would end it. The slot holds
// the process-wide state for its thread, so that it is given back once every thread that
// used the library has ended and the library is unloaded.
#ifndef TOLV32DLL_ENGINE_THREAD_SLOT_H_
#define TOLV32DLL_ENGINE_THREAD_SLOT_H_

#include <memory>

#include "platform/os/process_state.h"
#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/servguide/service_guide_thread.h"

namespace tolv {

struct ThreadSlot {
  // First, so that it goes last: what the engine lets go of as it ends still stands.
  os::ProcessStateHold process_state;
  std::unique_ptr<RatingEngine> engine;
  ServiceGuideThread service_guide;
  int calls_in_progress = 0;  // see ExportCall
  bool end_pending = false;

  ThreadSlot() = default;
  ~ThreadSlot();
  ThreadSlot(const ThreadSlot&) = delete;
  ThreadSlot& operator=(const ThreadSlot&) = delete;
};

// The calling thread's slot.
ThreadSlot& CurrentThreadSlot();

// One export call of the calling thread, from its start to its return. A call made while
// another runs on the same thread (a notify callback calling back into the library) is
// nested: the engine is busy under the outer call, so the nested call finds none, and an
// end asked for meanwhile (EndWhenOutermostReturns) is done as the outermost call returns.
class ExportCall {
 public:
  ExportCall();
  ~ExportCall();
  ExportCall(const ExportCall&) = delete;
  ExportCall& operator=(const ExportCall&) = delete;

  bool nested() const { return slot_.calls_in_progress > 1; }
  ThreadSlot& slot() { return slot_; }
  // Ends the thread's engine now, or, in a nested call, once the outermost call returns
  // (the engine is found no more from now on). False when the thread has no engine.
  bool EndWhenOutermostReturns();

 private:
  ThreadSlot& slot_;
};

// The calling thread's engine, or null when it has none, when its end is pending, or when
// the export call in hand is nested.
RatingEngine* CurrentEngine();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_THREAD_SLOT_H_
