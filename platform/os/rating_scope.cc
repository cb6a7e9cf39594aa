// The rating scope: what a thread saw inside a SnapshotScope, when the changes the watches
// saw are taken in, and what a reader may keep across requests while they hold.
#include <algorithm>
#include <atomic>
#include <chrono>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "platform/os/file_cache_internal.h"
#include "platform/os/kept_files.h"

namespace os {
using namespace file_cache_internal;

namespace {

// A scope begun within this time of the thread's previous one is taken for a run of ratings
// back to back: nothing outside them had time to change a file and look for the change,
// and the watcher thread takes in what changed meanwhile. After a longer pause (a user
// typing, a caller that wrote a file between two ratings) the first request asks the
// kernel's queue itself, so a change finished before the rating always shows in it.
constexpr auto kBackToBack = std::chrono::microseconds(20);

// Serials are unique across threads: an object rated from one thread and then another (an
// engine handed on) must not take the second thread's scope for the first's. Each thread
// takes them in blocks, so that threads rating at once do not meet at one shared counter.
constexpr std::uint64_t kSerialBlock = 1u << 16;
std::atomic<std::uint64_t> serial_blocks_taken{0};
thread_local constinit std::uint64_t next_serial = 0;
thread_local constinit std::uint64_t serial_block_end = 0;

std::uint64_t NewScopeSerial() {
  if (next_serial == serial_block_end) {
    const std::uint64_t block = serial_blocks_taken.fetch_add(1, std::memory_order_relaxed);
    next_serial = block * kSerialBlock + 1;  // 0 stands for no scope
    serial_block_end = next_serial + kSerialBlock;
  }
  return next_serial++;
}

// The number of the calling thread's outermost scope in hand (0: none). Kept apart from the
// rest of the scope's state, which has a thread-local constructor: every kept set asks for
// it at each use, and this one is read without checking that constructor has run.
thread_local constinit std::uint64_t scope_serial = 0;

}  // namespace

namespace file_cache_internal {

// Takes in the changes the directory watches saw: at each request outside a scope, and at
// the first of a scope unless the watcher thread takes them in and the scope follows the
// previous one back to back (a steady run of ratings then makes no system call while its
// files are vouched for).
void CatchUp() {
  if (scope.depth > 0) {
    if (scope.caught_up) return;
    scope.caught_up = true;
    if (!ChangesArriveByThemselves() ||
        std::chrono::steady_clock::now() - scope.last_end >= kBackToBack) {
      CatchUpWithChanges();
    }
    // Once a rating, and only after a change: what no longer stands is let go.
    LetGoWhenMoved();
    return;
  }
  CatchUpWithChanges();
}

}  // namespace file_cache_internal

SnapshotScope::SnapshotScope() {
  if (scope.depth++ == 0) {
    scope_serial = NewScopeSerial();
  }
}

SnapshotScope::~SnapshotScope() {
  if (--scope.depth > 0) return;
  scope_serial = 0;
  for (SeenImage& seen : scope.images.InUse()) seen.image.reset();
  scope.images.size = 0;
  scope.lookups.size = 0;
  scope.caught_up = false;
  scope.statuses.clear();
  scope.dir_stamps.clear();
  scope.listings.clear();
  scope.last_end = std::chrono::steady_clock::now();
}

bool InSnapshot() { return scope.depth > 0; }

std::uint64_t SnapshotSerial() { return scope_serial; }

std::uint64_t ChangesSoFar() {
  CatchUp();
  // Both only ever grow, so their sum moves whenever either does: a cache emptied (its
  // size limit changed, a directory let go) ends what was kept as a change does.
  return ChangesTakenIn() + cache_generation.load(std::memory_order_acquire);
}

bool KeptWhileUnchanged::MayKeep(const std::string& path, const FileImagePtr& file) {
  return file != nullptr && WatchedImage(path) == file;
}

FileImagePtr KeptWhileUnchanged::OwnHolder(const std::string& path, const FileImagePtr& file) {
  FileImagePtr own = WatchedImage(path);
  return own == file ? own : file;
}

bool KeptWhileUnchanged::IncludeLookup(std::string_view dir, std::string_view name,
                                       const std::optional<std::string>& answer) const {
  return vouched_ && LookupKeptOnMark(dir, name, answer);
}

bool SameFileState(const FileImagePtr& a, const FileImagePtr& b) {
  if (a == b) return true;
  if (!a || !b || !(a->stamp() == b->stamp()) || !a->imaged() || !b->imaged()) return false;
  return std::ranges::equal(a->bytes(), b->bytes());
}

void KeptWhileUnchanged::Start() {
  changes_ = ChangesSoFar();
  vouched_ = true;
  asked_in_ = SnapshotSerial();
}

bool KeptWhileUnchanged::Stands() const { return vouched_ && ChangesSoFar() == changes_; }

bool KeptWhileUnchanged::StandsForThisScope() {
  const std::uint64_t scope = SnapshotSerial();
  if (scope != 0 && scope == asked_in_) return true;
  if (!Stands()) return false;
  asked_in_ = scope;
  return true;
}

bool KeptWhileUnchanged::Include(const std::string& path, const FileImagePtr& file) {
  const bool on_mark = MayKeep(path, file);
  if (!on_mark) vouched_ = false;
  return on_mark;
}

}  // namespace os
