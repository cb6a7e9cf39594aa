#include "platform/os/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/os/file_lookup.h"

namespace os {
namespace {

// How often a waiter looks again; short enough for a lock held a few milliseconds.
constexpr std::chrono::milliseconds kPollInterval{5};

}  // namespace

std::string TempDirectory() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = (tmp != nullptr && tmp[0] != '\0') ? tmp : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::unique_ptr<NamedMutex> NamedMutex::Open(std::string_view name) {
  if (!IsSafeFileName(name)) return nullptr;
  std::string path = JoinPath(TempDirectory(), std::string(name) + ".lock");
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  return std::unique_ptr<NamedMutex>(new NamedMutex(fd, std::move(path)));
}

NamedMutex::~NamedMutex() {
  // Closing drops the lock; an owner leaves its mark behind, so the next waiter learns
  // that the mutex was abandoned.
  ::close(fd_);
}

bool NamedMutex::TryLock(bool* abandoned) {
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return false;
  // An owner writes its process id into the file and clears it when it releases; a mark
  // found on taking the lock is that of an owner that never released.
  char mark[1];
  *abandoned = ::pread(fd_, mark, sizeof(mark), 0) > 0;
  std::string pid = std::to_string(::getpid());
  if (::ftruncate(fd_, 0) != 0 ||
      ::pwrite(fd_, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
    // Without its mark the lock still excludes; only abandonment goes unseen.
  }
  return true;
}

NamedMutex::WaitResult NamedMutex::Wait(std::chrono::milliseconds timeout) {
  if (depth_ > 0) {
    ++depth_;
    return WaitResult::kAcquired;
  }
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    bool abandoned = false;
    if (TryLock(&abandoned)) {
      depth_ = 1;
      return abandoned ? WaitResult::kAbandoned : WaitResult::kAcquired;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return WaitResult::kFailed;
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return WaitResult::kTimeout;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(kPollInterval, deadline - now));
  }
}

bool NamedMutex::Release() {
  if (depth_ == 0) return false;
  if (--depth_ > 0) return true;
  if (::ftruncate(fd_, 0) != 0) {
    // The lock is released anyway; the next owner will see it as abandoned.
  }
  ::flock(fd_, LOCK_UN);
  return true;
}

}  // namespace os
