// The file systems the directory watch trusts: those on which every change, by whatever
// process of this machine, raises an inotify event. On a network or user-space file system
// a change made elsewhere raises none, so nothing there is watched.
#include <sys/vfs.h>

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "platform/os/dir_watch_internal.h"

namespace os::dir_watch_internal {

FileSystemKind KindOfFileSystem(const char* path) {
  struct statfs fs;
  if (::statfs(path, &fs) != 0) return FileSystemKind::kUnknown;
  static constexpr std::uint32_t kLocal[] = {
      0xEF53,      // ext2, ext3, ext4
      0x58465342,  // xfs
      0x9123683E,  // btrfs
      0x01021994,  // tmpfs
      0x858458F6,  // ramfs
      0x794C7630,  // overlayfs
      0x2FC12FC1,  // zfs
      0xF2F52010,  // f2fs
      0x3153464A,  // jfs
      0x52654973,  // reiserfs
  };
  const auto type = static_cast<std::uint32_t>(fs.f_type);
  return std::find(std::begin(kLocal), std::end(kLocal), type) != std::end(kLocal)
             ? FileSystemKind::kLocal
             : FileSystemKind::kRemote;
}

}  // namespace os::dir_watch_internal
