// What the file cache's parts share: the process-wide cache, the calling thread's scope and
// its notes, and the name lookups FindFileNoCase remembers. Private to file_cache.cc,
// file_images.cc, file_listings.cc, rating_scope.cc and file_lookup.cc.
#ifndef FRELANE_PLATFORM_OS_FILE_CACHE_INTERNAL_H_
#define FRELANE_PLATFORM_OS_FILE_CACHE_INTERNAL_H_

#include <sys/stat.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/os/ascii_keys.h"
#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "platform/os/file_stamp.h"
#include "platform/os/listed_name.h"

namespace os::file_cache_internal {

// Images beyond this total, files beyond this count, or descriptors (of files above the
// image limit) beyond theirs, are dropped all at once; the next requests read them again.
inline constexpr std::size_t kMaxCachedBytes = 64u << 20;
inline constexpr std::size_t kMaxCachedFiles = 256;
inline constexpr std::size_t kMaxCachedDescriptors = 32;

inline std::atomic<std::size_t> max_image_size{kMaxFileImageSize};
// Changes whenever what the cache keeps is dropped outside the marks (a new size limit), so
// that no thread serves what it noted before from its own notes.
inline std::atomic<std::uint64_t> cache_generation{0};

inline std::atomic<std::int64_t> settle_ns{
    std::chrono::duration_cast<std::chrono::nanoseconds>(kDefaultSettleTime).count()};

// True when the stamp's last change lies at least the settle time in the past (file
// times follow the real-time clock; a time in the future never settles).
bool Settled(const FileStamp& stamp);

// The directory a path names, as a key: without trailing separators ("." for none).
inline std::string DirKey(std::string_view dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
  return dir.empty() ? std::string(".") : std::string(dir);
}

// The directory of a file's path.
inline std::string DirOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// A directory's entries grouped by their lower-case spelling, each group in byte order.
struct Listing {
  FileStamp stamp;
  std::unordered_map<std::string, std::vector<ListedName>> by_lower;
};

struct CachedImage {
  FileImagePtr image;
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

// Freed only with the code (see process_state.h).
struct Cache {
  using Images = std::unordered_map<std::string, CachedImage>;

  // Under mu: what every image and descriptor counts towards.
  void Add(const std::string& path, CachedImage entry);
  Images::iterator Erase(Images::iterator it);
  void Clear();

  std::mutex mu;
  Images images;
  std::size_t image_bytes = 0;
  std::size_t descriptors = 0;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
  std::unordered_map<std::string, KeptLookup, TextHash, std::equal_to<>> lookups;
};
Cache& TheCache();

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
  bool caught_up = false;  // with the changes the directory watches saw
  // LetGoCount() when the thread last let go of what no longer stands.
  std::uint64_t let_go_at = 0;
  // When the thread's last outermost scope ended (steady clock, read without a system call).
  std::chrono::steady_clock::time_point last_end{};
  ReusedList<SeenImage> images;
  ReusedList<SeenLookup> lookups;
  std::unordered_map<std::string, struct stat> statuses;
  std::unordered_map<std::string, std::optional<FileStamp>> dir_stamps;
  std::unordered_map<std::string, std::shared_ptr<const Listing>> listings;
};
extern thread_local ScopeState scope;

// Takes in the changes the directory watches saw: at each request outside a scope, and at
// the first of a scope unless it follows the previous one back to back (see rating_scope.cc).
void CatchUp();

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
inline constexpr std::size_t kMaxNotes = 512;
// Set once the thread's notes are destroyed: an engine ending as its thread ends may let
// its directory go after them.
extern thread_local bool notes_gone;
struct ThreadNotes {
  ~ThreadNotes() { notes_gone = true; }
  std::unordered_map<std::string, NotedImage, TextHash, std::equal_to<>> images;
  std::unordered_map<std::string, NotedLookup, TextHash, std::equal_to<>> lookups;
};
extern thread_local ThreadNotes notes;

template <typename Map, typename Value>
void Note(Map& map, std::string_view key, Value value) {
  if (map.size() >= kMaxNotes) map.clear();
  auto it = map.find(key);
  if (it == map.end()) it = map.emplace(std::string(key), Value()).first;
  it->second = std::move(value);
}

// Moves whenever the cache let go of images that no longer stand, so that every thread
// lets go of its own notes and what was made of them too.
inline std::atomic<std::uint64_t> images_let_go{0};
// Moves whenever something kept may have stopped standing (see stale_files.cc).
std::uint64_t LetGoCount();
// Lets go of what no longer stands: the calling thread's notes whose marks broke, the
// cache's images whose files are no longer as imaged (one stat each of those whose marks
// broke; with dir, a directory just found changed, of its images no mark holds for), and
// what the layers above made of them (see OnLetGo).
void LetGoOfStale(const std::string* dir = nullptr);
// LetGoOfStale when LetGoCount() moved since the thread last ran it; at a rating's first
// request, once its changes are taken in.
inline void LetGoWhenMoved() {
  if (LetGoCount() != scope.let_go_at) LetGoOfStale();
}
// Runs the hooks of OnLetGo.
void RunLetGoHooks(bool everything);

// The kept image of path while its mark holds; null otherwise.
FileImagePtr WatchedImage(const std::string& path);

// The key of a name lookup, dir and name with a NUL between them, in a buffer of the
// caller's; empty when it does not fit (such lookups are not remembered).
inline constexpr std::size_t kMaxLookupKey = 1024;
inline std::string_view LookupKey(std::string_view dir, std::string_view name,
                                  std::array<char, kMaxLookupKey>& buffer) {
  if (dir.size() + 1 + name.size() > buffer.size()) return {};
  std::memcpy(buffer.data(), dir.data(), dir.size());
  buffer[dir.size()] = '\0';
  std::memcpy(buffer.data() + dir.size() + 1, name.data(), name.size());
  return std::string_view(buffer.data(), dir.size() + 1 + name.size());
}

// The directory part of a lookup key (see LookupKey).
inline std::string_view LookupDir(std::string_view key) { return key.substr(0, key.find('\0')); }

}  // namespace os::file_cache_internal

namespace os {

// The name lookups used by FindFileNoCase: the answer of (dir, name) given in the scope in
// hand, or one kept while its mark holds; nullopt when there is none.
std::optional<std::optional<std::string>> RecalledLookup(std::string_view dir,
                                                         std::string_view name);
// Holds the answer for the rest of the scope in hand.
void RememberLookup(std::string_view dir, std::string_view name,
                    const std::optional<std::string>& found);
// Keeps an answer found as outside any scope, after mark was taken, for as long as the mark
// holds (not at all for an empty mark).
void KeepLookup(std::string_view dir, std::string_view name,
                const std::optional<std::string>& found, const WatchMark& mark);
// True when the answer of (dir, name) kept while its mark holds is answer.
bool LookupKeptOnMark(std::string_view dir, std::string_view name,
                      const std::optional<std::string>& answer);
// The status FindFileNoCase took of a file, kept for the image read of it in the same scope.
void RememberStatus(const std::string& path, const struct stat& st);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_FILE_CACHE_INTERNAL_H_
