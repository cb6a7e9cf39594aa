// The files watched themselves: a write through any of a file's names, in whatever
// directory, breaks the marks of the directory it was read from, and the stamp it was
// vouched for with is kept for the stamp sweep.
#include <sys/inotify.h>
#include <sys/stat.h>

#include "platform/os/dir_watch_internal.h"

namespace os {
using namespace dir_watch_internal;

bool WatchFileOf(std::string_view dir, const std::string& path, const FileStamp& stamp) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  Dir* watched = WatchOf(w, dir);
  if (watched == nullptr) return false;
  if (w.file_watch_limit >= 0 && w.file_watches >= w.file_watch_limit) return false;
  const int wd =
      ::inotify_add_watch(w.fd, path.c_str(), kFileEvents | IN_DONT_FOLLOW | IN_MASK_ADD);
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

void SetFileWatchLimitForTesting(int limit) {
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  w.file_watch_limit = limit;
}

}  // namespace os
