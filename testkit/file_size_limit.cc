#include "testkit/file_size_limit.h"

#include <cstdio>
#include <cstdlib>

namespace testkit {

FileSizeLimit::FileSizeLimit(std::size_t bytes) {
  ::getrlimit(RLIMIT_FSIZE, &previous_);
  // Past the limit the kernel signals the process; the write itself then fails with EFBIG.
  previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = previous_;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
    std::perror("setrlimit");
    std::abort();
  }
}

FileSizeLimit::~FileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &previous_);
  std::signal(SIGXFSZ, previous_handler_);
}

}  // namespace testkit
