#include "platform/os/file_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace os {
namespace {

// Images beyond this total, or files beyond this count, are dropped all at once; the
// next requests read them again.
constexpr std::size_t kMaxCachedBytes = 64u << 20;
constexpr std::size_t kMaxCachedFiles = 256;

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

// The directory a path names, as a key: without trailing separators ("." for none).
std::string DirKey(std::string_view dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
  return dir.empty() ? std::string(".") : std::string(dir);
}

// The directory of a file's path.
std::string DirOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A directory's entries grouped by their lower-case spelling, each group in byte order.
struct Listing {
  FileStamp stamp;
  std::unordered_map<std::string, std::vector<ListedName>> by_lower;
};

// A descriptor kept open beside the image read from it.
struct OpenFile {
  explicit OpenFile(int fd) : fd(fd) {}
  ~OpenFile() { ::close(fd); }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd;
};

struct CachedImage {
  FileImagePtr image;
  std::shared_ptr<const OpenFile> file;
  // The stamp of the directory before the file was opened; while the directory keeps it,
  // the path still names the file the descriptor holds.
  std::optional<FileStamp> dir_stamp;
};

// Never destroyed: threads may still read files while the process's statics go away.
struct Cache {
  std::mutex mu;
  std::unordered_map<std::string, CachedImage> images;
  std::size_t image_bytes = 0;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
};
Cache& TheCache() {
  static Cache* cache = new Cache;
  return *cache;
}

// Hashes std::string and std::string_view alike, so a key can be looked up without
// building a string of it.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct ScopeState {
  int depth = 0;
  std::unordered_map<std::string, FileImagePtr> images;
  std::unordered_map<std::string, std::optional<std::string>, TextHash, std::equal_to<>> lookups;
  std::unordered_map<std::string, struct stat> statuses;
  std::unordered_map<std::string, std::optional<FileStamp>> dir_stamps;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
};
thread_local ScopeState scope;

// The key of a name lookup, dir and name with a NUL between them, in a buffer of the
// caller's; empty when it does not fit (such lookups are not remembered).
constexpr std::size_t kMaxLookupKey = 1024;
std::string_view LookupKey(std::string_view dir, std::string_view name,
                           std::array<char, kMaxLookupKey>& buffer) {
  if (dir.size() + 1 + name.size() > buffer.size()) return {};
  std::memcpy(buffer.data(), dir.data(), dir.size());
  buffer[dir.size()] = '\0';
  std::memcpy(buffer.data() + dir.size() + 1, name.data(), name.size());
  return std::string_view(buffer.data(), dir.size() + 1 + name.size());
}

