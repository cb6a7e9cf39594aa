#include "frelane/bol/record_book.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>

#include "platform/os/regular_file.h"

namespace frelane::bol {
namespace {

// An open descriptor holding an advisory lock, both released on destruction. A reader opens
// the file read-only under a shared lock, so a book it may not write can still be listed.
// Only regular files are opened: a pipe under a book's name would hold the editor up.
class LockedFile {
 public:
  enum class Access { kRead, kWrite };

  LockedFile(const std::string& path, Access access, std::string* error) {
    if (access == Access::kRead) {
      fd_ = os::OpenRegularFile(path);
      if (fd_ < 0 && errno == ENOENT) {
        // A book never written is left behind empty; where it cannot be made, it reads empty.
        // O_EXCL makes nothing where a dangling link points.
        const int made =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (made < 0) {
          missing_ = true;
          return;
        }
        ::close(made);
        fd_ = os::OpenRegularFile(path);
      }
    } else {
      // Written only as a regular file of the data directory itself, never through a link.
      fd_ = os::OpenOwnRegularFileForUpdate(path);
    }
    if (fd_ < 0) {
      if (errno == ELOOP) {
        if (error) {
          *error = path + " is a link to another place; entries are saved only in a file of "
                          "the data directory";
        }
      } else if (errno == EINVAL) {
        if (error) *error = path + " is not a regular file";
      } else {
        Fail(path, "cannot be opened", error);
      }
      return;
    }
    while (::flock(fd_, access == Access::kRead ? LOCK_SH : LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      Fail(path, "cannot be locked", error);
      ::close(fd_);
      fd_ = -1;
      return;
    }
  }
  ~LockedFile() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the lock
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  int fd() const { return fd_; }
  bool ok() const { return fd_ >= 0 || missing_; }
  // No such file, and none could be made: an empty book.
  bool missing() const { return missing_; }

  static void Fail(const std::string& path, const char* what, std::string* error) {
    if (error) *error = path + " " + what + ": " + std::strerror(errno);
  }

 private:
  int fd_ = -1;
  bool missing_ = false;
};

// Moves all `size` bytes at `offset` through pread or pwrite, going on after a short or
// interrupted transfer; false on an error or an early end of file.
template <typename Byte, typename Transfer>
bool TransferAll(Transfer transfer, int fd, Byte* data, std::size_t size, off_t offset) {
  while (size > 0) {
    ssize_t n = transfer(fd, data, size, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += n;
  }
  return true;
}

bool ReadAt(int fd, std::uint8_t* data, std::size_t size, off_t offset) {
  return TransferAll(::pread, fd, data, size, offset);
}

// Writes all bytes at offset and syncs them. A write that fails part way (a full disk
// takes what fits) puts back the bytes it covered and the file's old length, so that a
// book never ends in part of a record; errno stays that of the failure.
bool WriteAt(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return false;
  const off_t old_length = st.st_size;
  std::vector<std::uint8_t> covered;
  if (offset < old_length) {
    covered.resize(std::min<std::size_t>(size, static_cast<std::size_t>(old_length - offset)));
    if (!ReadAt(fd, covered.data(), covered.size(), offset)) return false;
  }
  if (TransferAll(::pwrite, fd, data, size, offset) && ::fsync(fd) == 0) return true;
  const int err = errno;
  // Shrinking and rewriting blocks the file already has need no new space.
  if (::ftruncate(fd, old_length) == 0 && !covered.empty()) {
    TransferAll(::pwrite, fd, covered.data(), covered.size(), offset);
  }
  ::fsync(fd);
  errno = err;
  return false;
}

// The number of whole records in the open file; nullopt when its length cannot be taken.
std::optional<std::int64_t> WholeRecords(const LockedFile& file, std::size_t record_length) {
  if (file.missing()) return 0;
  struct stat st {};
  if (::fstat(file.fd(), &st) != 0) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size) / static_cast<std::int64_t>(record_length);
}

}  // namespace

std::optional<std::vector<std::vector<std::uint8_t>>> RecordBook::ReadAll(
    std::string* error) const {
  LockedFile file(path_, LockedFile::Access::kRead, error);
  if (!file.ok()) return std::nullopt;
  auto count = WholeRecords(file, record_length_);
  if (!count) {
    LockedFile::Fail(path_, "cannot be read", error);
    return std::nullopt;
  }
  std::vector<std::vector<std::uint8_t>> records(static_cast<std::size_t>(*count),
                                                 std::vector<std::uint8_t>(record_length_));
  for (std::int64_t i = 0; i < *count; ++i) {
    if (!ReadAt(file.fd(), records[i].data(), record_length_,
                static_cast<off_t>(i * record_length_))) {
      LockedFile::Fail(path_, "cannot be read", error);
      return std::nullopt;
    }
  }
  return records;
}

bool RecordBook::Read(int n, std::span<std::uint8_t> out, std::string* error) const {
  LockedFile file(path_, LockedFile::Access::kRead, error);
  if (!file.ok()) return false;
  auto count = WholeRecords(file, record_length_);
  if (n < 1 || !count || n > *count) {
    if (error) *error = path_ + " holds no record " + std::to_string(n);
    return false;
  }
  if (!ReadAt(file.fd(), out.data(), record_length_,
              static_cast<off_t>((n - 1) * record_length_))) {
    LockedFile::Fail(path_, "cannot be read", error);
    return false;
  }
  return true;
}

bool RecordBook::Write(int n, std::span<const std::uint8_t> record, std::string* error) const {
  if (n < 1 || record.size() != record_length_) {
    if (error) *error = path_ + ": bad record number " + std::to_string(n);
    return false;
  }
  LockedFile file(path_, LockedFile::Access::kWrite, error);
  if (!file.ok()) return false;
  // Past the record after the last one, a write would leave a gap of zero bytes that read
  // as blank entries in use.
  auto count = WholeRecords(file, record_length_);
  if (!count || n - 1 > *count) {
    if (error) *error = path_ + " holds no record " + std::to_string(n - 1);
    return false;
  }
  if (!WriteAt(file.fd(), record.data(), record.size(),
               static_cast<off_t>((n - 1) * record_length_))) {
    LockedFile::Fail(path_, "cannot be written", error);
    return false;
  }
  return true;
}

bool RecordBook::WriteByte(int n, std::size_t offset, std::uint8_t value,
                           std::string* error) const {
  LockedFile file(path_, LockedFile::Access::kWrite, error);
  if (!file.ok()) return false;
  auto count = WholeRecords(file, record_length_);
  if (n < 1 || offset >= record_length_ || !count || n > *count) {
    if (error) *error = path_ + " holds no record " + std::to_string(n);
    return false;
  }
  if (!WriteAt(file.fd(), &value, 1, static_cast<off_t>((n - 1) * record_length_ + offset))) {
    LockedFile::Fail(path_, "cannot be written", error);
    return false;
  }
  return true;
}

std::optional<int> RecordBook::Append(std::span<const std::uint8_t> record,
                                      std::string* error) const {
  if (record.size() != record_length_) return std::nullopt;
  return AppendAll(record, error);
}

std::optional<int> RecordBook::AppendAll(std::span<const std::uint8_t> record,
                                         std::string* error) const {
  if (record.size() % record_length_ != 0) return std::nullopt;
  LockedFile file(path_, LockedFile::Access::kWrite, error);
  if (!file.ok()) return std::nullopt;
  auto count = WholeRecords(file, record_length_);
  if (!count) {
    LockedFile::Fail(path_, "cannot be read", error);
    return std::nullopt;
  }
  if (*count + static_cast<std::int64_t>(record.size() / record_length_) >= 0x7fffffff) {
    if (error) *error = path_ + " is full";
    return std::nullopt;
  }
  if (!WriteAt(file.fd(), record.data(), record.size(),
               static_cast<off_t>(*count * record_length_))) {
    LockedFile::Fail(path_, "cannot be written", error);
    return std::nullopt;
  }
  return static_cast<int>(*count + 1);
}

}  // namespace frelane::bol
