// The calling thread's identifier as the kernel numbers threads, used where a log names the
// writing thread.
#ifndef FRELANE_PLATFORM_OS_THREAD_ID_H_
#define FRELANE_PLATFORM_OS_THREAD_ID_H_

#include <cstdint>

namespace os {

// Unique among the live threads of the system; 32 bits, the width of a log's thread field.
std::int32_t CurrentThreadId();

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_THREAD_ID_H_
