// The listings and look-ups: directories listed by lower-case name and kept while their
// stamp stands, and the answers of name lookups remembered in a scope or kept on a mark.
#include <dirent.h>

#include <algorithm>
#include <array>
#include <mutex>

#include "platform/os/file_cache.h"
#include "platform/os/file_cache_internal.h"
#include "platform/os/kept_files.h"

namespace os {
using namespace file_cache_internal;

namespace {

// Listings beyond this count are dropped all at once.
constexpr std::size_t kMaxKeptListings = 1024;
// Lookups kept across scopes beyond this count are dropped all at once.
constexpr std::size_t kMaxKeptLookups = 4096;

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
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
  bool changed = false;
  {
    std::lock_guard<std::mutex> lock(cache.mu);
    auto it = cache.listings.find(dir);
    if (it != cache.listings.end() && it->second->stamp == *stamp) return it->second;
    changed = it != cache.listings.end();
  }
  // A name the directory lost or replaced no longer holds its image, even where no watch
  // tells of it.
  if (changed) LetGoOfStale(&dir);
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

}  // namespace

std::optional<std::vector<ListedName>> ListNoCase(const std::string& dir, std::string_view name) {
  return List(dir, name, true);
}

std::optional<std::vector<ListedName>> ListNoCaseNow(const std::string& dir,
                                                     std::string_view name) {
  return List(dir, name, false);
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

bool LookupKeptOnMark(std::string_view dir, std::string_view name,
                      const std::optional<std::string>& answer) {
  std::array<char, kMaxLookupKey> buffer;
  const std::string_view key = LookupKey(dir, name, buffer);
  if (key.empty()) return false;
  auto is_answer = [&](bool found, const std::string& path) {
    return found == answer.has_value() && (!found || path == *answer);
  };
  const std::uint64_t generation = cache_generation.load(std::memory_order_acquire);
  auto noted = notes.lookups.find(key);
  if (noted != notes.lookups.end() && noted->second.generation == generation &&
      noted->second.mark.Holds()) {
    return is_answer(noted->second.found, noted->second.path);
  }
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  auto it = cache.lookups.find(key);
  return it != cache.lookups.end() && it->second.mark.Holds() &&
         is_answer(it->second.found, it->second.path);
}

void RememberStatus(const std::string& path, const struct stat& st) {
  if (scope.depth > 0) scope.statuses[path] = st;
}

}  // namespace os
