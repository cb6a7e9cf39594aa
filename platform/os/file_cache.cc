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
#include <utility>

#include "platform/os/ascii_keys.h"
#include "platform/os/dir_watch.h"
#include "platform/os/parsed_files.h"
#include "platform/os/regular_file.h"

namespace os {
namespace {

// Images beyond this total, or files beyond this count, are dropped all at once; the
// next requests read them again.
constexpr std::size_t kMaxCachedBytes = 64u << 20;
constexpr std::size_t kMaxCachedFiles = 256;

std::atomic<std::size_t> max_image_size{kMaxFileImageSize};
// Changes whenever what the cache keeps is dropped outside the marks (a new size limit), so
// that no thread serves what it noted before from its own notes.
std::atomic<std::uint64_t> cache_generation{0};

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

// Listings beyond this count are dropped all at once.
constexpr std::size_t kMaxKeptListings = 1024;

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
  // Holds while the directory's watch has seen nothing that may touch the file: the image is
  // then served without asking the file system.
  WatchMark mark;
};

// A name lookup's answer, served again while its mark holds.
struct KeptLookup {
  bool found = false;
  std::string path;
  WatchMark mark;
};

// Never destroyed: threads may still read files while the process's statics go away.
struct Cache {
  std::mutex mu;
  std::unordered_map<std::string, CachedImage> images;
  std::size_t image_bytes = 0;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
  std::unordered_map<std::string, KeptLookup, TextHash, std::equal_to<>> lookups;
};
Cache& TheCache() {
  static Cache* cache = new Cache;
  return *cache;
}

// A list whose items, strings included, keep their storage from one scope to the next.
template <typename T>
struct ReusedList {
  std::vector<T> items;
  std::size_t size = 0;

