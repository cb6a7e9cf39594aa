// The stamp sweep: once a second (kStampCheckInterval) the stamps of each watched
// directory and of each file watched itself are compared with those they were watched
// with, for the changes that raise no event (see dir_watch.h). A directory whose path leads
// elsewhere is let go (a new watch takes over); a watched file whose stamp moved breaks its
// directory's marks.
//
// The stamps are taken outside the watcher's lock, so that readers marking their files meanwhile
// do not wait for the sweep: what to compare is copied under the lock, and what moved is
// recorded under it again, where the dir and the stamp compared are still those in force.
#include <sys/stat.h>

#include <chrono>

#include "platform/os/dir_watch_internal.h"

namespace os::dir_watch_internal {
namespace {

std::int64_t SteadyNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

struct FileToCheck {
  std::string path;
  FileStamp vouched;               // as the dir kept it when copied
  std::optional<FileStamp> found;  // nullopt: gone, or no regular file
};

struct DirToCheck {
  Dir* dir = nullptr;
  std::uint64_t use = 0;  // the dir's use when copied
  std::string path;
  FileStamp watched;
  bool moved = false;  // the path leads to another directory, or to none
  std::vector<FileToCheck> files;
};

// REQUIRES: w.mu held.
std::vector<DirToCheck> WhatToCheck(Watcher& w) {
  std::vector<DirToCheck> due;
  due.reserve(w.dirs.size());
  for (const auto& [path, dir] : w.dirs) {
    if (dir->gone) continue;
    DirToCheck& entry = due.emplace_back();
    entry.dir = dir;
    entry.use = dir->use;
    entry.path = path;
    entry.watched = dir->stamp;
    entry.files.reserve(dir->files.size());
    for (const auto& [file, stamp] : dir->files) entry.files.push_back({file, stamp, {}});
  }
  return due;
}

void TakeStamps(std::vector<DirToCheck>& due) {
  struct stat st;
  for (DirToCheck& entry : due) {
    entry.moved = ::stat(entry.path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) ||
                  st.st_dev != entry.watched.device || st.st_ino != entry.watched.inode;
    if (entry.moved) continue;
    for (FileToCheck& file : entry.files) {
      if (::lstat(file.path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) file.found = StampOf(st);
    }
  }
}

// REQUIRES: w.mu held.
void RecordMoves(const std::vector<DirToCheck>& due) {
  for (const DirToCheck& entry : due) {
    Dir* dir = entry.dir;
    // Let go (and perhaps reused) meanwhile: what was compared is no longer its own.
    if (dir->gone || dir->use != entry.use) continue;
    if (entry.moved) {
      dir->Lose();
      continue;
    }
    bool moved = false;
    for (const FileToCheck& file : entry.files) {
      auto it = dir->files.find(file.path);
      // Vouched for anew meanwhile: that stamp was taken after this one.
      if (it == dir->files.end() || it->second != file.vouched) continue;
      if (!file.found) {
        dir->files.erase(it);
        moved = true;
      } else if (*file.found != file.vouched) {
        it->second = *file.found;
        moved = true;
      }
    }
    if (moved) dir->Touch();
  }
}

void CheckStamps(Watcher& w) {
  std::vector<DirToCheck> due;
  std::function<void()> hook;
  {
    std::lock_guard<std::mutex> lock(w.mu);
    // A missing directory may have come meanwhile, unseen by any watch.
    ForgetFailedSetups(w);
    due = WhatToCheck(w);
    hook = w.sweep_hook;
  }
  if (hook) hook();
  TakeStamps(due);
  std::lock_guard<std::mutex> lock(w.mu);
  RecordMoves(due);
}

constexpr std::int64_t kIntervalNs =
    std::chrono::duration_cast<std::chrono::nanoseconds>(kStampCheckInterval).count();

}  // namespace

int StampsDueInMs(const Watcher& w) {
  const std::int64_t since =
      SteadyNanoseconds() - w.stamps_checked_ns.load(std::memory_order_relaxed);
  const std::int64_t left = kStampCheckInterval.count() - since / 1'000'000;
  return static_cast<int>(std::clamp<std::int64_t>(left, 0, kStampCheckInterval.count()));
}

void CheckStampsWhenDue(Watcher& w) {
  std::int64_t last = w.stamps_checked_ns.load(std::memory_order_relaxed);
  const std::int64_t now = SteadyNanoseconds();
  if (now - last < kIntervalNs) return;
  // One sweep at a time: the thread that moves the time on makes it.
  if (!w.stamps_checked_ns.compare_exchange_strong(last, now, std::memory_order_relaxed)) return;
  CheckStamps(w);
}

}  // namespace os::dir_watch_internal

namespace os {

void SetStampSweepHookForTesting(std::function<void()> hook) {
  dir_watch_internal::Watcher& w = dir_watch_internal::TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  w.sweep_hook = std::move(hook);
}

}  // namespace os