// The stamp of a directory (nullopt when it is none); taken once in a scope.
std::optional<FileStamp> DirStamp(const std::string& dir) {
  if (scope.depth > 0) {
    auto it = scope.dir_stamps.find(dir);
    if (it != scope.dir_stamps.end()) return it->second;
  }
  struct stat st;
  std::optional<FileStamp> stamp;
  if (::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) stamp = StampOf(st);
  if (scope.depth > 0) scope.dir_stamps.emplace(dir, stamp);
  return stamp;
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

// Inside a scope, the cached image of path when its directory and its descriptor still
// show the stamps they had; null otherwise.
FileImagePtr KeptImage(const std::string& path, const std::string& dir) {
  if (scope.depth == 0 || scope.statuses.count(path) > 0) return nullptr;
  CachedImage kept;
  {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.images.find(path);
    if (it == cache.images.end() || !it->second.file || !it->second.dir_stamp) return nullptr;
    kept = it->second;
  }
  if (DirStamp(dir) != kept.dir_stamp) return nullptr;
  struct stat st;
  if (::fstat(kept.file->fd, &st) != 0 || StampOf(st) != kept.image->stamp()) return nullptr;
  return kept.image;
}

void Keep(const std::string& path, CachedImage entry) {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  auto it = cache.images.find(path);
  if (it != cache.images.end()) {
    cache.image_bytes -= it->second.image->size();
    cache.images.erase(it);
  }
  if (cache.image_bytes + entry.image->size() > kMaxCachedBytes ||
      cache.images.size() >= kMaxCachedFiles) {
    cache.images.clear();
    cache.image_bytes = 0;
  }
  cache.image_bytes += entry.image->size();
  cache.images.emplace(path, std::move(entry));
}

FileImagePtr FreshImage(const std::string& path) {
  const std::string dir = DirOf(path);
  if (FileImagePtr kept = KeptImage(path, dir)) return kept;
  struct stat st;
  if (!StatusOf(path, &st) || !S_ISREG(st.st_mode)) return nullptr;
  const FileStamp stamp = StampOf(st);
  {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.images.find(path);
    if (it != cache.images.end() && it->second.image->stamp() == stamp) return it->second.image;
  }
  // The directory's stamp is taken before the file is opened (see CachedImage).
  std::optional<FileStamp> dir_stamp = DirStamp(dir);
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return nullptr;
  auto file = std::make_shared<const OpenFile>(fd);
  bool steady = false;
  FileImagePtr image = ReadOpen(fd, &steady);
  if (image && steady && Settled(image->stamp())) {
    if (!dir_stamp || !Settled(*dir_stamp)) dir_stamp.reset();
    Keep(path, {image, dir_stamp ? file : nullptr, dir_stamp});
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
    // A link may lead to a directory; an unknown type may be one.
    bool may_be_directory =
        entry->d_type == DT_DIR || entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
    std::string name(entry->d_name);
    listing->by_lower[LowerCase(name)].push_back({std::move(name), may_be_directory});
  }
  for (auto& [lower, names] : listing->by_lower) {
    std::sort(names.begin(), names.end(),
              [](const ListedName& a, const ListedName& b) { return a.name < b.name; });
  }
  return listing;
}

std::shared_ptr<const Listing> FreshListing(const std::string& dir) {
  std::optional<FileStamp> stamp = DirStamp(dir);
  if (!stamp) return nullptr;
  Cache& cache = TheCache();
  {
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.listings.find(dir);
    if (it != cache.listings.end() && it->second->stamp == *stamp) return it->second;
  }
  std::shared_ptr<const Listing> listing = ScanDirectory(dir);
  // Kept when it was taken of the directory whose stamp is known (the scope's, or a new
  // one taken after the scan).
  if (listing && listing->stamp == *stamp && Settled(listing->stamp) &&
      (scope.depth > 0 || DirStamp(dir) == listing->stamp)) {
    std::lock_guard<std::mutex> lock(cache.mu);
    cache.listings[dir] = listing;
  }
  return listing;
}

}  // namespace

FileStamp StampOf(const struct stat& st) {
  return {
      static_cast<std::uint64_t>(st.st_dev),         static_cast<std::uint64_t>(st.st_ino),
      static_cast<std::int64_t>(st.st_size),         static_cast<std::int64_t>(st.st_mtim.tv_sec),
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

std::optional<std::vector<ListedName>> ListNoCase(const std::string& dir, std::string_view name) {
  const std::string key = DirKey(dir);
  std::shared_ptr<const Listing> listing;
  if (scope.depth > 0) {
    auto it = scope.listings.find(key);
    if (it != scope.listings.end()) listing = it->second;
  }
  if (!listing) {
    listing = FreshListing(key);
    if (!listing) return std::nullopt;
    if (scope.depth > 0) scope.listings.emplace(key, listing);
  }
  auto it = listing->by_lower.find(LowerCase(name));
  if (it == listing->by_lower.end()) return std::vector<ListedName>();
  return it->second;
}

bool InSnapshot() { return scope.depth > 0; }

SnapshotScope::SnapshotScope() { ++scope.depth; }

SnapshotScope::~SnapshotScope() {
  if (--scope.depth > 0) return;
  scope.images.clear();
  scope.lookups.clear();
  scope.statuses.clear();
  scope.dir_stamps.clear();
  scope.listings.clear();
}

std::optional<std::optional<std::string>> RecalledLookup(std::string_view dir,
                                                         std::string_view name) {
  if (scope.depth == 0) return std::nullopt;
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return std::nullopt;
  auto it = scope.lookups.find(key);
  if (it == scope.lookups.end()) return std::nullopt;
  return it->second;
}

void RememberLookup(std::string_view dir, std::string_view name,
                    const std::optional<std::string>& found) {
  if (scope.depth == 0) return;
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return;
  auto it = scope.lookups.find(key);
  if (it != scope.lookups.end()) {
    it->second = found;
  } else {
    scope.lookups.emplace(std::string(key), found);
  }
}

void RememberStatus(const std::string& path, const struct stat& st) {
  if (scope.depth > 0) scope.statuses[path] = st;
}

void SetSettleTimeForTesting(std::chrono::milliseconds settle) {
  settle_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(settle).count();
}

}  // namespace os
