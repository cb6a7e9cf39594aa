// The keeping rule: what the engine's readers may keep across requests of what the file
// cache (file_cache.h) served them, and the one question they ask of it.
//
// A reader opens a set (KeptWhileUnchanged::Start), counts in each file it found by name
// and read (Include) and each lookup answer it keeps (IncludeLookup), and keeps what it made
// of them for as long as the set stands (StandsForThisScope). The cache alone decides when
// that is, by four rules:
//  - the change counter: a set stands while every file counted in was served on a watch
//    mark and no change has been taken in since Start (ChangesSoFar);
//  - the settle rule: a file changed within the settle time is never served on a mark, so a
//    set holding it stands for the rating in hand only;
//  - the scope rule: asked again within one rating (SnapshotScope), a set that stood at the
//    first ask, or was started in that rating, still stands, so a rating keeps to what it
//    first found whatever is taken in meanwhile;
//  - the back-to-back rule: a rating begun within 20 us of the end of the same thread's
//    previous one does not ask the kernel's queue itself; it takes in only what the
//    watcher thread has taken in by then. A change finished in that window, by any thread
//    or process, shows once the watcher thread has woken to it, in a later rating. A rating
//    begun later takes in every change finished before it began.
// Where no watch stands the counter does not move; every request checks the file's stamp.
//
// What the stamps cannot tell: a change that raises no event (a mount over a file or its
// directory, a write through a shared mapping) shows only through the file's stamp, which
// the watcher thread compares once a second. A write through a mapping moves the stamp
// only at the first write into a page that is clean, so a further write into a page still
// dirty (no msync between), or on tmpfs any write through a mapping after the first, is
// never seen by a running engine (one started afterwards reads it). An updater writes with
// write() or replaces the file by rename; one that writes through a mapping syncs (msync)
// each change before the next, and on tmpfs replaces the file instead.
//
// A file above the image limit is kept as an open descriptor under the same rule. Within a
// rating it reads as it was found: its size is the size found, and where it has since been
// cut short, a read of what it lost fails (ReadOnlyFile::ReadAt gives -1), so the reader
// gives its status for a file too short for what it looks for, never an answer read from
// the shorter file as though it were whole. Rewritten in place at the same length, it
// reads the new bytes.
//
// What is kept across ratings, and what ends it:
//  - the cache's images, descriptors, listings and name lookups (file_cache.h): a new
//    stamp when next read; the cache's bounds; the last claim on their directory let go;
//    and, once a change was taken in (or, unwatched, the directory was found changed), at
//    the thread's next rating when the file is no longer as kept. Each thread's notes of
//    them go when their mark breaks, at that thread's next rating;
//  - ParsedFiles (parsed_files.h, per thread, by image): a new image of the same file and
//    kind; beyond 64; their image held by nobody else once the cache let go of it; all of
//    them when a claimed directory is let go;
//  - TariffFileSet's files kept by name and its open tariff files: the keeping rule, asked
//    once a rating; another tariff selected; another data directory; Tolv_EndTolv;
//  - TdFiles (TDV.SEQ's versions, TDZ.BIN, TDT.BIN) and the RecentFinds of their readers:
//    the keeping rule, asked once a rating (the finds go with their file's reader);
//  - EffectiveTable's reading of EFCREC.TBL: the keeping rule, else a new state of the
//    file (SameFileState) under the named mutex;
//  - TariffState::grids_from: another factor load, or anything else writing the grids;
//  - WeightTypeState::loaded_key: kept by tariff key (tariff name, weight-type file number
//    and digit), not by the file: a rewritten weight-type file of the same tariff shows
//    only once another key was loaded or the engine is new.
//
// Thread safety: as file_cache.h; a KeptWhileUnchanged belongs to one reader at a time.
#ifndef FRELANE_PLATFORM_OS_KEPT_FILES_H_
#define FRELANE_PLATFORM_OS_KEPT_FILES_H_

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "platform/os/listed_name.h"

namespace os {

// The file at path as the cache keeps it: its image, or above the image limit an open
// descriptor (see FileImage); null when it cannot be opened or is no regular file.
FileImagePtr ReadKeptFile(const std::string& path);
// As ReadKeptFile outside any scope: the file as it is now. Inside a scope what it reads
// also replaces what the scope saw of path, so the rest of the scope sees it.
FileImagePtr ReadKeptFileNow(const std::string& path);

// True when a and b are one state of a file: the same served file, or images of the same
// stamp and bytes (a file within the settle time is read afresh at every request, so only
// its bytes tell).
bool SameFileState(const FileImagePtr& a, const FileImagePtr& b);

class KeptWhileUnchanged {
 public:
  // Begins a new set, before its files are looked up: a change taken in after this point
  // ends it.
  void Start();
  // Counts in file, just read from path (ReadKeptFile, or an image of it). True when it was
  // served on a mark, so that it may be kept with the set; when not, the set stands for
  // the rating in hand only.
  bool Include(const std::string& path, const FileImagePtr& file);
  // Ends the set: nothing stands until the next Start.
  void Forget() {
    vouched_ = false;
    asked_in_ = 0;
  }
  // True while everything counted in since Start stands; asked once a rating (see above).
  bool StandsForThisScope();

  // Whether file, just read from path, is served on a mark that holds: what Include
  // answers, without touching any set.
  static bool MayKeep(const std::string& path, const FileImagePtr& file);
  // file, just read from path, as held by the calling thread's own count of its holders
  // when it is served on a mark (see file_cache.h); else file itself. A reader keeps this
  // one, so that the copies it makes at each request touch no count other threads touch.
  static FileImagePtr OwnHolder(const std::string& path, const FileImagePtr& file);
  // True when answer, what FindFileNoCase just gave for name in dir, is the cache's answer
  // kept on a mark that holds, so that the answer may be kept with the set (a change that
  // may alter it ends the set). An answer not served so is not to be kept; it leaves the
  // set as it stands, since nothing kept rests on it.
  bool IncludeLookup(std::string_view dir, std::string_view name,
                     const std::optional<std::string>& answer) const;

 private:
  bool Stands() const;

  std::uint64_t changes_ = 0;
  bool vouched_ = false;
  std::uint64_t asked_in_ = 0;  // the rating the set last stood in or started in (0: none)
};

// ChangesTakenIn (see dir_watch.h) once the changes so far are taken in, as a request
// would take them in; also moves when the cache lets go of what it kept.
std::uint64_t ChangesSoFar();
// True while the calling thread is inside a SnapshotScope.
bool InSnapshot();
// A number of the calling thread's outermost scope in hand, unique in the process and new
// with each scope; 0 outside any scope.
std::uint64_t SnapshotSerial();

// The names in dir (an existing directory path) that equal name without regard to ASCII
// case, in byte order; nullopt when dir cannot be listed.
std::optional<std::vector<ListedName>> ListNoCase(const std::string& dir, std::string_view name);
// As ListNoCase, but as outside any scope, leaving the scope's view alone.
std::optional<std::vector<ListedName>> ListNoCaseNow(const std::string& dir, std::string_view name);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_KEPT_FILES_H_
