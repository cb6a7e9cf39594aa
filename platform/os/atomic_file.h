// Whole-file rewrite that never leaves a half-written file: the bytes go to a temporary file
// in the same directory, are synced, and the temporary is renamed over the target.
#ifndef FRELANE_PLATFORM_OS_ATOMIC_FILE_H_
#define FRELANE_PLATFORM_OS_ATOMIC_FILE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace os {

// What a rewrite does when the name is a symbolic link or something else than a file.
enum class AtPath {
  // A link stays, and the file it leads to is replaced (or created) through a temporary
  // beside it: an installation may keep a file elsewhere on purpose.
  kFollowLinks,
  // Only a regular file (or no file) of that directory is replaced; a link, a pipe or a
  // device at the name is refused, so the write can never land outside the directory.
  kRegularFileOnly,
};

// A rewrite of one file written piece by piece, for output too long to hold whole: the
// pieces go to a temporary beside the file, and only Commit puts the new file in its place.
// Until then, and after any failure, the old file stays as it was and a failed or abandoned
// rewrite leaves no temporary. One thread uses an object.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter() { Abandon(); }
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Starts the rewrite of path (an earlier one not committed is abandoned). False, with
  // *error and error_number(), when no temporary can be made there.
  bool Begin(const std::string& path, std::string* error, AtPath at_path = AtPath::kFollowLinks);
  bool IsOpen() const { return fd_ >= 0; }
  // Adds bytes to the new file. A failure abandons the rewrite.
  bool Write(std::span<const std::uint8_t> bytes, std::string* error);
  // Syncs the new file and renames it over the old one. A failure abandons the rewrite.
  bool Commit(std::string* error);
  // Drops the new file; the old one stays. Nothing when no rewrite is open.
  void Abandon();
  // The system's error number of the last failure (0 when none): the reason to show.
  int error_number() const { return error_number_; }

 private:
  bool Fail(std::string* error, const std::string& what, const std::string& path, int err);

  std::string path_;
  std::string temp_;
  int fd_ = -1;
  int error_number_ = 0;
};

// Replaces (or creates) the file at path with bytes. On failure the old file is untouched,
// the temporary is removed, false is returned and *error (when not null) says what failed.
// A file that existed keeps its permission bits.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error, AtPath at_path = AtPath::kFollowLinks);

// True when name is one of the temporaries WriteFileAtomically makes: the target's name,
// ".tmp", the writing process's id, "-" and a number.
bool IsTemporaryName(std::string_view name);

// Removes the temporaries in dir that a crash in the middle of a rewrite left behind: those
// whose process no longer runs, and any older than an hour (no rewrite takes that long).
// Returns how many were removed; a directory that cannot be read removes none.
int RemoveStaleTemporaries(const std::string& dir);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_ATOMIC_FILE_H_
