// Opening a data file for reading, or a log for appending, without being held up or misled
// by what lies at its name: only a regular file is opened. A FIFO would block the open until a writer came, and
// a device such as /dev/zero would never end.
#ifndef FRELANE_PLATFORM_OS_REGULAR_FILE_H_
#define FRELANE_PLATFORM_OS_REGULAR_FILE_H_

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os {

// A read-only, close-on-exec descriptor of the regular file at path (links followed), or
// -1 (errno EINVAL when something else is there). The open itself never blocks. When st is
// given it receives the file's status.
int OpenRegularFile(const std::string& path, struct stat* st = nullptr);

// As OpenRegularFile, but a symbolic link at the name is refused (errno ELOOP) rather than
// followed: what is read is a file of the directory of path itself.
int OpenOwnRegularFile(const std::string& path, struct stat* st = nullptr);

// What the program says when it refuses a symbolic link at a file's name.
std::string LinkRefusal(const std::string& path);

// A write-only, append-mode, close-on-exec descriptor of the regular file at path, created
// (mode 0666 less the umask) when absent; -1 as OpenRegularFile when something else is
// there. A log opened this way cannot be held up by a FIFO or fill a device.
int OpenRegularFileToAppend(const std::string& path);

// A write-only, append-mode, close-on-exec descriptor of an output file the user named,
// created when absent. A pipe or socket there is refused (-1, errno EINVAL) rather than
// waited on; a device such as /dev/null is taken as the user's choice.
int OpenOutputToAppend(const std::string& path);

// A read-write, close-on-exec descriptor of the regular file at path, created (mode 0666
// less the umask) when absent; -1 as OpenRegularFile when something else is there.
int OpenRegularFileForUpdate(const std::string& path);

// As OpenRegularFileForUpdate, but a symbolic link at the name is refused (errno ELOOP)
// rather than followed: what is written stays in the directory of path.
int OpenOwnRegularFileForUpdate(const std::string& path);

// A write-only, close-on-exec descriptor of the regular file at path, emptied, or created
// when absent; -1 as OpenRegularFile when something else is there. Nothing is emptied then.
int OpenRegularFileToReplace(const std::string& path);

// Bytes read from a file, in a buffer of their own that was never filled beforehand.
struct ReadBytes {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};
// The bytes of the open file fd from its position to its end, expected (its size when
// opened) of them: read straight into a buffer of that size and one byte more, which shows
// the end without a second buffer. A file that grew since is read on to its end. nullopt on
// a read error, or once more than limit bytes were read.
std::optional<ReadBytes> ReadToEnd(int fd, std::size_t expected, std::size_t limit);

// The whole content of the regular file at path; nullopt when it is no regular file or
// cannot be opened or read.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path);

// The first bytes of a regular file and the length it had when it was opened.
struct FileHead {
  std::vector<std::uint8_t> bytes;  // at most the limit asked for
  std::uint64_t length = 0;
};
// At most `limit` bytes from the start of the regular file at path; nullopt as
// ReadRegularFile.
std::optional<FileHead> ReadRegularFileHead(const std::string& path, std::size_t limit);
// As ReadRegularFileHead, through OpenOwnRegularFile: a link fails with errno ELOOP.
std::optional<FileHead> ReadOwnRegularFileHead(const std::string& path, std::size_t limit);

// Reads exactly size bytes at offset, going on after short or interrupted reads; false on
// an error or an early end of the file.
bool ReadFully(int fd, std::uint8_t* data, std::size_t size, std::uint64_t offset);
struct StreamCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using Stream = std::unique_ptr<std::FILE, StreamCloser>;

// A stdio stream in mode over fd, which it takes over (closing it when no stream can be
// made); null when fd is -1. For the descriptors opened above.
std::FILE* StreamOver(int fd, const char* mode);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_REGULAR_FILE_H_
