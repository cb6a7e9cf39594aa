// The claims: a user's counted hold on a directory it reads its data from. A claimed
// directory is watched from its first look-up on; when the last claim is released its watch
// ends, so that a directory the user no longer reads takes none of the system's watches.
#include "platform/os/dir_watch_internal.h"

namespace os {
using namespace dir_watch_internal;

void ClaimDirectory(std::string_view dir) {
  std::optional<std::string> path = CleanPath(dir);
  if (!path) return;
  Watcher& w = TheWatcher();
  std::lock_guard<std::mutex> lock(w.mu);
  ++w.claims[*path];
  // A set-up that failed before is tried again for the new claim.
  w.failed_setups.erase(*path);
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
  w.failed_setups.erase(*path);
  return true;
}

}  // namespace os
