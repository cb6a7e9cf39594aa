// The calling thread's identifier as the kernel numbers threads: the stand-in for asking
// Windows for the current thread id, used where a log names the writing thread.
#ifndef FRELANE_PLATFORM_OS_THREAD_ID_H_
#define FRELANE_PLATFORM_OS_THREAD_ID_H_

#include <cstdint>

namespace os {

// Unique among the live threads of the system; a 32-bit number like a Windows thread id.
std::int32_t CurrentThreadId();

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_THREAD_ID_H_
