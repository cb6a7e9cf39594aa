// Case-folded keys of file names, shared by the file cache and the directory watcher.
// Only ASCII letters fold (ascii_text.h): names are byte strings.
#ifndef FRELANE_PLATFORM_OS_ASCII_KEYS_H_
#define FRELANE_PLATFORM_OS_ASCII_KEYS_H_

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/os/ascii_text.h"

namespace os {

// Hashes std::string and std::string_view alike, so a key can be looked up without
// building a string of it.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_ASCII_KEYS_H_
