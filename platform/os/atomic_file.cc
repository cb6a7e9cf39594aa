#include "platform/os/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace os {
namespace {

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool Fail(std::string* error, const std::string& what, const std::string& path, int err) {
  if (error) *error = what + " " + path + ": " + std::strerror(err);
  return false;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The file a write to path should replace: path itself, or, when path is a symbolic link,
// the file its chain of links ends at (which need not exist yet). Renaming over the link
// would turn it into a plain file and cut the installation off from the linked file.
bool ResolveLinks(std::string path, std::string* target, std::string* error) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = path;
      return true;
    }
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n < 0) return Fail(error, "reading the link", path, errno);
    // Empty, or grown since lstat: not a link we can follow.
    if (n == 0 || static_cast<std::size_t>(n) >= link.size()) {
      return Fail(error, "reading the link", path, n == 0 ? ENOENT : ENAMETOOLONG);
    }
    link.resize(static_cast<std::size_t>(n));
    path = link.front() == '/' ? link : DirectoryOf(path) + "/" + link;
  }
  return Fail(error, "resolving", path, ELOOP);
}

}  // namespace

bool WriteFileAtomically(const std::string& given_path, std::span<const std::uint8_t> bytes,
                         std::string* error) {
  if (given_path.empty() || given_path.back() == '/') {
    return Fail(error, "writing", given_path, EISDIR);
  }
  std::string path;
  if (!ResolveLinks(given_path, &path, error)) return false;
  static std::atomic<unsigned> counter{0};
  std::string temp =
      path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
  mode_t mode = 0644;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return Fail(error, "creating", temp, errno);
  ::fchmod(fd, mode);  // the umask must not narrow an existing file's permissions
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
    int err = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    return Fail(error, "writing", temp, err);
  }
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return Fail(error, "closing", temp, err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    return Fail(error, "renaming over", path, err);
  }
  // Make the rename itself durable; a failure here leaves the new file in place.
  int dir_fd = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

}  // namespace os
