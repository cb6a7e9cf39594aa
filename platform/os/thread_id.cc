#include "platform/os/thread_id.h"

#include <sys/syscall.h>
#include <unistd.h>

namespace os {

std::int32_t CurrentThreadId() {
  // Linux thread ids are pid_t, which is 32 bits.
  return static_cast<std::int32_t>(::syscall(SYS_gettid));
}

}  // namespace os
