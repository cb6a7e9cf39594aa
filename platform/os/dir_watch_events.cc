// The events: read from the inotify queue (by the watcher thread as they come, or by a
// reader's own call) and taken in, each breaking the marks it may touch.
#include <errno.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "platform/os/dir_watch_internal.h"

namespace os {
using namespace dir_watch_internal;

namespace {

// REQUIRES: w.mu held.
void TakeIn(Watcher& w, const inotify_event& event) {
  if (event.mask & IN_Q_OVERFLOW) {
    ++w.overflows;
    TouchAll(w);
    ForgetFailedSetups(w);
    return;
  }
  // Events of watches no longer kept (those a failed set-up took back) tell nothing.
  auto it = w.nodes.find(event.wd);
  if (it == w.nodes.end()) return;
  Node& node = it->second;
  if (node.file_of.empty() && (event.mask & ~(IN_MODIFY | IN_CLOSE_WRITE)) != 0) {
    // A name come or gone in a watched directory, or its attributes, may let a failed
    // set-up succeed.
    ForgetFailedSetups(w);
  }
  if (!node.file_of.empty()) {
    // A watched file: whatever it reports may change what it holds.
    for (Dir* dir : node.file_of) dir->Touch();
    if (event.mask & IN_IGNORED) {
      --w.file_watches;
      w.nodes.erase(it);
    }
    return;
  }
  if (event.mask & IN_IGNORED) {
    // The watch is gone (the directory was removed or its file system unmounted).
    for (Dir* dir : node.dirs) dir->Lose();
    for (auto& step : node.path) step.second->Lose();
    w.nodes.erase(it);
    return;
  }
  const std::string_view name =
      event.len == 0 ? std::string_view()
                     : std::string_view(event.name, ::strnlen(event.name, event.len));
  if (name.empty()) {
    // The directory itself changed: moved or removed, or its attributes.
    const bool lost = (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT)) != 0;
    for (Dir* dir : node.dirs) lost ? dir->Lose() : dir->Touch();
    for (auto& step : node.path) lost ? step.second->Lose() : step.second->Touch();
    return;
  }
  const bool content_only = (event.mask & ~kContentEvents & ~IN_ISDIR) == 0;
  for (Dir* dir : node.dirs) {
    if (!content_only || dir->Marked(name)) dir->Touch();
  }
  for (auto& [step, dir] : node.path) {
    if (step != name) continue;
    content_only ? dir->Touch() : dir->Lose();
  }
}

}  // namespace

namespace dir_watch_internal {

void Drain(Watcher& w, std::uint64_t arrival) {
  std::lock_guard<std::mutex> lock(w.mu);
  // A drain that began after this call arrived has read every event queued before it.
  if (w.drains.load(std::memory_order_relaxed) != arrival) return;
  DrainHeld(w);
}

void DrainHeld(Watcher& w) {
  w.drains.fetch_add(1, std::memory_order_release);
  struct Draining {
    std::atomic<bool>& flag;
    explicit Draining(std::atomic<bool>& f) : flag(f) { flag.store(true); }
    ~Draining() { flag.store(false); }
  } draining(w.draining);
  alignas(inotify_event) char buffer[16 * 1024];
  for (;;) {
    ssize_t got = ::read(w.fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      // Nothing more queued (EAGAIN); any other failure is treated as lost events.
      if (got < 0 && errno != EAGAIN) TouchAll(w);
      return;
    }
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      TakeIn(w, *event);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

}  // namespace dir_watch_internal

void CatchUpWithChanges() {
  Watcher& w = TheWatcher();
  const int fd = w.shared_fd.load(std::memory_order_acquire);
  if (fd < 0) return;
  // Without the thread, the stamps are compared here when due.
  if (!ChangesArriveByThemselves()) CheckStampsWhenDue(w);
  // Nothing queued and nothing being taken in (the usual case) is told without the lock, so
  // threads do not meet here. Events another thread has read but not yet taken in are
  // waited for under the lock.
  int queued = 0;
  if (::ioctl(fd, FIONREAD, &queued) == 0 && queued == 0 && !w.draining.load()) return;
  Drain(w, w.drains.load(std::memory_order_acquire));
}

bool ChangesArriveByThemselves() {
  const Watcher& w = TheWatcher();
  return w.watching_thread.load(std::memory_order_acquire) && !w.thread_paused.load();
}

std::uint64_t ChangesTakenIn() { return changes_taken_in.load(std::memory_order_acquire); }

void WaitForWatcherForTesting() {
  Watcher& w = TheWatcher();
  const int fd = w.shared_fd.load(std::memory_order_acquire);
  if (fd < 0) return;
  // Polled rather than drained here, so that the tests rely on the thread as ratings do.
  for (int waited_ms = 0; waited_ms < 10'000 && ChangesArriveByThemselves(); ++waited_ms) {
    int queued = 0;
    if (::ioctl(fd, FIONREAD, &queued) == 0 && queued == 0 && !w.draining.load()) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  CatchUpWithChanges();
}

std::uint64_t QueueOverflowsForTesting() {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return w.overflows;
}

}  // namespace os
