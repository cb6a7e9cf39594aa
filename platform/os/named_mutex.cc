#include "platform/os/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/os/file_lookup.h"
#include "platform/os/process_state.h"

namespace os {
namespace {

// How often a waiter looks again at a lock another process holds: at first soon, then
// less often, up to the longest interval.
constexpr std::chrono::microseconds kFirstPollInterval{50};
constexpr std::chrono::microseconds kLongestPollInterval{5000};

// Opens the lock file, creating it readable and writable by all when it is missing. An
// existing file is opened without O_CREAT: a file of another user in a sticky directory
// may be refused to O_CREAT even where its mode would allow it.
int OpenLockFile(const std::string& path) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) return fd;
    if (errno == EACCES || errno == EPERM) {
      // Read-only is enough to lock; only the owner's mark goes unwritten.
      return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    if (errno != ENOENT) return -1;
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      // The umask took bits away from the mode asked for.
      ::fchmod(fd, 0666);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

}  // namespace

// The waiters of this process on one lock file: one of them at a time goes on to the file
// lock. Freed only with the code (see process_state.h): a mutex object may outlive the
// statics otherwise.
struct NamedMutex::Gate {
  std::mutex mu;
  std::condition_variable cv;
  bool held = false;
  pid_t pid = 0;  // a child made by fork starts with the gate open
};

namespace {

struct Gates {
  std::mutex mu;
  std::unordered_map<std::string, std::unique_ptr<NamedMutex::Gate>> by_path;
};
constinit ProcessWide<Gates> gates;

}  // namespace

NamedMutex::Gate* NamedMutex::GateOf(const std::string& lock_path) {
  Gates& all = gates.Get();
  std::lock_guard<std::mutex> lock(all.mu);
  std::unique_ptr<NamedMutex::Gate>& gate = all.by_path[lock_path];
  if (gate == nullptr) gate = std::make_unique<NamedMutex::Gate>();
  return gate.get();
}

NamedMutex::NamedMutex(int fd, std::string lock_path)
    : fd_(fd), lock_path_(std::move(lock_path)), gate_(GateOf(lock_path_)) {}

std::string TempDirectory() {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = (tmp != nullptr && tmp[0] != '\0') ? tmp : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::unique_ptr<NamedMutex> NamedMutex::Open(std::string_view name) {
  if (!IsSafeFileName(name)) return nullptr;
  std::string path = JoinPath(TempDirectory(), std::string(name) + ".lock");
  int fd = OpenLockFile(path);
  if (fd < 0) return nullptr;
  return std::unique_ptr<NamedMutex>(new NamedMutex(fd, std::move(path)));
}

NamedMutex::~NamedMutex() {
  // Closing drops the lock; an owner leaves its mark behind, so the next waiter learns
  // that the mutex was abandoned.
  ::close(fd_);
  if (depth_ > 0) OpenGate();
}

void NamedMutex::OpenGate() {
  {
    std::lock_guard<std::mutex> lock(gate_->mu);
    gate_->held = false;
  }
  gate_->cv.notify_one();
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
  {
    std::unique_lock<std::mutex> lock(gate_->mu);
    if (gate_->pid != ::getpid()) {
      gate_->pid = ::getpid();
      gate_->held = false;
    }
    if (!gate_->cv.wait_until(lock, deadline, [this] { return !gate_->held; })) {
      return WaitResult::kTimeout;
    }
    gate_->held = true;
  }
  std::chrono::microseconds interval = kFirstPollInterval;
  for (;;) {
    bool abandoned = false;
    if (TryLock(&abandoned)) {
      depth_ = 1;
      return abandoned ? WaitResult::kAbandoned : WaitResult::kAcquired;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      OpenGate();
      return WaitResult::kFailed;
    }
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      OpenGate();
      return WaitResult::kTimeout;
    }
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(interval, deadline - now));
    interval = std::min(interval * 2, kLongestPollInterval);
  }
}

bool NamedMutex::Release() {
  if (depth_ == 0) return false;
  if (--depth_ > 0) return true;
  if (::ftruncate(fd_, 0) != 0) {
    // The lock is released anyway; the next owner will see it as abandoned.
  }
  ::flock(fd_, LOCK_UN);
  OpenGate();
  return true;
}

}  // namespace os
