#include "platform/os/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace os {

namespace {

bool IsRegular(mode_t mode) { return S_ISREG(mode); }
// What an output may be: anything that takes bytes without a reader on the other side.
bool TakesOutput(mode_t mode) { return !S_ISFIFO(mode) && !S_ISSOCK(mode) && !S_ISDIR(mode); }

// Opens without blocking, then keeps the descriptor only when `accept` takes what is there.
int OpenChecked(const std::string& path, int flags, struct stat* st,
                bool (*accept)(mode_t) = IsRegular) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat own;
  struct stat* status = st != nullptr ? st : &own;
  if (::fstat(fd, status) != 0 || !accept(status->st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  // Reads and writes of a regular file wait for the disk as they should.
  const int now = ::fcntl(fd, F_GETFL);
  if (now >= 0) ::fcntl(fd, F_SETFL, now & ~O_NONBLOCK);
  return fd;
}

}  // namespace

int OpenRegularFile(const std::string& path, struct stat* st) {
  return OpenChecked(path, O_RDONLY, st);
}

int OpenOwnRegularFile(const std::string& path, struct stat* st) {
  return OpenChecked(path, O_RDONLY | O_NOFOLLOW, st);
}

std::string LinkRefusal(const std::string& path) {
  return path + " is a link to another place; only a file of its own folder is used";
}

int OpenRegularFileToAppend(const std::string& path) {
  return OpenChecked(path, O_WRONLY | O_APPEND | O_CREAT, nullptr);
}

int OpenOutputToAppend(const std::string& path) {
  return OpenChecked(path, O_WRONLY | O_APPEND | O_CREAT, nullptr, TakesOutput);
}

int OpenRegularFileForUpdate(const std::string& path) {
  return OpenChecked(path, O_RDWR | O_CREAT, nullptr);
}

int OpenOwnRegularFileForUpdate(const std::string& path) {
  return OpenChecked(path, O_RDWR | O_CREAT | O_NOFOLLOW, nullptr);
}

int OpenRegularFileToReplace(const std::string& path) {
  // Emptied only once it is known to be a regular file.
  const int fd = OpenChecked(path, O_WRONLY | O_CREAT, nullptr);
  if (fd >= 0 && ::ftruncate(fd, 0) != 0) {
    const int err = errno;
    ::close(fd);
    errno = err;
    return -1;
  }
  return fd;
}

bool ReadFully(int fd, std::uint8_t* data, std::size_t size, std::uint64_t offset) {
  while (size > 0) {
    const ssize_t n = ::pread(fd, data, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

namespace {

// At most limit bytes from the start of the open file fd of status st; closes fd.
std::optional<FileHead> HeadOf(int fd, const struct stat& st, std::size_t limit) {
  FileHead head;
  head.length = static_cast<std::uint64_t>(st.st_size);
  head.bytes.resize(limit);
  std::size_t done = 0;
  while (done < limit) {
    const ssize_t got = ::read(fd, head.bytes.data() + done, limit - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  ::close(fd);
  head.bytes.resize(done);
  return head;
}

}  // namespace

std::optional<FileHead> ReadRegularFileHead(const std::string& path, std::size_t limit) {
  struct stat st;
  const int fd = OpenRegularFile(path, &st);
  if (fd < 0) return std::nullopt;
  return HeadOf(fd, st, limit);
}

std::optional<FileHead> ReadOwnRegularFileHead(const std::string& path, std::size_t limit) {
  struct stat st;
  const int fd = OpenOwnRegularFile(path, &st);
  if (fd < 0) return std::nullopt;
  return HeadOf(fd, st, limit);
}

std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path) {
  struct stat st;
  const int fd = OpenRegularFile(path, &st);
  if (fd < 0) return std::nullopt;
  // The size is a first guess: the file may grow while it is read.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size) + 1);
  std::size_t done = 0;
  for (;;) {
    if (done == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ::close(fd);
      if (got < 0) return std::nullopt;
      bytes.resize(done);
      return bytes;
    }
    done += static_cast<std::size_t>(got);
  }
}

std::optional<ReadBytes> ReadToEnd(int fd, std::size_t expected, std::size_t limit) {
  if (expected > limit) return std::nullopt;
  std::size_t capacity = expected + 1;
  ReadBytes out{std::unique_ptr<std::uint8_t[]>(new std::uint8_t[capacity]), 0};
  for (;;) {
    if (out.size == capacity) {
      // The file grew since its size was taken.
      if (out.size > limit) return std::nullopt;
      const std::size_t larger = std::min(capacity * 2, limit + 1);
      std::unique_ptr<std::uint8_t[]> grown(new std::uint8_t[larger]);
      std::memcpy(grown.get(), out.data.get(), out.size);
      out.data = std::move(grown);
      capacity = larger;
    }
    const ssize_t got = ::read(fd, out.data.get() + out.size, capacity - out.size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    out.size += static_cast<std::size_t>(got);
  }
  if (out.size > limit) return std::nullopt;
  return out;
}

std::FILE* StreamOver(int fd, const char* mode) {
  if (fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd, mode);
  if (stream == nullptr) ::close(fd);
  return stream;
}

}  // namespace os
