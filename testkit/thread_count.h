// The threads of this process, for tests that a library takes the threads it started with
// it when unloaded.
#ifndef TESTKIT_THREAD_COUNT_H_
#define TESTKIT_THREAD_COUNT_H_

#include <dirent.h>

#include <chrono>
#include <thread>

namespace testkit {

inline int ThreadCount() {
  int n = 0;
  if (DIR* tasks = ::opendir("/proc/self/task")) {
    while (const dirent* entry = ::readdir(tasks)) n += entry->d_name[0] != '.';
    ::closedir(tasks);
  }
  return n;
}

// The count once it has come to `expected`, or after a few seconds whatever it is: a thread
// joined a moment ago may stay listed a little longer.
inline int ThreadCountOnceSettledAt(int expected) {
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int n = ThreadCount();
  while (n != expected && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    n = ThreadCount();
  }
  return n;
}

}  // namespace testkit

#endif  // TESTKIT_THREAD_COUNT_H_
