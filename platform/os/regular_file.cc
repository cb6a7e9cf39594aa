#include "platform/os/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace os {

int OpenRegularFile(const std::string& path, struct stat* st) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  struct stat own;
  struct stat* status = st != nullptr ? st : &own;
  if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  // Reads of a regular file wait for the disk as they should.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

}  // namespace os
