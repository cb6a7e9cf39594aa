// Whole-file images of the small read-only files a rating searches (open descriptors of the
// large ones), and the listings of the directories they lie in, shared by every thread of
// the process.
//
// An image (or listing) is read once and served again while the file's stamp (device,
// inode, size, modification and change times) is unchanged. A file whose stamp is younger
// than the settle time is read afresh at every request: a second change inside the file
// system's clock tick would leave its stamp alone.
//
// Inside a SnapshotScope the calling thread sees each file and each name lookup as it
// first found them in that scope, without asking the file system again; outside any scope
// every request checks the stamp. Inside a scope a directory's stamp is taken once for its
// listing.
//
// Where the directory is watched (see dir_watch.h) an image found current, and a name
// lookup's answer, carry a mark taken before they were checked; while it holds they are
// served without any system call, across scopes and threads. An image is vouched for so
// only while its file is watched itself, so that a write through another name of the file
// (a hard link elsewhere) breaks the mark too, and so does a change of its stamp that raised
// no event (see dir_watch.h); where that watch cannot be had, the stamp is checked at each
// request. The changes the watches saw are taken in at each request outside a scope and at
// the first request of a scope, so a change finished before a rating shows in it, except
// in the two cases kept_files.h states: a rating begun back to back with the thread's
// previous one (within 20 us), and a change that moves no stamp (a write into a mapped page
// already dirty). What is not watched is checked as above.
//
// Nothing is held past its file: once a change was taken in, or a directory that is not
// watched was found changed, the thread's next rating lets go of the images, descriptors
// and notes of files no longer as they were kept (deleted, replaced, rewritten), though
// nobody asks for them again; a steady rating only compares one count.
//
// What only the engine's readers use (the keeping rule, descriptors of large files, the
// listings and name lookups FindFileNoCase remembers) is in kept_files.h.
//
// Thread safety: every function may be called from any thread; images are immutable. Each
// thread keeps its own notes of what it was served on a mark (and its own count of the
// holders of each), so that threads reading at once do not meet at the cache's lock.
#ifndef FRELANE_PLATFORM_OS_FILE_CACHE_H_
#define FRELANE_PLATFORM_OS_FILE_CACHE_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/file_stamp.h"
#include "platform/os/regular_file.h"

namespace os {

// Files above this size are not imaged: the cache keeps an open descriptor of them instead,
// under the same rule as an image.
inline constexpr std::size_t kMaxFileImageSize = 16u << 20;
// The size limit in force (kMaxFileImageSize unless a test set another).
std::size_t MaxFileImageSize();
void SetMaxFileImageSizeForTesting(std::size_t limit);

// What the cache keeps of one state of a file: its bytes, or for a file above the image
// limit an open descriptor of it (whose reads see the file as it is then).
class FileImage {
 public:
  FileImage(ReadBytes bytes, FileStamp stamp) : bytes_(std::move(bytes)), stamp_(stamp) {}
  // Takes descriptor over; closed with the last holder.
  FileImage(int descriptor, FileStamp stamp) : stamp_(stamp), descriptor_(descriptor) {}
  ~FileImage();
  FileImage(const FileImage&) = delete;
  FileImage& operator=(const FileImage&) = delete;

  // True when the bytes are held; false for a descriptor.
  bool imaged() const { return descriptor_ < 0; }
  // Empty for a descriptor.
  std::span<const std::uint8_t> bytes() const { return {bytes_.data.get(), bytes_.size}; }
  std::size_t size() const { return bytes_.size; }
  // -1 for bytes held.
  int descriptor() const { return descriptor_; }
  const FileStamp& stamp() const { return stamp_; }

 private:
  ReadBytes bytes_;
  FileStamp stamp_;
  int descriptor_ = -1;
};
using FileImagePtr = std::shared_ptr<const FileImage>;

// The bytes of the regular file at path; null when it cannot be opened or read, is no
// regular file, or is larger than MaxFileImageSize().
FileImagePtr ReadFileImage(const std::string& path);

// Holds the calling thread's view of the files steady for its lifetime. Scopes nest; the
// view is forgotten when the outermost one ends.
class SnapshotScope {
 public:
  SnapshotScope();
  ~SnapshotScope();
  SnapshotScope(const SnapshotScope&) = delete;
  SnapshotScope& operator=(const SnapshotScope&) = delete;
};

// A user's hold on a directory whose files it reads (an engine's data directory). While any
// claim on a directory stands it is watched as above; when the last one ends, the watch
// ends and the cache lets go of the directory's images, listing and name lookups, and the
// calling thread's notes. Empty or relative directories are not claimed.
class DirectoryClaim {
 public:
  DirectoryClaim() = default;
  explicit DirectoryClaim(std::string dir);
  ~DirectoryClaim();
  DirectoryClaim(DirectoryClaim&& other) noexcept : dir_(std::move(other.dir_)) {
    other.dir_.clear();
  }
  DirectoryClaim& operator=(DirectoryClaim&& other) noexcept;
  DirectoryClaim(const DirectoryClaim&) = delete;
  DirectoryClaim& operator=(const DirectoryClaim&) = delete;

 private:
  void Release();
  std::string dir_;  // empty: no claim
};

// What a layer above made of the files the cache served goes with them: each hook runs on
// the calling thread whenever the cache lets go of what it kept there, with everything
// true when a directory is let go whole, false when only what no longer stands went. At
// most four hooks; each is added once (by a static object) and stays.
using LetGoHook = void (*)(bool everything);
void OnLetGo(LetGoHook hook);

// How many images, listings and name lookups the cache keeps, once what no longer stands
// is let go (for tests).
std::size_t CachedEntriesForTesting();

// How long a change must lie in the past before its file is served from the cache.
inline constexpr std::chrono::milliseconds kDefaultSettleTime{2000};
void SetSettleTimeForTesting(std::chrono::milliseconds settle);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_FILE_CACHE_H_
