// A mutex shared by every process of the machine that opens the same name: an flock on a
// lock file in the system temporary directory. Recursive per object: the owner may wait
// again and must release as often as it acquired. One object serves one thread.
//
// The lock file is readable and writable by everyone (whatever the umask), so that every
// user who shares the temporary directory locks the same file; one that can only read it
// still locks it. Waiters of one process block until the holder of that process releases;
// a lock held by another process is tried again at short, growing intervals.
//
// "Abandoned" means the previous owner went away holding the lock (its process died, or
// its object was destroyed without releasing) and the kernel let the lock go; the waiter
// then owns the mutex, as with an acquired one, and should distrust what it guards.
#ifndef FRELANE_PLATFORM_OS_NAMED_MUTEX_H_
#define FRELANE_PLATFORM_OS_NAMED_MUTEX_H_

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace os {

class NamedMutex {
 public:
  enum class WaitResult { kAcquired, kAbandoned, kTimeout, kFailed };

  // Opens (creating when needed) the lock file of name in the temporary directory ($TMPDIR,
  // else /tmp). Null when name is not a safe file name or the file cannot be opened.
  static std::unique_ptr<NamedMutex> Open(std::string_view name);

  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Waits at most timeout for the mutex. An owner acquires again at once.
  WaitResult Wait(std::chrono::milliseconds timeout);
  // Gives up one acquisition; the last one unlocks. False when this object does not own it.
  bool Release();

  bool owned() const { return depth_ > 0; }
  const std::string& lock_path() const { return lock_path_; }

  // The waiters of this process on one lock file (known to named_mutex.cc only).
  struct Gate;

 private:
  static Gate* GateOf(const std::string& lock_path);
  NamedMutex(int fd, std::string lock_path);
  // Tries once to take the lock; on success tells whether the last owner abandoned it.
  bool TryLock(bool* abandoned);
  // Lets the next waiter of this process in.
  void OpenGate();

  int fd_;
  std::string lock_path_;
  Gate* gate_;
  int depth_ = 0;
};

// The system temporary directory, without a trailing "/".
std::string TempDirectory();

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_NAMED_MUTEX_H_
