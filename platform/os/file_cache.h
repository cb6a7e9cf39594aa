// Whole-file images of the small read-only files a rating searches, and the listings of
// the directories they lie in, shared by every thread of the process.
//
// An image (or listing) is read once and served again while the file's stamp (device,
// inode, size, modification and change times) is unchanged. A file whose stamp is younger
// than the settle time is read afresh at every request: a second change inside the file
// system's clock tick would leave its stamp alone.
//
// Inside a SnapshotScope the calling thread sees each file and each name lookup as it
// first found them in that scope, without asking the file system again; outside any scope
// every request checks the stamp. Inside a scope a directory's stamp is taken once, and a
// file of a directory whose stamp is unchanged (so no name in it was added, removed or
// renamed) is checked through the descriptor it was read from.
//
// Where the directory is watched (see dir_watch.h) an image found current, and a name
// lookup's answer, carry a mark taken before they were checked; while it holds they are
// served without any system call, across scopes and threads. An image is vouched for so
// only while its file is watched itself, so that a write through another name of the file
// (a hard link elsewhere) breaks the mark too; where that watch cannot be had, the stamp is
// checked at each request. The changes the watches saw
// are taken in at each request outside a scope and at the first request of a scope, so a
// change finished before a rating shows in it. What is not watched is checked as above.
//
// Thread safety: every function may be called from any thread; images are immutable. Each
// thread keeps its own notes of what it was served on a mark (and its own count of the
// holders of each), so that threads reading at once do not meet at the cache's lock.
#ifndef FRELANE_PLATFORM_OS_FILE_CACHE_H_
#define FRELANE_PLATFORM_OS_FILE_CACHE_H_

#include <sys/stat.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/dir_watch.h"
#include "platform/os/regular_file.h"

namespace os {

// What tells one state of a file from another.
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
FileStamp StampOf(const struct stat& st);

// Files above this size are not imaged; their readers go to the file itself.
inline constexpr std::size_t kMaxFileImageSize = 16u << 20;
// The size limit in force (kMaxFileImageSize unless a test set another).
std::size_t MaxFileImageSize();
void SetMaxFileImageSizeForTesting(std::size_t limit);

class FileImage {
 public:
  FileImage(ReadBytes bytes, FileStamp stamp) : bytes_(std::move(bytes)), stamp_(stamp) {}
  std::span<const std::uint8_t> bytes() const { return {bytes_.data.get(), bytes_.size}; }
  std::size_t size() const { return bytes_.size; }
  const FileStamp& stamp() const { return stamp_; }

 private:
  ReadBytes bytes_;
  FileStamp stamp_;
};
using FileImagePtr = std::shared_ptr<const FileImage>;

// The bytes of the regular file at path; null when it cannot be opened or read, is no
// regular file, or is larger than MaxFileImageSize().
FileImagePtr ReadFileImage(const std::string& path);
// As ReadFileImage outside any scope: the file as it is now. Inside a scope the image read
// also replaces what the scope saw of path, so the rest of the scope sees it.
FileImagePtr ReadFileImageNow(const std::string& path);

struct ListedName {
  std::string name;
  bool may_be_directory = true;  // false when the listing says it is no directory
  bool may_be_link = true;       // false when the listing gives its type, and no link
};
// The names in dir (an existing directory path) that equal name without regard to ASCII
// case, in byte order; nullopt when dir cannot be listed.
std::optional<std::vector<ListedName>> ListNoCase(const std::string& dir, std::string_view name);
// As ListNoCase, but as outside any scope, leaving the scope's view alone.
std::optional<std::vector<ListedName>> ListNoCaseNow(const std::string& dir, std::string_view name);

// Holds the calling thread's view of the files steady for its lifetime. Scopes nest; the
// view is forgotten when the outermost one ends.
class SnapshotScope {
 public:
  SnapshotScope();
  ~SnapshotScope();
  SnapshotScope(const SnapshotScope&) = delete;
  SnapshotScope& operator=(const SnapshotScope&) = delete;
};

// True while the calling thread is inside a SnapshotScope.
bool InSnapshot();
// A number of the calling thread's outermost scope in hand, unique in the process and new
// with each scope; 0 outside any scope.
std::uint64_t SnapshotSerial();

// ChangesTakenIn (see dir_watch.h) once the changes so far are taken in, as a request
// would take them in. A caller may keep what it was served on a mark (see IsServedOnMark)
// for as long as this stays the same.
std::uint64_t ChangesSoFar();
// True when image is what ReadFileImage(path) serves on a mark that holds.
bool IsServedOnMark(const std::string& path, const FileImagePtr& image);

// Lets a reader keep what it found by name and read (paths, images, what it made of them)
// across requests without asking the cache again: what was counted in since Start stands
// while every image of it was served on a mark and no change has been taken in since.
class KeptWhileUnchanged {
 public:
  // Begins a new set, before its files are looked up: a change taken in after this point
  // ends it.
  void Start();
  // Counts in image, just read from path; the set stands only if it was served on a mark.
  // True when it was (the image may then be kept with the set).
  bool Include(const std::string& path, const FileImagePtr& image);
  // Ends the set: nothing stands until the next Start.
  void Forget() {
    vouched_ = false;
    asked_in_ = 0;
  }
  // True while everything counted in since Start stands.
  bool Stands() const { return vouched_ && ChangesSoFar() == changes_; }
  // Stands, asked once a scope (see SnapshotScope): a later ask in the same scope, or one
  // after a Start in it, is true, so that a rating keeps to what it first found.
  bool StandsForThisScope();

 private:
  std::uint64_t changes_ = 0;
  bool vouched_ = false;
  std::uint64_t asked_in_ = 0;  // the scope last asked or started in (0: none)
};

// The name lookups used by FindFileNoCase: the answer of (dir, name) given in the scope in
// hand, or one kept while its mark holds; nullopt when there is none.
std::optional<std::optional<std::string>> RecalledLookup(std::string_view dir,
                                                         std::string_view name);
// True when the answer FindFileNoCase(dir, name) gives now is kept on a mark that holds,
// found or not: a caller may keep it as IsServedOnMark allows for an image.
bool IsLookupOnMark(std::string_view dir, std::string_view name);
// Holds the answer for the rest of the scope in hand.
void RememberLookup(std::string_view dir, std::string_view name,
                    const std::optional<std::string>& found);
// Keeps an answer found as outside any scope, after mark was taken, for as long as the mark
// holds (not at all for an empty mark).
void KeepLookup(std::string_view dir, std::string_view name,
                const std::optional<std::string>& found, const WatchMark& mark);
// The status FindFileNoCase took of a file, kept for the image read of it in the same scope.
void RememberStatus(const std::string& path, const struct stat& st);

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

// How many images, listings and name lookups the cache keeps (for tests).
std::size_t CachedEntriesForTesting();

// How long a change must lie in the past before its file is served from the cache.
inline constexpr std::chrono::milliseconds kDefaultSettleTime{2000};
void SetSettleTimeForTesting(std::chrono::milliseconds settle);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_FILE_CACHE_H_
