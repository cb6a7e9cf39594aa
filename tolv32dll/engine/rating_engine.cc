#include "tolv32dll/engine/rating_engine.h"

#include "tolv32dll/engine/engine_version.h"

namespace tolv {

RatingEngine::RatingEngine()
    : effective_mutex(os::NamedMutex::Open(kEffectiveMutexName)),
      revision(EngineRevisionText()),
      lite_table(DefaultLiteTable()) {}

RatingEngine::~RatingEngine() {
  // An engine that goes away holding the table's lock gives it back, so other engines and
  // processes are not left waiting an hour.
  if (effective_mutex) {
    while (effective_mutex->owned()) effective_mutex->Release();
  }
}

}  // namespace tolv
