// The cache every part shares, the thread's notes, and the claims that let a directory go.
#include "platform/os/file_cache.h"

#include <iterator>
#include <mutex>
#include <string>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache_internal.h"
#include "platform/os/process_state.h"

namespace os {
using namespace file_cache_internal;

namespace file_cache_internal {

constinit ProcessWide<Cache> the_cache;
Cache& TheCache() { return the_cache.Get(); }

void Cache::Add(const std::string& path, CachedImage entry) {
  auto it = images.find(path);
  if (it != images.end()) Erase(it);
  const bool descriptor = !entry.image->imaged();
  if (image_bytes + entry.image->size() > kMaxCachedBytes || images.size() >= kMaxCachedFiles ||
      (descriptor && descriptors >= kMaxCachedDescriptors)) {
    Clear();
  }
  image_bytes += entry.image->size();
  descriptors += descriptor ? 1 : 0;
  images.emplace(path, std::move(entry));
}

Cache::Images::iterator Cache::Erase(Images::iterator it) {
  image_bytes -= it->second.image->size();
  descriptors -= it->second.image->imaged() ? 0 : 1;
  return images.erase(it);
}

void Cache::Clear() {
  images.clear();
  image_bytes = 0;
  descriptors = 0;
}

// Together in one place, so that a thread's scope and notes begin and end together.
thread_local ScopeState scope;
thread_local bool notes_gone = false;
thread_local ThreadNotes notes;

}  // namespace file_cache_internal

namespace {

// Drops what the cache keeps of dir, and the calling thread's notes.
void ForgetDirectory(const std::string& dir) {
  const std::string key = DirKey(dir);
  if (!notes_gone) {
    notes.images.clear();
    notes.lookups.clear();
  }
  RunLetGoHooks(true);
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  for (auto it = cache.images.begin(); it != cache.images.end();) {
    it = DirKey(DirOf(it->first)) == key ? cache.Erase(it) : std::next(it);
  }
  cache.listings.erase(key);
  std::erase_if(cache.lookups,
                [&](const auto& entry) { return DirKey(LookupDir(entry.first)) == key; });
}

}  // namespace

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
  // What no longer stands is not counted, whether or not a rating let go of it yet.
  LetGoOfStale();
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  return cache.images.size() + cache.listings.size() + cache.lookups.size();
}

}  // namespace os
