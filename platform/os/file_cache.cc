#include "platform/os/file_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <unordered_map>

namespace os {
namespace {

// Images beyond this total are dropped all at once; the next requests read them again.
constexpr std::size_t kMaxCachedBytes = 64u << 20;

std::atomic<std::int64_t> settle_ns{
    std::chrono::duration_cast<std::chrono::nanoseconds>(kDefaultSettleTime).count()};

std::int64_t Nanoseconds(std::int64_t s, std::int64_t ns) { return s * 1'000'000'000 + ns; }

// True when the stamp's last change lies at least the settle time in the past (file
// times follow the real-time clock; a time in the future never settles).
bool Settled(const FileStamp& stamp) {
  struct timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::int64_t latest = std::max(Nanoseconds(stamp.modified_s, stamp.modified_ns),
                                 Nanoseconds(stamp.changed_s, stamp.changed_ns));
  return Nanoseconds(now.tv_sec, now.tv_nsec) - latest >= settle_ns.load();
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

// A directory's entries grouped by their lower-case spelling, each group in byte order.
struct Listing {
  FileStamp stamp;
  std::unordered_map<std::string, std::vector<std::string>> by_lower;
};

// Never destroyed: threads may still read files while the process's statics go away.
struct Cache {
  std::mutex mu;
  std::unordered_map<std::string, FileImagePtr> images;
  std::size_t image_bytes = 0;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
};
Cache& TheCache() {
  static Cache* cache = new Cache;
  return *cache;
}

struct ScopeState {
  int depth = 0;
  std::unordered_map<std::string, FileImagePtr> images;
  std::unordered_map<std::string, std::optional<std::string>> lookups;
  std::unordered_map<std::string, struct stat> statuses;
};
thread_local ScopeState scope;

std::string LookupKey(std::string_view dir, std::string_view name) {
  std::string key(dir);
  key += '\0';
  key.append(name);
  return key;
}

// Reads the open file whole; null when it is no regular file, too large or unreadable.
// *steady is false when the file changed while it was read.
FileImagePtr ReadOpen(int fd, bool* steady) {
  struct stat before;
  if (::fstat(fd, &before) != 0 || !S_ISREG(before.st_mode) ||
      static_cast<std::uint64_t>(before.st_size) > kMaxFileImageSize) {
    return nullptr;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(before.st_size));
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) {
      // The file may have grown since its size was taken.
      if (bytes.size() > kMaxFileImageSize) return nullptr;
      bytes.resize(bytes.size() + 4096);
    }
    ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return nullptr;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  struct stat after;
  FileStamp stamp = StampOf(before);
  *steady = ::fstat(fd, &after) == 0 && StampOf(after) == stamp &&
            done == static_cast<std::size_t>(before.st_size);
  return std::make_shared<const FileImage>(std::move(bytes), stamp);
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

FileImagePtr FreshImage(const std::string& path) {
  struct stat st;
  if (!StatusOf(path, &st) || !S_ISREG(st.st_mode)) return nullptr;
  const FileStamp stamp = StampOf(st);
  Cache& cache = TheCache();
  {
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.images.find(path);
    if (it != cache.images.end() && it->second->stamp() == stamp) return it->second;
  }
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  bool steady = false;
  FileImagePtr image = ReadOpen(fd, &steady);
  ::close(fd);
  if (image && steady && Settled(image->stamp())) {
    std::lock_guard<std::mutex> lock(cache.mu);
    FileImagePtr& slot = cache.images[path];
    if (slot) cache.image_bytes -= slot->size();
    if (cache.image_bytes + image->size() > kMaxCachedBytes) {
      cache.images.clear();
      cache.image_bytes = 0;
    }
    cache.images[path] = image;
    cache.image_bytes += image->size();
  }
  return image;
}

std::shared_ptr<const Listing> ScanDirectory(const std::string& dir) {
  std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
  if (!handle) return nullptr;
  struct stat before;
  if (::fstat(::dirfd(handle.get()), &before) != 0) return nullptr;
  auto listing = std::make_shared<Listing>();
  listing->stamp = StampOf(before);
  while (const dirent* entry = ::readdir(handle.get())) {
    std::string name(entry->d_name);
    listing->by_lower[LowerCase(name)].push_back(std::move(name));
  }
  for (auto& [lower, names] : listing->by_lower) std::sort(names.begin(), names.end());
  return listing;
}

std::shared_ptr<const Listing> FreshListing(const std::string& dir) {
  struct stat st;
  if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
  const FileStamp stamp = StampOf(st);
  Cache& cache = TheCache();
  {
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.listings.find(dir);
    if (it != cache.listings.end() && it->second->stamp == stamp) return it->second;
  }
  std::shared_ptr<const Listing> listing = ScanDirectory(dir);
  struct stat after;
  if (listing && Settled(listing->stamp) && ::stat(dir.c_str(), &after) == 0 &&
      StampOf(after) == listing->stamp) {
    std::lock_guard<std::mutex> lock(cache.mu);
    cache.listings[dir] = listing;
  }
  return listing;
}

}  // namespace

FileStamp StampOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev),      static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),      static_cast<std::int64_t>(st.st_mtim.tv_sec),
          static_cast<std::int64_t>(st.st_mtim.tv_nsec), static_cast<std::int64_t>(st.st_ctim.tv_sec),
          static_cast<std::int64_t>(st.st_ctim.tv_nsec)};
}

FileImagePtr ReadFileImage(const std::string& path) {
  if (scope.depth > 0) {
    auto it = scope.images.find(path);
    if (it != scope.images.end()) return it->second;
  }
  FileImagePtr image = FreshImage(path);
  if (scope.depth > 0) scope.images.emplace(path, image);
  return image;
}

std::optional<std::vector<std::string>> ListNoCase(const std::string& dir, std::string_view name) {
  std::shared_ptr<const Listing> listing = FreshListing(dir);
  if (!listing) return std::nullopt;
  auto it = listing->by_lower.find(LowerCase(name));
  if (it == listing->by_lower.end()) return std::vector<std::string>();
  return it->second;
}

SnapshotScope::SnapshotScope() { ++scope.depth; }

SnapshotScope::~SnapshotScope() {
  if (--scope.depth > 0) return;
  scope.images.clear();
  scope.lookups.clear();
  scope.statuses.clear();
}

std::optional<std::optional<std::string>> RecalledLookup(std::string_view dir,
                                                         std::string_view name) {
  if (scope.depth == 0) return std::nullopt;
  auto it = scope.lookups.find(LookupKey(dir, name));
  if (it == scope.lookups.end()) return std::nullopt;
  return it->second;
}

void RememberLookup(std::string_view dir, std::string_view name,
                    const std::optional<std::string>& found) {
  if (scope.depth > 0) scope.lookups[LookupKey(dir, name)] = found;
}

void RememberStatus(const std::string& path, const struct stat& st) {
  if (scope.depth > 0) scope.statuses[path] = st;
}

void SetSettleTimeForTesting(std::chrono::milliseconds settle) {
  settle_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(settle).count();
}

}  // namespace os
