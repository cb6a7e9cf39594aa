// What the directory watch's parts share: the watcher's state, one per process, and the
// steps each part offers the others. Private to the dir_watch_*.cc files.
#ifndef FRELANE_PLATFORM_OS_DIR_WATCH_INTERNAL_H_
#define FRELANE_PLATFORM_OS_DIR_WATCH_INTERNAL_H_

#include <limits.h>
#include <sys/inotify.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/os/ascii_keys.h"
#include "platform/os/dir_watch.h"
#include "platform/os/file_stamp.h"

namespace os::dir_watch_internal {

// What a watched directory reports: every change of a name in it or of a file in it.
inline constexpr std::uint32_t kDirEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                                            IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                            IN_DELETE_SELF | IN_MOVE_SELF;
// What a directory on the path reports: names coming, going or changing their attributes.
inline constexpr std::uint32_t kPathEvents = IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                             IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// What a watched file reports: its bytes or its attributes (link count included) changed,
// or it went away.
inline constexpr std::uint32_t kFileEvents =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
// Events that only change a file, not which file a name stands for.
inline constexpr std::uint32_t kContentEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE;

// Beyond this many marked names, every name of the directory counts as marked.
inline constexpr std::size_t kMaxMarkedNames = 1024;
// Beyond this many failed set-ups remembered, all are forgotten (and tried again).
inline constexpr std::size_t kMaxFailedSetups = 1024;

inline std::atomic<std::uint64_t> changes_taken_in{0};

using NameSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

struct Dir {
  ChangeCount changes{0};
  // The rest under Watcher::mu.
  bool gone = false;  // the watch no longer stands for the path: a new one takes over
  // Moves each time the dir is reused, so that what was noted of it before (see the stamp
  // sweep) is not taken for what it watches now.
  std::uint64_t use = 0;
  NameSet marked;  // case-folded
  bool every_name = false;
  // The directory the path led to when the watch began (see the stamp sweep).
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

// What one inotify watch (one directory's inode, or one watched file) stands for.
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
  std::atomic<int> shared_fd{-1};     // fd, read without the lock
  std::atomic<bool> draining{false};  // events are being read and taken in
  bool unavailable = false;           // inotify could not be had
  std::atomic<bool> enabled{true};
  // True while the watcher thread takes changes in as they come.
  std::atomic<bool> watching_thread{false};
  // While set, the thread leaves the events queued (callers take them in themselves).
  std::atomic<bool> thread_paused{false};
  // Drains begun; a caller whose arrival precedes a drain's beginning may rely on it.
  std::atomic<std::uint64_t> drains{0};
  std::unordered_map<std::string, Dir*, TextHash, std::equal_to<>> dirs;  // by clean path
  NameSet unwatchable;  // clean paths found on a network file system or behind a link
  // Clean paths whose watch could not be set up (missing, unreadable, the limit reached),
  // not tried again until something changes (see ForgetFailedSetups).
  NameSet failed_setups;
  std::unordered_map<int, Node> nodes;
  // Dirs are reused, never freed: a mark of a dir let go breaks (its count moved on) and
  // never holds again, whatever the dir watches next.
  std::vector<std::unique_ptr<Dir>> all;
  std::vector<Dir*> spare;
  std::uint64_t dir_uses = 0;
  // Claims on clean paths (see ClaimDirectory).
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> claims;
  int file_watches = 0;
  int file_watch_limit = -1;    // none
  std::uint64_t overflows = 0;  // lost-event notices taken in
  // Wakes the watcher thread to stop (see dir_watch_thread.cc); -1 when there is no thread.
  int stop_fd = -1;
  std::thread thread;
  // Called by the stamp sweep between copying and stamping (see SetStampSweepHookForTesting).
  std::function<void()> sweep_hook;
  // When the stamps were last compared (steady clock, nanoseconds).
  std::atomic<std::int64_t> stamps_checked_ns{0};
};
Watcher& TheWatcher();

// Breaks every mark (a lost event, a watch stopped). REQUIRES: w.mu held.
inline void TouchAll(Watcher& w) {
  for (const auto& dir : w.all) dir->Touch();
}

// Something changed that may let a failed set-up succeed now. REQUIRES: w.mu held.
inline void ForgetFailedSetups(Watcher& w) {
  if (!w.failed_setups.empty()) w.failed_setups.clear();
}

// dir_watch_file_systems.cc: kLocal on file systems on which every change, by whatever
// process, raises an event here; kUnknown when path cannot be looked at (it is missing).
enum class FileSystemKind { kLocal, kRemote, kUnknown };
FileSystemKind KindOfFileSystem(const char* path);

// dir_watch_paths.cc: an absolute path with single separators and no trailing one; nullopt
// for a relative path or one with "." or ".." in it.
std::optional<std::string> CleanPath(std::string_view dir);
// True when path (a clean path) leads to its directory through no link.
bool SameAsResolved(const std::string& path);

// dir_watch_thread.cc: opens the inotify instance and starts the watcher thread, once;
// false when inotify cannot be had. REQUIRES: w.mu held.
bool OpenInotify(Watcher& w);

// dir_watch_dirs.cc: the live watch of dir, started when there is none; null when it is
// not to be watched. REQUIRES: w.mu held.
Dir* WatchOf(Watcher& w, std::string_view dir);
// The live watch of the clean path, without starting one; null when there is none.
// REQUIRES: w.mu held.
Dir* StandingWatchOf(Watcher& w, const std::string& path);
// Lets dir go: its marks break, its own watch and those of its files end when nothing else
// needs them, and the dir is kept for reuse. REQUIRES: w.mu held; dir no longer in w.dirs.
void LetGo(Watcher& w, Dir* dir);

// dir_watch_events.cc: reads and takes in every queued event, unless a drain that began
// after arrival (a count of drains begun) already did.
void Drain(Watcher& w, std::uint64_t arrival);
// As Drain, unconditionally. REQUIRES: w.mu held.
void DrainHeld(Watcher& w);

// dir_watch_sweep.cc: how long until the stamps are due to be compared again, in
// milliseconds (0: now).
int StampsDueInMs(const Watcher& w);
// Compares the stamps when the last comparison lies kStampCheckInterval or more back.
// REQUIRES: w.mu not held.
void CheckStampsWhenDue(Watcher& w);

}  // namespace os::dir_watch_internal

#endif  // FRELANE_PLATFORM_OS_DIR_WATCH_INTERNAL_H_
