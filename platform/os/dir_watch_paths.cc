// The paths the directory watch accepts: absolute, without "." or "..", and (checked once
// their watches stand) free of links, so that one path always names one directory.
#include <limits.h>
#include <stdlib.h>

#include "platform/os/dir_watch_internal.h"

namespace os::dir_watch_internal {

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

}  // namespace os::dir_watch_internal
