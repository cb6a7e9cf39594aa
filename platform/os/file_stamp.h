// What tells one state of a file from another, as its status gives it.
#ifndef FRELANE_PLATFORM_OS_FILE_STAMP_H_
#define FRELANE_PLATFORM_OS_FILE_STAMP_H_

#include <sys/stat.h>

#include <cstdint>

namespace os {

// Device and inode tell which file a name leads to (a mount over it changes them); size and
// the modification and change times tell its versions apart.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modified_s = 0;
  std::int64_t modified_ns = 0;
  std::int64_t changed_s = 0;
  std::int64_t changed_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

inline FileStamp StampOf(const struct stat& st) {
  return {
      static_cast<std::uint64_t>(st.st_dev),         static_cast<std::uint64_t>(st.st_ino),
      static_cast<std::int64_t>(st.st_size),         static_cast<std::int64_t>(st.st_mtim.tv_sec),
      static_cast<std::int64_t>(st.st_mtim.tv_nsec), static_cast<std::int64_t>(st.st_ctim.tv_sec),
      static_cast<std::int64_t>(st.st_ctim.tv_nsec)};
}

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_FILE_STAMP_H_
