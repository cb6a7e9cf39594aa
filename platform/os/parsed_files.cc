#include "platform/os/parsed_files.h"

#include <vector>

namespace os {
namespace {

struct Kept {
  FileImagePtr image;  // held, so that no other image takes its address meanwhile
  std::type_index kind = typeid(void);
  std::shared_ptr<const void> made;
};

// Beyond this many, the oldest half is dropped.
constexpr std::size_t kMaxKept = 64;

// Set once the thread's list is destroyed: an engine ending as its thread ends may let its
// directory go after it.
thread_local bool list_gone = false;
struct KeptList {
  ~KeptList() { list_gone = true; }
  std::vector<Kept> items;
};
thread_local KeptList kept;

// What the cache let go of goes from here too: everything when a directory went, else
// what was made of images nobody else holds any more (no request can bring them back).
void LetGo(bool everything) {
  if (list_gone) return;
  if (everything) {
    kept.items.clear();
  } else {
    std::erase_if(kept.items, [](const Kept& k) { return k.image.use_count() == 1; });
  }
}
[[maybe_unused]] const bool let_go_hooked = (OnLetGo(&LetGo), true);

}  // namespace

namespace parsed_files_internal {

std::shared_ptr<const void> Find(const FileImagePtr& image, std::type_index kind) {
  if (!image || list_gone) return nullptr;
  for (const Kept& k : kept.items) {
    if (k.image == image && k.kind == kind) return k.made;
  }
  return nullptr;
}

void Keep(const FileImagePtr& image, std::type_index kind, std::shared_ptr<const void> made) {
  if (!image || list_gone) return;
  for (Kept& k : kept.items) {
    if (k.image == image && k.kind == kind) {
      k.made = std::move(made);
      return;
    }
  }
  // One kind of one file at a time: a new image of the file replaces the old one's.
  std::erase_if(kept.items, [&](const Kept& k) {
    return k.kind == kind && k.image->stamp().device == image->stamp().device &&
           k.image->stamp().inode == image->stamp().inode;
  });
  if (kept.items.size() >= kMaxKept) {
    kept.items.erase(kept.items.begin(), kept.items.begin() + kMaxKept / 2);
  }
  kept.items.push_back({image, kind, std::move(made)});
}

}  // namespace parsed_files_internal

void ForgetParsedFiles() {
  if (!list_gone) kept.items.clear();
}

}  // namespace os
