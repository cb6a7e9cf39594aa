// The cache every part shares, the thread's notes, and the claims that let a directory go.
#include "platform/os/file_cache.h"

#include <mutex>
#include <string>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache_internal.h"
#include "platform/os/parsed_files.h"
#include "platform/os/process_state.h"

namespace os {
using namespace file_cache_internal;

namespace file_cache_internal {

constinit ProcessWide<Cache> the_cache;
Cache& TheCache() { return the_cache.Get(); }

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

}  // namespace os
