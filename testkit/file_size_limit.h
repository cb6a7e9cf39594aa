// A real write failure halfway through a file, for crash-safety tests: while the object
// lives, no file of this process may grow past `bytes` (the kernel's file-size limit), so a
// longer write stops part way with an error, as on a full disk.
#ifndef TESTKIT_FILE_SIZE_LIMIT_H_
#define TESTKIT_FILE_SIZE_LIMIT_H_

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace testkit {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::size_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit previous_;
  void (*previous_handler_)(int);
};

}  // namespace testkit

#endif  // TESTKIT_FILE_SIZE_LIMIT_H_
