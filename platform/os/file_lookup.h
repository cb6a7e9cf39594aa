// Data-file names: the safety rule every name read from a file or typed by a user passes,
// and the case-insensitive lookup that stands in for a file system without case.
#ifndef FRELANE_PLATFORM_OS_FILE_LOOKUP_H_
#define FRELANE_PLATFORM_OS_FILE_LOOKUP_H_

#include <optional>
#include <string>
#include <string_view>

namespace os {

// True when name is one plain file name that cannot leave its directory: not empty, and
// without "/", "\\", ".." or a control character.
bool IsSafeFileName(std::string_view name);

// The full path of an existing file called name in dir: the exact name first, then the
// first (in byte order) entry of dir whose name equals it without regard to ASCII case.
// nullopt when there is none, when name is unsafe, or when the entry is a directory.
// An empty dir means the current directory.
std::optional<std::string> FindFileNoCase(std::string_view dir, std::string_view name);

// dir and name with exactly one "/" between them ("\\" in dir counts as "/");
// name alone when dir is empty.
std::string JoinPath(std::string_view dir, std::string_view name);

// Every "\\" replaced by "/".
std::string NormalizeSeparators(std::string_view path);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_FILE_LOOKUP_H_
