#include "platform/os/process_state.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace os {
namespace {

constinit std::atomic<long> holds{0};
constinit std::atomic<bool> ever_held{false};

}  // namespace

ProcessStateHold::ProcessStateHold() {
  holds.fetch_add(1, std::memory_order_relaxed);
  ever_held.store(true, std::memory_order_relaxed);
}

ProcessStateHold::~ProcessStateHold() { holds.fetch_sub(1, std::memory_order_acq_rel); }

bool ProcessStateFreeable() {
  return holds.load(std::memory_order_acquire) == 0 && ever_held.load(std::memory_order_relaxed);
}

void KeptForTheProcess([[maybe_unused]] const void* p) {
#if defined(__SANITIZE_ADDRESS__)
  __lsan_ignore_object(p);
#endif
}

}  // namespace os
