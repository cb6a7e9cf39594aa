// The watcher's life: the one inotify instance and the watcher thread, started with the
// first watch and ended when the code holding them is unloaded (or the process ends). The
// thread takes changes in as the kernel queues them, so that a rating needs no system call
// to learn of them, and sweeps the stamps once a second.
#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <system_error>
#include <thread>

#include "platform/os/dir_watch_internal.h"
#include "platform/os/process_state.h"

namespace os {
using namespace dir_watch_internal;

namespace {

// Runs until StopWatchingAtUnload wakes it.
void WatchForChanges(Watcher& w, int fd) {
  for (;;) {
    struct pollfd ready[2] = {{fd, POLLIN, 0}, {w.stop_fd, POLLIN, 0}};
    const int n = ::poll(ready, 2, StampsDueInMs(w));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || (ready[0].revents & (POLLERR | POLLNVAL)) != 0) break;
    if (ready[1].revents != 0) break;
    if (!w.thread_paused.load()) {
      if (ready[0].revents != 0) Drain(w, w.drains.load(std::memory_order_acquire));
      CheckStampsWhenDue(w);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  // Callers take changes in themselves again; what was missed meanwhile breaks every mark.
  w.watching_thread.store(false, std::memory_order_release);
  std::lock_guard<std::mutex> lock(w.mu);
  TouchAll(w);
}

// Destroyed after stop_watching_at_unload (below) has stopped its thread.
constinit ProcessWide<Watcher> the_watcher;

// Stops watching for good when the code that watches goes away (the library holding it
// unloaded, or the process ending): the watcher thread is woken and joined, and the inotify
// instance closed. Marks break; callers then check stamps on every use.
struct StopWatchingAtUnload {
  ~StopWatchingAtUnload() {
    if (the_watcher.IfMade() == nullptr) return;
    Watcher& w = TheWatcher();
    std::thread thread;
    {
      std::lock_guard<std::mutex> lock(w.mu);
      w.unavailable = true;  // no watch starts again
      thread = std::move(w.thread);
      if (w.stop_fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t wrote = ::write(w.stop_fd, &one, sizeof one);
      }
    }
    if (thread.joinable()) thread.join();
    std::lock_guard<std::mutex> lock(w.mu);
    for (auto& [path, dir] : w.dirs) dir->Lose();
    w.dirs.clear();
    w.nodes.clear();
    w.shared_fd.store(-1, std::memory_order_release);
    if (w.fd >= 0) ::close(w.fd);
    if (w.stop_fd >= 0) ::close(w.stop_fd);
    w.fd = -1;
    w.stop_fd = -1;
  }
} stop_watching_at_unload;

}  // namespace

namespace dir_watch_internal {

Watcher& TheWatcher() { return the_watcher.Get(); }

bool OpenInotify(Watcher& w) {
  if (w.fd >= 0) return true;
  if (w.unavailable) return false;
  w.fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (w.fd < 0) {
    w.unavailable = true;
    return false;
  }
  w.shared_fd.store(w.fd, std::memory_order_release);
  w.stop_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (w.stop_fd >= 0) {
    try {
      w.thread = std::thread(WatchForChanges, std::ref(w), w.fd);
      w.watching_thread.store(true, std::memory_order_release);
    } catch (const std::system_error&) {
      // No thread to be had: callers take changes in themselves.
      ::close(w.stop_fd);
      w.stop_fd = -1;
    }
  }
  return true;
}

}  // namespace dir_watch_internal

void PauseWatcherThreadForTesting(bool paused) { TheWatcher().thread_paused = paused; }

}  // namespace os
