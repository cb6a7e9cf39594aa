#include "frelane/rating/export_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"
#include "platform/runtime/error.h"

namespace frelane {

namespace {

FileFailure Failure(int number, const char* description) { return {number, description}; }

FileFailure FromErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Failure(runtime::kErrPathNotFound, "Path not found");
    case ENOSPC:
    case EDQUOT:
      return Failure(61, "Disk full");
    case ENAMETOOLONG:
      return Failure(runtime::kErrBadFileName, "Bad file name or number");
    default:
      // Permission, a read-only file system, a directory in the file's place.
      return Failure(75, "Path/File access error");
  }
}

// True when another process holds a lock on the open file.
bool LockedByOther(int fd) {
  struct flock probe{};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  if (fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) return true;
  return false;
}

}  // namespace

std::string ExportOpenPath(std::string_view path_file) {
  std::string path = os::NormalizeSeparators(path_file);
  path.erase(path.find_last_not_of(' ') + 1);
  return path;
}

FileFailure AppendToFile(const std::string& path, std::string_view text) {
  if (path.empty()) return Failure(runtime::kErrBadFileName, "Bad file name or number");
  // A pipe under the name would hold every rating up: it is refused.
  int fd = os::OpenOutputToAppend(path);
  if (fd < 0) return FromErrno(errno);
  if (LockedByOther(fd)) {
    close(fd);
    return Failure(kErrPermissionDenied, "Permission denied");
  }
  FileFailure failure;
  while (!text.empty()) {
    ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure = FromErrno(n < 0 ? errno : ENOSPC);
      break;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  if (close(fd) != 0 && !failure) failure = FromErrno(errno);
  return failure;
}

FileFailure RemoveRegularFile(const std::string& path) {
  struct stat info{};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  if (unlink(path.c_str()) != 0) return FromErrno(errno);
  return {};
}

}  // namespace frelane
