// What the engine's readers use of the file cache (file_cache.h) beyond its images and
// listings: whether what they were served stands on a mark, so that they may keep what they
// made of it across requests, and the name lookups FindFileNoCase remembers.
//
// Thread safety: as file_cache.h; a KeptWhileUnchanged belongs to one reader at a time.
#ifndef FRELANE_PLATFORM_OS_KEPT_FILES_H_
#define FRELANE_PLATFORM_OS_KEPT_FILES_H_

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"

namespace os {

// ChangesTakenIn (see dir_watch.h) once the changes so far are taken in, as a request
// would take them in. A caller may keep what it was served on a mark (see IsServedOnMark)
// for as long as this stays the same.
std::uint64_t ChangesSoFar();
// True when image is what ReadFileImage(path) serves on a mark that holds.
bool IsServedOnMark(const std::string& path, const FileImagePtr& image);

// Lets a reader keep what it found by name and read (paths, images, what it made of them)
// across requests without asking the cache again: what was counted in since Start stands
// while every image of it was served on a mark and no change has been taken in since.
class KeptWhileUnchanged {
 public:
  // Begins a new set, before its files are looked up: a change taken in after this point
  // ends it.
  void Start();
  // Counts in image, just read from path; the set stands only if it was served on a mark.
  // True when it was (the image may then be kept with the set).
  bool Include(const std::string& path, const FileImagePtr& image);
  // Ends the set: nothing stands until the next Start.
  void Forget() {
    vouched_ = false;
    asked_in_ = 0;
  }
  // True while everything counted in since Start stands.
  bool Stands() const { return vouched_ && ChangesSoFar() == changes_; }
  // Stands, asked once a scope (see SnapshotScope): a later ask in the same scope, or one
  // after a Start in it, is true, so that a rating keeps to what it first found.
  bool StandsForThisScope();

 private:
  std::uint64_t changes_ = 0;
  bool vouched_ = false;
  std::uint64_t asked_in_ = 0;  // the scope last asked or started in (0: none)
};

// The name lookups used by FindFileNoCase: the answer of (dir, name) given in the scope in
// hand, or one kept while its mark holds; nullopt when there is none.
std::optional<std::optional<std::string>> RecalledLookup(std::string_view dir,
                                                         std::string_view name);
// True when the answer FindFileNoCase(dir, name) gives now is kept on a mark that holds,
// found or not: a caller may keep it as IsServedOnMark allows for an image.
bool IsLookupOnMark(std::string_view dir, std::string_view name);
// Holds the answer for the rest of the scope in hand.
void RememberLookup(std::string_view dir, std::string_view name,
                    const std::optional<std::string>& found);
// Keeps an answer found as outside any scope, after mark was taken, for as long as the mark
// holds (not at all for an empty mark).
void KeepLookup(std::string_view dir, std::string_view name,
                const std::optional<std::string>& found, const WatchMark& mark);
// The status FindFileNoCase took of a file, kept for the image read of it in the same scope.
void RememberStatus(const std::string& path, const struct stat& st);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_KEPT_FILES_H_