  T& Add() {
    if (size == items.size()) items.emplace_back();
    return items[size++];
  }
  std::span<T> InUse() { return std::span<T>(items).first(size); }
};

struct SeenImage {
  std::string path;
  FileImagePtr image;
};
struct SeenLookup {
  std::string key;  // see LookupKey
  std::size_t hash = 0;
  bool found = false;
  std::string path;
};

struct ScopeState {
  int depth = 0;
  std::uint64_t serial = 0;  // of the outermost scope in hand, unique in the process
  bool caught_up = false;    // with the changes the directory watches saw
  // When the thread's last outermost scope ended (steady clock, read without a system call).
  std::chrono::steady_clock::time_point last_end{};
  ReusedList<SeenImage> images;
  ReusedList<SeenLookup> lookups;
  std::unordered_map<std::string, struct stat> statuses;
  std::unordered_map<std::string, std::optional<FileStamp>> dir_stamps;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
};
thread_local ScopeState scope;

// What this thread was last served on a mark, by path or lookup key: while the mark holds
// it is served again without the cache's lock, so that threads rating at once do not meet
// there. Dropped all at once beyond a count.
struct NotedImage {
  FileImagePtr image;
  WatchMark mark;
  std::uint64_t generation = 0;
};
struct NotedLookup {
  bool found = false;
  std::string path;
  WatchMark mark;
  std::uint64_t generation = 0;
};
constexpr std::size_t kMaxNotes = 512;
// Set once the thread's notes are destroyed: an engine ending as its thread ends may let
// its directory go after them.
thread_local bool notes_gone = false;
struct ThreadNotes {
  ~ThreadNotes() { notes_gone = true; }
  std::unordered_map<std::string, NotedImage, TextHash, std::equal_to<>> images;
  std::unordered_map<std::string, NotedLookup, TextHash, std::equal_to<>> lookups;
};
thread_local ThreadNotes notes;

template <typename Map, typename Value>
void Note(Map& map, std::string_view key, Value value) {
  if (map.size() >= kMaxNotes) map.clear();
  auto it = map.find(key);
  if (it == map.end()) it = map.emplace(std::string(key), Value()).first;
  it->second = std::move(value);
}

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

// The stamp of a directory (nullopt when it is none); taken once in a scope when pinned.
std::optional<FileStamp> DirStamp(const std::string& dir, bool pinned = true) {
  pinned = pinned && scope.depth > 0;
  if (pinned) {
    auto it = scope.dir_stamps.find(dir);
    if (it != scope.dir_stamps.end()) return it->second;
  }
  struct stat st;
  std::optional<FileStamp> stamp;
  if (::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) stamp = StampOf(st);
  if (pinned) scope.dir_stamps.emplace(dir, stamp);
  return stamp;
}

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

// The kept image of path while its mark holds; null otherwise.
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

// Lets mark vouch for the kept image, just found current by its stamp, when path is no
// link and the file itself is watched: a write through another name of the file would not
// show in the directory's watch. The stamp is taken again once the file's watch stands, so
// a write before it shows there.
void VouchFor(const std::string& path, const FileImagePtr& image, const WatchMark& mark) {
  if (mark.changes == nullptr) return;
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  if (!WatchFileOf(DirOf(path), path)) return;
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
  if (FileImagePtr kept = KeptImage(path, dir)) {
    VouchFor(path, kept, mark);
    return kept;
  }
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
  // The directory's stamp is taken before the file is opened (see CachedImage).
  std::optional<FileStamp> dir_stamp = DirStamp(dir);
  struct stat opened;
  const int fd = OpenRegularFile(path, &opened);
  if (fd < 0) return nullptr;
  auto file = std::make_shared<const OpenFile>(fd);
  bool steady = false;
  FileImagePtr image = ReadOpen(fd, opened, &steady);
  if (image && steady && Settled(image->stamp())) {
    if (!dir_stamp || !Settled(*dir_stamp)) dir_stamp.reset();
    Keep(path, {image, dir_stamp ? file : nullptr, dir_stamp, {}});
    VouchFor(path, image, mark);
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
    const bool may_be_link = entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
    const bool may_be_directory = entry->d_type == DT_DIR || may_be_link;
    std::string name(entry->d_name);
    listing->by_lower[LowerCase(name)].push_back({std::move(name), may_be_directory, may_be_link});
  }
  for (auto& [lower, names] : listing->by_lower) {
    std::sort(names.begin(), names.end(),
              [](const ListedName& a, const ListedName& b) { return a.name < b.name; });
  }
  return listing;
}

std::shared_ptr<const Listing> FreshListing(const std::string& dir, bool pinned) {
  std::optional<FileStamp> stamp = DirStamp(dir, pinned);
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
      ((pinned && scope.depth > 0) || DirStamp(dir, pinned) == listing->stamp)) {
    std::lock_guard<std::mutex> lock(cache.mu);
    if (cache.listings.size() >= kMaxKeptListings) cache.listings.clear();
    cache.listings[dir] = listing;
  }
  return listing;
}

std::optional<std::vector<ListedName>> List(const std::string& dir, std::string_view name,
                                            bool pinned) {
  const std::string key = DirKey(dir);
  pinned = pinned && scope.depth > 0;
  std::shared_ptr<const Listing> listing;
  if (pinned) {
    auto it = scope.listings.find(key);
    if (it != scope.listings.end()) listing = it->second;
  }
  if (!listing) {
    listing = FreshListing(key, pinned);
    if (!listing) return std::nullopt;
    if (pinned) scope.listings.emplace(key, listing);
  }
  auto it = listing->by_lower.find(LowerCase(name));
  if (it == listing->by_lower.end()) return std::vector<ListedName>();
  return it->second;
}

// A scope begun within this time of the thread's previous one is taken for a run of ratings
// back to back: nothing outside them had time to change a file and look for the change,
// and the watcher thread takes in what changed meanwhile. After a longer pause (a user
// typing, a caller that wrote a file between two ratings) the first request asks the
// kernel's queue itself, so a change finished before the rating always shows in it.
constexpr auto kBackToBack = std::chrono::microseconds(20);

// Takes in the changes the directory watches saw: at each request outside a scope, and at
// the first of a scope unless the watcher thread takes them in and the scope follows the
// previous one back to back (a steady run of ratings then makes no system call while its
// files are vouched for).
void CatchUp() {
  if (scope.depth > 0) {
    if (scope.caught_up) return;
    scope.caught_up = true;
    if (ChangesArriveByThemselves() &&
        std::chrono::steady_clock::now() - scope.last_end < kBackToBack) {
      return;
    }
  }
  CatchUpWithChanges();
}

