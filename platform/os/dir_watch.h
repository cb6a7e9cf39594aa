// Notice of changes to directories, so that what was read of them can be trusted without
// asking the file system again.
//
// One inotify instance serves the process. Watching a directory also watches each directory
// on its path, for the one name that leads on, so that the path cannot come to lead to
// another directory unnoticed. A WatchMark taken before a file of the directory is checked
// or read holds until a change that may touch that file is taken in: a change to the
// directory itself or to its path, an added, removed or renamed name, or a write to or a
// change of the attributes of a file whose (ASCII case-folded) name was marked, or a write
// to a file watched itself (WatchFileOf) through any of its names. Writes to other files of
// the directory, such as a log, leave the marks alone.
//
// The kernel queues an event before the changing system call returns, so after
// CatchUpWithChanges every change finished before the call has broken the marks it touches.
// A watcher thread also takes events in as the kernel queues them (it wakes with the
// change), so that readers may trust a mark without a system call of their own. A lost
// event (the queue overflowed) breaks every mark.
//
// Some changes raise no event: a write through a shared mapping of a file, a mount over a
// file or a directory and its unmount. Once a second (kStampCheckInterval) the watcher
// thread compares the stamps of each watched directory and of each file watched itself
// with those they were watched with, and breaks the marks where one moved. A mount or an
// unmount thus shows within about a second, with no system call of the readers'; so does a
// write through a mapping, but only where the kernel moves the file's stamp for it, which it
// does at a write into a mapped page that is clean (written back, as msync leaves it) on a
// disk file system. Where it moves none, the change is never seen by a running reader, which
// keeps what it read with no time limit (a new process reads the new bytes):
//  - a write into a mapped page already written since the last msync, on any file system;
//  - on tmpfs, every write through a mapping after the first.
// So an updater of the data writes its files with write() or replaces them by rename; one
// that writes through a mapping calls msync after each change (and on tmpfs maps nothing).
//
// The library holding this code starts the watcher thread and the inotify instance with the
// first watch; both end when the code is unloaded (or the process ends).
//
// Only absolute paths free of links and of "." and ".." on local file systems are watched:
// on a network or user-space file system a change made elsewhere raises no event. Where a
// directory is not watched (or inotify is not to be had) no mark holds, and its callers
// check the files' stamps on every use. A watch that cannot be set up (the directory
// missing, the watch limit reached) takes back what it added and is not tried again until
// something may have changed: an event in a watched directory, the next stamp sweep, or a
// claim.
//
// Thread safety: every function may be called from any thread.
#ifndef FRELANE_PLATFORM_OS_DIR_WATCH_H_
#define FRELANE_PLATFORM_OS_DIR_WATCH_H_

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/os/file_stamp.h"

namespace os {

// How often the stamps of what is watched are compared (see above).
inline constexpr std::chrono::milliseconds kStampCheckInterval{1000};

// A directory's count of the changes taken in; marks compare it.
using ChangeCount = std::atomic<std::uint64_t>;

struct WatchMark {
  const ChangeCount* changes = nullptr;  // null: the directory is not watched
  std::uint64_t seen = 0;

  // True while no change touching the marked file was taken in since the mark.
  bool Holds() const {
    return changes != nullptr && changes->load(std::memory_order_acquire) == seen;
  }
};

// Watches dir (starting the watch when there is none) and marks name in it; an empty mark
// when dir is not to be watched. Take the mark before the check or read it is to vouch for.
// For a file about to be read and kept: what is kept of it rests on the watch.
WatchMark MarkBeforeCheck(std::string_view dir, std::string_view name);
// As MarkBeforeCheck where dir is claimed or already watched; elsewhere an empty mark, and
// no watch started. For a name look-up: the directories a program merely looks in (to
// import a file, say) take none of the system's watches.
WatchMark MarkWhereWatched(std::string_view dir, std::string_view name);

// Watches the file at path (a regular file of dir, marked there, whose stamp was just found
// to be stamp) itself, so that a write through any of its names, in whatever directory, or
// a change of its stamp breaks the marks of dir. True once the watch stands; false when it
// cannot be had (dir not watched, the watch limit reached): then only the file's stamp can
// tell its changes.
bool WatchFileOf(std::string_view dir, const std::string& path, const FileStamp& stamp);
// As above, with the stamp the file has now.
bool WatchFileOf(std::string_view dir, const std::string& path);

// Takes in every change queued so far (one system call; none while nothing is watched).
void CatchUpWithChanges();
// True while the watcher thread takes changes in by itself: a mark then breaks as soon as
// the thread has woken to its change, with no call of the reader's.
bool ChangesArriveByThemselves();
// How many changes were taken in so far, over every watched directory: while it stays the
// same, every mark that held still holds.
std::uint64_t ChangesTakenIn();

// A user's claim on dir (a clean absolute path as above), counted. When the last claim is
// released, the watch of dir ends and its marks break; true then, so that what was kept
// of the dir can be let go too. A directory never claimed is watched only once a file of
// it is read and kept (MarkBeforeCheck), and then until the end.
void ClaimDirectory(std::string_view dir);
bool ReleaseDirectory(std::string_view dir);
// How many inotify watches stand.
std::size_t WatchCountForTesting();

// Waits until the watcher thread has taken in every change queued so far, as it does by
// itself a moment after each change (for tests, which change files and look at once).
void WaitForWatcherForTesting();

// True when dir's changes are being noticed (for tests).
bool IsWatchedForTesting(std::string_view dir);
// How many times the kernel's event queue overflowed, as taken in so far.
std::uint64_t QueueOverflowsForTesting();
// Lets at most limit files be watched (as if the system's watch limit were reached there);
// a negative limit lifts it.
void SetFileWatchLimitForTesting(int limit);
// Holds the watcher thread back (true) from taking changes in, so that events pile up in
// the kernel's queue; callers take them in themselves meanwhile. false lets it go on.
void PauseWatcherThreadForTesting(bool paused);
// Calls hook in each stamp sweep, where the sweep stats outside the watcher's lock (on the
// watcher thread, or on a caller's without it); an empty hook ends that.
void SetStampSweepHookForTesting(std::function<void()> hook);
// Stops (false) or resumes (true) watching: while stopped no mark holds, as where inotify
// is not to be had.
void SetDirWatchEnabledForTesting(bool enabled);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_DIR_WATCH_H_
