// The directories watched: a watch set up from the root down (each directory on the path
// for the one name that leads on, the directory itself for every name), the marks taken of
// it, and the dirs reused once let go. A set-up that fails takes back the watches it added
// and is not tried again until something changes.
#include <sys/inotify.h>
#include <sys/stat.h>

#include "platform/os/dir_watch_internal.h"

namespace os {
using namespace dir_watch_internal;

namespace {

int AddWatch(Watcher& w, const std::string& path, std::uint32_t events) {
  return ::inotify_add_watch(w.fd, path.c_str(), events | IN_ONLYDIR | IN_MASK_ADD);
}

// Removes the watches among added that nothing stands on (those of a set-up given up).
void RemoveUnused(Watcher& w, const std::vector<int>& added) {
  for (std::size_t i = 0; i < added.size(); ++i) {
    const int wd = added[i];
    if (w.nodes.count(wd) > 0 || std::find(added.begin(), added.begin() + i, wd) != added.begin() + i) {
      continue;
    }
    ::inotify_rm_watch(w.fd, wd);
  }
}

Dir* SpareOrNewDir(Watcher& w) {
  Dir* dir;
  if (!w.spare.empty()) {
    dir = w.spare.back();
    w.spare.pop_back();
    dir->gone = false;
  } else {
    w.all.push_back(std::make_unique<Dir>());
    dir = w.all.back().get();
  }
  dir->use = ++w.dir_uses;
  return dir;
}

// Starts watching path (a clean path) and the directories leading to it; null when it is
// not to be watched. REQUIRES: w.mu held.
Dir* StartWatch(Watcher& w, const std::string& path) {
  if (w.unavailable || w.unwatchable.count(path) > 0 || w.failed_setups.count(path) > 0) {
    return nullptr;
  }
  if (!OpenInotify(w)) return nullptr;
  // What is queued happened before the look that follows: taken in now, it cannot be taken
  // for a change of the new watch's path (the directory's own making, say).
  DrainHeld(w);
  std::vector<int> added;
  auto give_up = [&](bool for_good) -> Dir* {
    RemoveUnused(w, added);
    NameSet& remembered = for_good ? w.unwatchable : w.failed_setups;
    if (!for_good && remembered.size() >= kMaxFailedSetups) remembered.clear();
    remembered.insert(path);
    return nullptr;
  };
  // From the root down: a later step of the path cannot change unnoticed once the
  // directory above it is watched.
  std::vector<std::pair<int, std::string>> steps;
  for (std::size_t at = 0; at != std::string::npos && path != "/";) {
    const std::size_t next = path.find('/', at + 1);
    const std::string above = at == 0 ? std::string("/") : path.substr(0, at);
    if (const FileSystemKind kind = KindOfFileSystem(above.c_str()); kind != FileSystemKind::kLocal) {
      return give_up(kind == FileSystemKind::kRemote);
    }
    const int wd = AddWatch(w, above, kPathEvents);
    if (wd < 0) return give_up(false);
    added.push_back(wd);
    steps.emplace_back(wd, path.substr(at + 1, next == std::string::npos ? next : next - at - 1));
    at = next;
  }
  if (const FileSystemKind kind = KindOfFileSystem(path.c_str()); kind != FileSystemKind::kLocal) {
    return give_up(kind == FileSystemKind::kRemote);
  }
  const int wd = AddWatch(w, path, kDirEvents);
  if (wd < 0) return give_up(false);
  added.push_back(wd);
  // Checked with every watch in place: a link put in later raises an event.
  if (!SameAsResolved(path)) return give_up(true);
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return give_up(false);
  Dir* dir = SpareOrNewDir(w);
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

WatchMark MarkIn(Dir* watched, std::string_view name) {
  if (watched == nullptr) return {};
  if (!watched->every_name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
    watched->marked.insert(std::move(folded));
    if (watched->marked.size() > kMaxMarkedNames) watched->every_name = true;
  }
  return {&watched->changes, watched->changes.load(std::memory_order_acquire)};
}

}  // namespace

namespace dir_watch_internal {

// The watches of the directories on its path stay: they are few, shared by the directories
// below them, and watching a directory afresh makes the kernel visit every entry in it.
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

Dir* StandingWatchOf(Watcher& w, const std::string& path) {
  auto it = w.dirs.find(path);
  if (it == w.dirs.end()) return nullptr;
  if (!it->second->gone) return it->second;
  // The path leads elsewhere now: the old watch is let go.
  Dir* lost = it->second;
  w.dirs.erase(it);
  LetGo(w, lost);
  return nullptr;
}

Dir* WatchOf(Watcher& w, std::string_view dir) {
  if (!w.enabled.load()) return nullptr;
  std::optional<std::string> path = CleanPath(dir);
  if (!path) return nullptr;
  if (Dir* standing = StandingWatchOf(w, *path)) return standing;
  return StartWatch(w, *path);
}

}  // namespace dir_watch_internal

WatchMark MarkBeforeCheck(std::string_view dir, std::string_view name) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return MarkIn(WatchOf(w, dir), name);
}

WatchMark MarkWhereWatched(std::string_view dir, std::string_view name) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  if (!w.enabled.load()) return {};
  std::optional<std::string> path = CleanPath(dir);
  if (!path) return {};
  if (w.claims.count(*path) > 0) return MarkIn(WatchOf(w, *path), name);
  return MarkIn(StandingWatchOf(w, *path), name);
}

std::size_t WatchCountForTesting() {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return w.nodes.size();
}

bool IsWatchedForTesting(std::string_view dir) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  return WatchOf(w, dir) != nullptr;
}

void SetDirWatchEnabledForTesting(bool enabled) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  w.enabled = enabled;
  // Marks taken before hold no more.
  TouchAll(w);
}

}  // namespace os