SeenImage* SeenInScope(std::string_view path) {
  for (SeenImage& seen : scope.images.InUse()) {
    if (seen.path == path) return &seen;
  }
  return nullptr;
}

SeenLookup* SeenInScope(std::string_view key, std::size_t hash) {
  for (SeenLookup& seen : scope.lookups.InUse()) {
    if (seen.hash == hash && seen.key == key) return &seen;
  }
  return nullptr;
}

void SeeInScope(std::string_view key, std::size_t hash, const std::optional<std::string>& found) {
  SeenLookup& seen = scope.lookups.Add();
  seen.key.assign(key);
  seen.hash = hash;
  seen.found = found.has_value();
  if (found) seen.path.assign(*found);
}

// Lookups kept across scopes beyond this count are dropped all at once.
constexpr std::size_t kMaxKeptLookups = 4096;

// The directory part of a lookup key (see LookupKey).
std::string_view LookupDir(std::string_view key) { return key.substr(0, key.find('\0')); }

// Drops what the cache keeps of dir, and the calling thread's notes.
void ForgetDirectory(const std::string& dir) {
  const std::string key = DirKey(dir);
  if (!notes_gone) {
    notes.images.clear();
    notes.lookups.clear();
  }
  ForgetParsedFiles();
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  std::erase_if(cache.images, [&](const auto& entry) {
    if (DirKey(DirOf(entry.first)) != key) return false;
    cache.image_bytes -= entry.second.image->size();
    return true;
  });
  cache.listings.erase(key);
  std::erase_if(cache.lookups,
                [&](const auto& entry) { return DirKey(LookupDir(entry.first)) == key; });
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

FileImagePtr ReadFileImageNow(const std::string& path) {
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

std::size_t MaxFileImageSize() { return max_image_size.load(); }

void SetMaxFileImageSizeForTesting(std::size_t limit) {
  max_image_size = limit;
  cache_generation.fetch_add(1, std::memory_order_acq_rel);
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  cache.images.clear();
  cache.image_bytes = 0;
}

std::optional<std::vector<ListedName>> ListNoCase(const std::string& dir, std::string_view name) {
  return List(dir, name, true);
}

std::optional<std::vector<ListedName>> ListNoCaseNow(const std::string& dir,
                                                     std::string_view name) {
  return List(dir, name, false);
}

bool InSnapshot() { return scope.depth > 0; }

std::uint64_t SnapshotSerial() { return scope.depth > 0 ? scope.serial : 0; }

std::uint64_t ChangesSoFar() {
  CatchUp();
  // Both only ever grow, so their sum moves whenever either does: a cache emptied (its
  // size limit changed, a directory let go) ends what was kept as a change does.
  return ChangesTakenIn() + cache_generation.load(std::memory_order_acquire);
}

bool IsServedOnMark(const std::string& path, const FileImagePtr& image) {
  return image != nullptr && WatchedImage(path) == image;
}

void KeptWhileUnchanged::Start() {
  changes_ = ChangesSoFar();
  vouched_ = true;
  asked_in_ = SnapshotSerial();
}

bool KeptWhileUnchanged::StandsForThisScope() {
  const std::uint64_t scope = SnapshotSerial();
  if (scope != 0 && scope == asked_in_) return true;
  asked_in_ = scope;
  return Stands();
}

bool KeptWhileUnchanged::Include(const std::string& path, const FileImagePtr& image) {
  const bool on_mark = IsServedOnMark(path, image);
  if (!on_mark) vouched_ = false;
  return on_mark;
}

// Serials count every thread's scopes together: an object rated from one thread and then
// another (an engine handed on) must not take the second thread's scope for the first's.
std::atomic<std::uint64_t> last_scope_serial{0};

SnapshotScope::SnapshotScope() {
  if (scope.depth++ == 0) {
    scope.serial = last_scope_serial.fetch_add(1, std::memory_order_relaxed) + 1;
  }
}

SnapshotScope::~SnapshotScope() {
  if (--scope.depth > 0) return;
  for (SeenImage& seen : scope.images.InUse()) seen.image.reset();
  scope.images.size = 0;
  scope.lookups.size = 0;
  scope.caught_up = false;
  scope.statuses.clear();
  scope.dir_stamps.clear();
  scope.listings.clear();
  scope.last_end = std::chrono::steady_clock::now();
}

std::optional<std::optional<std::string>> RecalledLookup(std::string_view dir,
                                                         std::string_view name) {
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return std::nullopt;
  const std::size_t hash = TextHash{}(key);
  if (scope.depth > 0) {
    if (const SeenLookup* seen = SeenInScope(key, hash)) {
      if (!seen->found) return std::optional<std::string>();
      return std::optional<std::string>(seen->path);
    }
  }
  CatchUp();
  std::optional<std::optional<std::string>> found;
  const std::uint64_t generation = cache_generation.load(std::memory_order_acquire);
  auto noted = notes.lookups.find(key);
  if (noted != notes.lookups.end() && noted->second.generation == generation &&
      noted->second.mark.Holds()) {
    found.emplace();
    if (noted->second.found) found->emplace(noted->second.path);
  } else {
    NotedLookup note;
    {
      Cache& cache = TheCache();
      std::lock_guard<std::mutex> lock(cache.mu);
      auto it = cache.lookups.find(key);
      if (it == cache.lookups.end() || !it->second.mark.Holds()) return std::nullopt;
      note = {it->second.found, it->second.path, it->second.mark, generation};
    }
    found.emplace();
    if (note.found) found->emplace(note.path);
    Note(notes.lookups, key, std::move(note));
  }
  if (scope.depth > 0) SeeInScope(key, hash, *found);
  return found;
}

bool IsLookupOnMark(std::string_view dir, std::string_view name) {
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return false;
  const std::uint64_t generation = cache_generation.load(std::memory_order_acquire);
  auto noted = notes.lookups.find(key);
  if (noted != notes.lookups.end() && noted->second.generation == generation &&
      noted->second.mark.Holds()) {
    return true;
  }
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  auto it = cache.lookups.find(key);
  return it != cache.lookups.end() && it->second.mark.Holds();
}

void RememberLookup(std::string_view dir, std::string_view name,
                    const std::optional<std::string>& found) {
  if (scope.depth == 0) return;
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return;
  const std::size_t hash = TextHash{}(key);
  if (SeenInScope(key, hash) == nullptr) SeeInScope(key, hash, found);
}

void KeepLookup(std::string_view dir, std::string_view name,
                const std::optional<std::string>& found, const WatchMark& mark) {
  if (mark.changes == nullptr) return;
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  auto it = cache.lookups.find(key);
  if (it == cache.lookups.end()) {
    if (cache.lookups.size() >= kMaxKeptLookups) cache.lookups.clear();
    it = cache.lookups.emplace(std::string(key), KeptLookup()).first;
  }
  it->second.found = found.has_value();
  it->second.path = found.value_or("");
  it->second.mark = mark;
}

void RememberStatus(const std::string& path, const struct stat& st) {
  if (scope.depth > 0) scope.statuses[path] = st;
}

DirectoryClaim::DirectoryClaim(std::string dir) {
  if (dir.empty() || dir.front() != '/') return;
  ClaimDirectory(dir);
  dir_ = std::move(dir);
}

DirectoryClaim::~DirectoryClaim() { Release(); }

DirectoryClaim& DirectoryClaim::operator=(DirectoryClaim&& other) noexcept {
  if (this != &other) {
    Release();
    dir_ = std::move(other.dir_);
    other.dir_.clear();
  }
  return *this;
}

void DirectoryClaim::Release() {
  if (dir_.empty()) return;
  if (ReleaseDirectory(dir_)) ForgetDirectory(dir_);
  dir_.clear();
}

std::size_t CachedEntriesForTesting() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  return cache.images.size() + cache.listings.size() + cache.lookups.size();
}

void SetSettleTimeForTesting(std::chrono::milliseconds settle) {
  settle_ns = std::chrono::duration_cast<std::chrono::nanoseconds>(settle).count();
}

}  // namespace os
