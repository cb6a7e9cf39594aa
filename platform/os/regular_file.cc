#include "platform/os/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace os {

namespace {

// Opens without blocking, then keeps the descriptor only for a regular file.
int OpenRegular(const std::string& path, int flags, struct stat* st) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat own;
  struct stat* status = st != nullptr ? st : &own;
  if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
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
  return OpenRegular(path, O_RDONLY, st);
}

int OpenRegularFileToAppend(const std::string& path) {
  return OpenRegular(path, O_WRONLY | O_APPEND | O_CREAT, nullptr);
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
