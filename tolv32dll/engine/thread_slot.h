// The calling thread's slot: its engine, if any, and whether the service guide has been
// initialised for the thread. A thread gets its slot at its first engine call; when the
// thread ends, an engine it still has is ended as the end call would end it.
#ifndef TOLV32DLL_ENGINE_THREAD_SLOT_H_
#define TOLV32DLL_ENGINE_THREAD_SLOT_H_

#include <memory>

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/servguide/service_guide_thread.h"

namespace tolv {

struct ThreadSlot {
  std::unique_ptr<RatingEngine> engine;
  ServiceGuideThread service_guide;

  ThreadSlot() = default;
  ~ThreadSlot();
  ThreadSlot(const ThreadSlot&) = delete;
  ThreadSlot& operator=(const ThreadSlot&) = delete;
};

// The calling thread's slot.
ThreadSlot& CurrentThreadSlot();

// The calling thread's engine, or null when it has none.
RatingEngine* CurrentEngine();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_THREAD_SLOT_H_
