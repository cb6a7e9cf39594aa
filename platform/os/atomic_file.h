// Whole-file rewrite that never leaves a half-written file: the bytes go to a temporary file
// in the same directory, are synced, and the temporary is renamed over the target.
#ifndef FRELANE_PLATFORM_OS_ATOMIC_FILE_H_
#define FRELANE_PLATFORM_OS_ATOMIC_FILE_H_

#include <cstdint>
#include <span>
#include <string>

namespace os {

// Replaces (or creates) the file at path with bytes. On failure the old file is untouched,
// the temporary is removed, false is returned and *error (when not null) says what failed.
// A file that existed keeps its permission bits. When path is a symbolic link the link
// stays, and the file it leads to is replaced (or created) through a temporary beside it.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_ATOMIC_FILE_H_
