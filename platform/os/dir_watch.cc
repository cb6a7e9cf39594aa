#include "platform/os/dir_watch.h"

#include <errno.h>
#include <poll.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/os/ascii_keys.h"
#include "platform/os/process_state.h"

namespace os {
namespace {

// What a watched directory reports: every change of a name in it or of a file in it.
constexpr std::uint32_t kDirEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                                     IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                     IN_MOVE_SELF;
// What a directory on the path reports: names coming, going or changing their attributes.
constexpr std::uint32_t kPathEvents =
    IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// What a watched file reports: its bytes or its attributes (link count included) changed,
// or it went away.
constexpr std::uint32_t kFileEvents =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
// Events that only change a file, not which file a name stands for.
constexpr std::uint32_t kContentEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE;

// Beyond this many marked names, every name of the directory counts as marked.
constexpr std::size_t kMaxMarkedNames = 1024;

// File systems on which every change, by whatever process, raises an event here.
bool IsLocalFileSystem(const char* path) {
  struct statfs fs;
  if (::statfs(path, &fs) != 0) return false;
  static constexpr std::uint32_t kLocal[] = {
      0xEF53,      // ext2, ext3, ext4
      0x58465342,  // xfs
      0x9123683E,  // btrfs
      0x01021994,  // tmpfs
      0x858458F6,  // ramfs
      0x794C7630,  // overlayfs
      0x2FC12FC1,  // zfs
      0xF2F52010,  // f2fs
      0x3153464A,  // jfs
      0x52654973,  // reiserfs
  };
  const auto type = static_cast<std::uint32_t>(fs.f_type);
  return std::find(std::begin(kLocal), std::end(kLocal), type) != std::end(kLocal);
}

std::atomic<std::uint64_t> changes_taken_in{0};

using NameSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

struct Dir {
  ChangeCount changes{0};
  // The rest under Watcher::mu.
  bool gone = false;  // the watch no longer stands for the path: a new one takes over
  NameSet marked;     // case-folded
  bool every_name = false;
  // The directory the path led to when the watch began (see CheckStamps).
  FileStamp stamp;
  // The files watched themselves, by path, with the stamps they were vouched for with.
  std::unordered_map<std::string, FileStamp> files;

