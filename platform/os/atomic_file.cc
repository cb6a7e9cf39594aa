#include "platform/os/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>

#include "platform/os/regular_file.h"

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

// Refuses a name that holds anything but a regular file, without following it.
bool IsRegularOrAbsent(const std::string& path, std::string* error) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return true;
  if (error) {
    *error = S_ISLNK(st.st_mode) ? LinkRefusal(path) : path + " is not a regular file";
  }
  return false;
}

std::string TemporaryPathFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

// The process id a temporary's name carries; 0 when it carries none.
pid_t WriterOf(std::string_view name) {
  const std::size_t at = name.rfind(".tmp");
  if (at == std::string_view::npos || at == 0) return 0;
  const std::string_view rest = name.substr(at + 4);
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return 0;
  auto all_digits = [](std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!all_digits(rest.substr(0, dash)) || !all_digits(rest.substr(dash + 1))) return 0;
  pid_t pid = 0;
  auto [end, ec] = std::from_chars(rest.data(), rest.data() + dash, pid);
  return ec == std::errc() && end == rest.data() + dash ? pid : 0;
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

constexpr std::time_t kStaleAfterSeconds = 60 * 60;

}  // namespace

bool IsTemporaryName(std::string_view name) { return WriterOf(name) > 0; }

int RemoveStaleTemporaries(const std::string& dir) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (d == nullptr) return 0;
  const std::time_t now = std::time(nullptr);
  int removed = 0;
  while (const dirent* entry = ::readdir(d)) {
    const std::string name = entry->d_name;
    const pid_t writer = WriterOf(name);
    if (writer <= 0) continue;
    const std::string path = dir.empty() ? name : (dir.back() == '/' ? dir : dir + "/") + name;
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    const bool gone = writer != ::getpid() && ProcessIsGone(writer);
    if ((gone || now - st.st_mtime > kStaleAfterSeconds) && ::unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  ::closedir(d);
  return removed;
}

bool AtomicFileWriter::Fail(std::string* error, const std::string& what,
                            const std::string& path, int err) {
  error_number_ = err;
  Abandon();
  return os::Fail(error, what, path, err);
}

bool AtomicFileWriter::Begin(const std::string& given_path, std::string* error, AtPath at_path) {
  Abandon();
  error_number_ = 0;
  if (given_path.empty() || given_path.back() == '/') {
    return Fail(error, "writing", given_path, EISDIR);
  }
  std::string path;
  if (at_path == AtPath::kRegularFileOnly) {
    // The rename below replaces the name itself, never what a link there leads to.
    if (!IsRegularOrAbsent(given_path, error)) {
      error_number_ = ELOOP;
      return false;
    }
    path = given_path;
  } else if (!ResolveLinks(given_path, &path, error)) {
    error_number_ = ELOOP;
    return false;
  }
  std::string temp = TemporaryPathFor(path);
  mode_t mode = 0644;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return Fail(error, "creating", temp, errno);
  ::fchmod(fd, mode);  // the umask must not narrow an existing file's permissions
  fd_ = fd;
  path_ = std::move(path);
  temp_ = std::move(temp);
  return true;
}

bool AtomicFileWriter::Write(std::span<const std::uint8_t> bytes, std::string* error) {
  if (fd_ < 0) return os::Fail(error, "writing", path_, EBADF);
  if (!WriteAll(fd_, bytes)) return Fail(error, "writing", temp_, errno);
  return true;
}

bool AtomicFileWriter::Commit(std::string* error) {
  if (fd_ < 0) return os::Fail(error, "writing", path_, EBADF);
  if (::fsync(fd_) != 0) return Fail(error, "writing", temp_, errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp_.c_str());
    return Fail(error, "closing", temp_, err);
  }
  if (::rename(temp_.c_str(), path_.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp_.c_str());
    return Fail(error, "renaming over", path_, err);
  }
  // Make the rename itself durable; a failure here leaves the new file in place.
  int dir_fd = ::open(DirectoryOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
  return true;
}

void AtomicFileWriter::Abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temp_.c_str());
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* error, AtPath at_path) {
  AtomicFileWriter writer;
  return writer.Begin(path, error, at_path) && writer.Write(bytes, error) &&
         writer.Commit(error);
}

}  // namespace os
