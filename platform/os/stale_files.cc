// Letting go of what no longer stands: a deleted or replaced file is not held (its image,
// or its descriptor and with it its disk blocks) by a cache entry or a thread's note that
// nobody asks for again. Each thread does it at its next rating after a change, so a
// steady run of ratings does no more than compare one count.
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "platform/os/file_cache_internal.h"

namespace os {
using namespace file_cache_internal;

namespace {

constinit std::array<std::atomic<LetGoHook>, 4> let_go_hooks{};

// The cache's images of dir, with the images they held, whose marks broke (once a change
// was taken in), or that no mark ever vouched for (once dir was found changed).
std::vector<std::pair<std::string, FileImagePtr>> Unvouched(const std::string* dir) {
  std::vector<std::pair<std::string, FileImagePtr>> found;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  for (const auto& [path, entry] : cache.images) {
    const bool broken = dir == nullptr ? entry.mark.changes != nullptr && !entry.mark.Holds()
                                       : !entry.mark.Holds() && DirKey(DirOf(path)) == *dir;
    if (broken) found.emplace_back(path, entry.image);
  }
  return found;
}

// True while the file at path is still the one image was taken of.
bool StillAsImaged(const std::string& path, const FileImage& image) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && StampOf(st) == image.stamp();
}

// Drops the cache's entries of files no longer as imaged; true when any went.
bool DropGoneImages(const std::string* dir) {
  std::vector<std::pair<std::string, FileImagePtr>> candidates = Unvouched(dir);
  // Taken outside the lock: the files are looked at while other threads read on.
  std::erase_if(candidates, [](const auto& c) { return StillAsImaged(c.first, *c.second); });
  if (candidates.empty()) return false;
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mu);
  bool dropped = false;
  for (const auto& [path, image] : candidates) {
    auto it = cache.images.find(path);
    if (it == cache.images.end() || it->second.image != image) continue;
    cache.Erase(it);
    dropped = true;
  }
  return dropped;
}

}  // namespace

namespace file_cache_internal {

std::uint64_t LetGoCount() {
  // Each only ever grows, so the sum moves whenever one does.
  return ChangesTakenIn() + cache_generation.load(std::memory_order_acquire) +
         images_let_go.load(std::memory_order_acquire);
}

void LetGoOfStale(const std::string* dir) {
  scope.let_go_at = LetGoCount();
  if (!notes_gone) {
    const std::uint64_t generation = cache_generation.load(std::memory_order_acquire);
    auto stale = [&](const auto& note) {
      return note.second.generation != generation || !note.second.mark.Holds();
    };
    std::erase_if(notes.images, stale);
    std::erase_if(notes.lookups, stale);
  }
  // The other threads then let go of their notes of them, and what they made of them.
  if (DropGoneImages(dir)) images_let_go.fetch_add(1, std::memory_order_acq_rel);
  RunLetGoHooks(false);
}

void RunLetGoHooks(bool everything) {
  for (const auto& hook : let_go_hooks) {
    if (LetGoHook run = hook.load(std::memory_order_acquire)) run(everything);
  }
}

}  // namespace file_cache_internal

void OnLetGo(LetGoHook hook) {
  for (auto& slot : let_go_hooks) {
    LetGoHook expected = nullptr;
    if (slot.compare_exchange_strong(expected, hook) || expected == hook) return;
  }
}

}  // namespace os