  void Touch() {
    changes.fetch_add(1, std::memory_order_release);
    changes_taken_in.fetch_add(1, std::memory_order_release);
  }
  void Lose() {
    gone = true;
    Touch();
  }
  bool Marked(std::string_view name) const {
    if (every_name) return true;
    char folded[NAME_MAX + 1];
    if (name.size() > NAME_MAX) return true;
    std::transform(name.begin(), name.end(), folded, AsciiLower);
    return marked.find(std::string_view(folded, name.size())) != marked.end();
  }
};

// What one inotify watch (one directory's inode) stands for.
struct Node {
  std::vector<Dir*> dirs;                          // watched for their own names
  std::vector<std::pair<std::string, Dir*>> path;  // the name leading on to a watched dir
  std::vector<Dir*> file_of;                       // a watched file lies in these dirs
};

// Freed only with the code (see process_state.h). Dirs are not freed before, so a mark never
// points at freed memory.
struct Watcher {
  std::mutex mu;
  int fd = -1;
  std::atomic<int> shared_fd{-1};  // fd, read without the lock
  std::atomic<bool> draining{false};  // events are being read and taken in
  bool unavailable = false;  // inotify could not be had
  std::atomic<bool> enabled{true};
  // True while the watcher thread takes changes in as they come.
  std::atomic<bool> watching_thread{false};
  // While set, the thread leaves the events queued (callers take them in themselves).
  std::atomic<bool> thread_paused{false};
  // Drains begun; a caller whose arrival precedes a drain's beginning may rely on it.
  std::atomic<std::uint64_t> drains{0};
  std::unordered_map<std::string, Dir*, TextHash, std::equal_to<>> dirs;  // by clean path
  NameSet unwatchable;  // clean paths found on a network file system or behind a link
  std::unordered_map<int, Node> nodes;
  // Dirs are reused, never freed: a mark of a dir let go breaks (its count moved on) and
  // never holds again, whatever the dir watches next.
  std::vector<std::unique_ptr<Dir>> all;
  std::vector<Dir*> spare;
  // Claims on clean paths (see ClaimDirectory).
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> claims;
  int file_watches = 0;
  int file_watch_limit = -1;  // none
  std::uint64_t overflows = 0;  // lost-event notices taken in
  // Wakes the watcher thread to stop (see StopWatching); -1 when there is no thread.
  int stop_fd = -1;
  std::thread thread;
  // When the stamps were last compared (steady clock, nanoseconds).
  std::atomic<std::int64_t> stamps_checked_ns{0};
};
// Destroyed after stop_watching_at_unload (below) has stopped its thread.
constinit ProcessWide<Watcher> the_watcher;
Watcher& TheWatcher() { return the_watcher.Get(); }

// An absolute path with single separators and no trailing one; nullopt for a relative path
// or one with "." or ".." in it.
std::optional<std::string> CleanPath(std::string_view dir) {
  if (dir.empty() || dir.front() != '/') return std::nullopt;
  std::string out;
  out.reserve(dir.size());
  std::size_t at = 0;
  while (at < dir.size()) {
    std::size_t end = dir.find('/', at);
    if (end == std::string_view::npos) end = dir.size();
    std::string_view part = dir.substr(at, end - at);
    at = end + 1;
    if (part.empty()) continue;
    if (part == "." || part == "..") return std::nullopt;
    out += '/';
    out.append(part);
  }
  return out.empty() ? std::string("/") : out;
}

bool SameAsResolved(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr && path == resolved;
}

int AddWatch(Watcher& w, const std::string& path, std::uint32_t events) {
  return ::inotify_add_watch(w.fd, path.c_str(), events | IN_ONLYDIR | IN_MASK_ADD);
}

void WatchForChanges(Watcher& w, int fd);

// Starts watching path (a clean path) and the directories leading to it; null when it is
// not to be watched. REQUIRES: w.mu held.
Dir* StartWatch(Watcher& w, const std::string& path) {
  if (w.unavailable || w.unwatchable.count(path) > 0) return nullptr;
  if (w.fd < 0) {
    w.fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (w.fd < 0) {
      w.unavailable = true;
      return nullptr;
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
  }
  // From the root down: a later step of the path cannot change unnoticed once the
  // directory above it is watched.
  std::vector<std::pair<int, std::string>> steps;
  for (std::size_t at = 0; at != std::string::npos && path != "/";) {
    const std::size_t next = path.find('/', at + 1);
    const std::string above = at == 0 ? std::string("/") : path.substr(0, at);
    if (!IsLocalFileSystem(above.c_str())) {
      w.unwatchable.insert(path);
      return nullptr;
    }
    const int wd = AddWatch(w, above, kPathEvents);
    if (wd < 0) return nullptr;
    steps.emplace_back(wd, path.substr(at + 1, next == std::string::npos ? next : next - at - 1));
    at = next;
  }
  if (!IsLocalFileSystem(path.c_str())) {
    w.unwatchable.insert(path);
    return nullptr;
  }
  const int wd = AddWatch(w, path, kDirEvents);
  if (wd < 0) return nullptr;
  // Checked with every watch in place: a link put in later raises an event.
  if (!SameAsResolved(path)) {
    w.unwatchable.insert(path);
    return nullptr;
  }
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return nullptr;
  Dir* dir;
  if (!w.spare.empty()) {
    dir = w.spare.back();
    w.spare.pop_back();
    dir->gone = false;
  } else {
    w.all.push_back(std::make_unique<Dir>());
    dir = w.all.back().get();
  }
  dir->stamp = StampOf(st);
  for (auto& [step_wd, name] : steps) {
    auto& leading = w.nodes[step_wd].path;
    std::erase_if(leading, [](const auto& entry) { return entry.second->gone; });
    leading.emplace_back(std::move(name), dir);
  }
  auto& own = w.nodes[wd].dirs;
  std::erase_if(own, [](const Dir* d) { return d->gone; });
  own.push_back(dir);
  w.dirs[path] = dir;
  return dir;
}

// Lets dir go: its marks break, its own watch and those of its files end when nothing
// else needs them, and the dir is kept for reuse. The watches of the directories on its
// path stay: they are few, shared by the directories below them, and watching a directory
// afresh makes the kernel visit every entry in it.
// REQUIRES: w.mu held; dir no longer in w.dirs.
void LetGo(Watcher& w, Dir* dir) {
  dir->Lose();
  for (auto it = w.nodes.begin(); it != w.nodes.end();) {
    Node& node = it->second;
    const bool file = !node.file_of.empty();
    const bool own = file || !node.dirs.empty();
    // Dirs lost before (their own directory went away) need these watches no more either.
    const auto done = [dir](const Dir* d) { return d == dir || d->gone; };
    std::erase_if(node.dirs, done);
    std::erase_if(node.path, [&](const auto& step) { return done(step.second); });
    std::erase_if(node.file_of, done);
    if (own && node.dirs.empty() && node.path.empty() && node.file_of.empty()) {
      ::inotify_rm_watch(w.fd, it->first);
      if (file) --w.file_watches;
      it = w.nodes.erase(it);
    } else {
      ++it;
    }
  }
  dir->marked.clear();
  dir->every_name = false;
  dir->files.clear();
  w.spare.push_back(dir);
}

// The live watch of dir; null when it is not to be watched. REQUIRES: w.mu held.
Dir* WatchOf(Watcher& w, std::string_view dir) {
  if (!w.enabled.load()) return nullptr;
  std::optional<std::string> path = CleanPath(dir);
  if (!path) return nullptr;
  auto it = w.dirs.find(*path);
  if (it != w.dirs.end()) {
    if (!it->second->gone) return it->second;
    // The path leads elsewhere now: the old watch is let go before a new one starts.
    Dir* lost = it->second;
    w.dirs.erase(it);
    LetGo(w, lost);
  }
  return StartWatch(w, *path);
}

void TouchAll(Watcher& w) {
  for (const auto& dir : w.all) dir->Touch();
}

// REQUIRES: w.mu held.
void TakeIn(Watcher& w, const inotify_event& event) {
  if (event.mask & IN_Q_OVERFLOW) {
    ++w.overflows;
    TouchAll(w);
    return;
  }
  auto it = w.nodes.find(event.wd);
  if (it == w.nodes.end()) return;
  Node& node = it->second;
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

// Reads and takes in every queued event, unless a drain that began after arrival (a count
// of drains begun) already did.
void Drain(Watcher& w, std::uint64_t arrival) {
  std::lock_guard<std::mutex> lock(w.mu);
  // A drain that began after this call arrived has read every event queued before it.
  if (w.drains.load(std::memory_order_relaxed) != arrival) return;
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

std::int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Some changes raise no event: a write through a shared mapping of the file, a mount over a
// file or over the directory (or its path), and its unmount. Each changes a stamp: the
// directory's path leads to another directory, or a watched file's name to another file or
// to the same file with other times. A directory whose path leads elsewhere is let go (a
// new watch takes over); a watched file whose stamp moved breaks its directory's marks.
// REQUIRES: w.mu held.
void CheckStamps(Watcher& w) {
  w.stamps_checked_ns.store(SteadyNanoseconds(), std::memory_order_relaxed);
  struct stat st;
  for (auto& [path, dir] : w.dirs) {
    if (dir->gone) continue;
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_dev != dir->stamp.device || st.st_ino != dir->stamp.inode) {
      dir->Lose();
      continue;
    }
    bool moved = false;
    for (auto it = dir->files.begin(); it != dir->files.end();) {
      if (::lstat(it->first.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        moved = true;
        it = dir->files.erase(it);
        continue;
      }
      const FileStamp now = StampOf(st);
      if (now != it->second) {
        moved = true;
        it->second = now;
      }
      ++it;
    }
    if (moved) dir->Touch();
  }
}

// How long until the stamps are due to be compared again, in milliseconds (0: now).
int StampsDueInMs(const Watcher& w) {
  const std::int64_t since =
      SteadyNanoseconds() - w.stamps_checked_ns.load(std::memory_order_relaxed);
  const std::int64_t left = kStampCheckInterval.count() - since / 1'000'000;
  return static_cast<int>(std::clamp<std::int64_t>(left, 0, kStampCheckInterval.count()));
}

// Compares the stamps when the last comparison lies a second or more back.
void CheckStampsWhenDue(Watcher& w) {
  if (StampsDueInMs(w) > 0) return;
  std::lock_guard<std::mutex> lock(w.mu);
  CheckStamps(w);
}

// Takes changes in as the kernel queues them, so that a rating needs no system call to
// learn of them, and compares the stamps once a second. Runs until StopWatching.
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

WatchMark MarkBeforeCheck(std::string_view dir, std::string_view name) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  Dir* watched = WatchOf(w, dir);
  if (watched == nullptr) return {};
  if (!watched->every_name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
    watched->marked.insert(std::move(folded));
    if (watched->marked.size() > kMaxMarkedNames) watched->every_name = true;
  }
  return {&watched->changes, watched->changes.load(std::memory_order_acquire)};
}

bool WatchFileOf(std::string_view dir, const std::string& path, const FileStamp& stamp) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  Dir* watched = WatchOf(w, dir);
  if (watched == nullptr) return false;
  if (w.file_watch_limit >= 0 && w.file_watches >= w.file_watch_limit) return false;
  const int wd = ::inotify_add_watch(w.fd, path.c_str(), kFileEvents | IN_DONT_FOLLOW | IN_MASK_ADD);
  if (wd < 0) return false;
  Node& node = w.nodes[wd];
  if (!node.dirs.empty() || !node.path.empty()) return false;  // a directory, not the file
  if (node.file_of.empty()) ++w.file_watches;
  std::erase_if(node.file_of, [](const Dir* d) { return d->gone; });
  if (std::find(node.file_of.begin(), node.file_of.end(), watched) == node.file_of.end()) {
    node.file_of.push_back(watched);
  }
  // A stamp other than the one vouched for before is a change no event told of: what was
  // vouched for with the old one holds no more.
  auto [kept, added] = watched->files.try_emplace(path, stamp);
  if (!added && kept->second != stamp) {
    kept->second = stamp;
    watched->Touch();
  }
  return true;
}

bool WatchFileOf(std::string_view dir, const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return WatchFileOf(dir, path, StampOf(st));
}

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

void ClaimDirectory(std::string_view dir) {
  std::optional<std::string> path = CleanPath(dir);
  if (!path) return;
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  ++w.claims[*path];
}

bool ReleaseDirectory(std::string_view dir) {
  std::optional<std::string> path = CleanPath(dir);
  if (!path) return false;
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  auto claim = w.claims.find(*path);
  if (claim == w.claims.end() || --claim->second > 0) return false;
  w.claims.erase(claim);
  auto it = w.dirs.find(*path);
  if (it != w.dirs.end()) {
    Dir* dir = it->second;
    w.dirs.erase(it);
    LetGo(w, dir);
  }
  w.unwatchable.erase(*path);
  return true;
}

std::size_t WatchCountForTesting() {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return w.nodes.size();
}

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

bool IsWatchedForTesting(std::string_view dir) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return WatchOf(w, dir) != nullptr;
}

std::uint64_t QueueOverflowsForTesting() {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return w.overflows;
}

void SetFileWatchLimitForTesting(int limit) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  w.file_watch_limit = limit;
}

void PauseWatcherThreadForTesting(bool paused) { TheWatcher().thread_paused = paused; }

void SetDirWatchEnabledForTesting(bool enabled) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  w.enabled = enabled;
  // Marks taken before hold no more.
  TouchAll(w);
}

}  // namespace os
