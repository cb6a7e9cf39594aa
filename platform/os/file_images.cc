// The images: files read whole (or above the image limit, open descriptors), kept while
// their stamp stands, vouched for by a mark, and dropped all at once beyond the cache's
// limits.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <utility>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "platform/os/file_cache_internal.h"
#include "platform/os/kept_files.h"
#include "platform/os/regular_file.h"

namespace os {
using namespace file_cache_internal;

namespace {

std::int64_t Nanoseconds(std::int64_t s, std::int64_t ns) { return s * 1'000'000'000 + ns; }

// Reads the open regular file whole, before being its status when opened; null when it is
// too large or unreadable. *steady is false when the file changed while it was read.
FileImagePtr ReadOpen(int fd, const struct stat& before, bool* steady) {
  const auto expected = static_cast<std::uint64_t>(before.st_size);
  const std::size_t limit = max_image_size.load();
  if (expected > limit) return nullptr;
  std::optional<ReadBytes> bytes = ReadToEnd(fd, static_cast<std::size_t>(expected), limit);
  if (!bytes) return nullptr;
  struct stat after;
  const FileStamp stamp = StampOf(before);
  *steady = ::fstat(fd, &after) == 0 && StampOf(after) == stamp && bytes->size == expected;
  return std::make_shared<const FileImage>(std::move(*bytes), stamp);
}

// The file's status: the one taken earlier in the scope, or a new one.
bool StatusOf(const std::string& path, struct stat* st) {
  if (scope.depth > 0) {
    auto it = scope.statuses.find(path);
    if (it != scope.statuses.end()) {
      *st = it->second;
      return true;
    }
  }
  return ::stat(path.c_str(), st) == 0;
}

void Keep(const std::string& path, CachedImage entry) {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  cache.Add(path, std::move(entry));
}

// Lets mark vouch for the kept image, just found current by its stamp, when path is no
// link and the file itself is watched: a write through another name of the file would not
// show in the directory's watch. The stamp is taken again once the file's watch stands, so
// a write before it shows there.
void VouchFor(const std::string& path, const FileImagePtr& image, const WatchMark& mark) {
  if (mark.changes == nullptr) return;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  if (!WatchFileOf(DirOf(path), path, image->stamp())) return;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || StampOf(st) != image->stamp()) {
    return;
  }
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  auto it = cache.images.find(path);
  if (it != cache.images.end() && it->second.image == image) it->second.mark = mark;
}

std::string_view NameOf(std::string_view path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

FileImagePtr FreshImage(const std::string& path) {
  const std::string dir = DirOf(path);
  // Taken before the file is looked at, so that any change from here on breaks it.
  const WatchMark mark = MarkBeforeCheck(dir, NameOf(path));
  struct stat st;
  if (!StatusOf(path, &st) || !S_ISREG(st.st_mode)) return nullptr;
  const FileStamp stamp = StampOf(st);
  FileImagePtr cached;
  {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.images.find(path);
    if (it != cache.images.end() && it->second.image->stamp() == stamp) cached = it->second.image;
  }
  if (cached) {
    VouchFor(path, cached, mark);
    return cached;
  }
  struct stat opened;
  const int fd = OpenRegularFile(path, &opened);
  if (fd < 0) return nullptr;
  bool steady = false;
  FileImagePtr image;
  if (static_cast<std::uint64_t>(opened.st_size) > max_image_size.load()) {
    // Too large to hold: its descriptor is kept instead, under the same rule.
    image = std::make_shared<const FileImage>(fd, StampOf(opened));
    steady = true;
  } else {
    image = ReadOpen(fd, opened, &steady);
    ::close(fd);
  }
  if (image && steady && Settled(image->stamp())) {
    Keep(path, {image, {}});
    VouchFor(path, image, mark);
  }
  return image;
}

SeenImage* SeenInScope(std::string_view path) {
  for (SeenImage& seen : scope.images.InUse()) {
    if (seen.path == path) return &seen;
  }
  return nullptr;
}

}  // namespace

namespace file_cache_internal {

bool Settled(const FileStamp& stamp) {
  struct timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::int64_t latest = std::max(Nanoseconds(stamp.modified_s, stamp.modified_ns),
                                 Nanoseconds(stamp.changed_s, stamp.changed_ns));
  return Nanoseconds(now.tv_sec, now.tv_nsec) - latest >= settle_ns.load();
}

FileImagePtr WatchedImage(const std::string& path) {
  const std::uint64_t generation = cache_generation.load(std::memory_order_acquire);
  auto noted = notes.images.find(path);
  if (noted != notes.images.end() && noted->second.generation == generation &&
      noted->second.mark.Holds()) {
    return noted->second.image;
  }
  NotedImage found;
  {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.images.find(path);
    if (it == cache.images.end() || !it->second.mark.Holds()) return nullptr;
    found = {it->second.image, it->second.mark, generation};
  }
  // The thread's own count of its holders: the copies a rating makes and drops then touch
  // no memory that other threads' copies touch.
  const FileImage* shared = found.image.get();
  found.image = FileImagePtr(std::make_shared<const FileImagePtr>(std::move(found.image)), shared);
  FileImagePtr image = found.image;
  Note(notes.images, path, std::move(found));
  return image;
}

}  // namespace file_cache_internal

FileImage::~FileImage() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

FileImagePtr ReadKeptFile(const std::string& path) {
  if (scope.depth > 0) {
    if (SeenImage* seen = SeenInScope(path)) return seen->image;
  }
  CatchUp();
  FileImagePtr image = WatchedImage(path);
  if (!image) image = FreshImage(path);
  if (scope.depth > 0) {
    SeenImage& seen = scope.images.Add();
    seen.path.assign(path);
    seen.image = image;
  }
  return image;
}

FileImagePtr ReadKeptFileNow(const std::string& path) {
  CatchUpWithChanges();
  FileImagePtr image = WatchedImage(path);
  if (!image) {
    // As outside any scope: neither the scope's statuses nor its pinned stamps are used.
    const int depth = std::exchange(scope.depth, 0);
    image = FreshImage(path);
    scope.depth = depth;
  }
  if (scope.depth > 0) {
    SeenImage* seen = SeenInScope(path);
    if (seen == nullptr) {
      seen = &scope.images.Add();
      seen->path.assign(path);
    }
    seen->image = image;
  }
  return image;
}

FileImagePtr ReadFileImage(const std::string& path) {
  FileImagePtr file = ReadKeptFile(path);
  return file && file->imaged() ? file : nullptr;
}

std::size_t MaxFileImageSize() { return max_image_size.load(); }

void SetMaxFileImageSizeForTesting(std::size_t limit) {
  max_image_size = limit;
  cache_generation.fetch_add(1, std::memory_order_acq_rel);
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  cache.Clear();
}

void SetSettleTimeForTesting(std::chrono::milliseconds settle) {
  settle_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(settle).count();
}

}  // namespace os
