// A bind mount of one path over another for tests of changes that raise no directory
// event, undone when the object ends however the test ends. Mounting needs root: tests
// skip themselves with SKIP_UNLESS_MOUNTED where it could not be made.
#ifndef TESTKIT_BIND_MOUNT_H_
#define TESTKIT_BIND_MOUNT_H_

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace testkit {

class BindMount {
 public:
  BindMount(const std::string& from, const std::string& onto) : onto_(onto) {
    mounted_ = ::mount(from.c_str(), onto.c_str(), nullptr, MS_BIND, nullptr) == 0;
    error_ = errno;
  }
  ~BindMount() { Undo(); }
  BindMount(const BindMount&) = delete;
  BindMount& operator=(const BindMount&) = delete;

  bool mounted() const { return mounted_; }
  std::string error() const { return std::strerror(error_); }
  // Detached lazily when busy: a reader may still hold a file under it open.
  bool Undo() {
    if (mounted_) {
      mounted_ = ::umount2(onto_.c_str(), 0) != 0 && ::umount2(onto_.c_str(), MNT_DETACH) != 0;
    }
    return !mounted_;
  }

 private:
  std::string onto_;
  bool mounted_ = false;
  int error_ = 0;
};

}  // namespace testkit

#define SKIP_UNLESS_MOUNTED(mount)                                                 \
  do {                                                                             \
    if (::geteuid() != 0) GTEST_SKIP() << "mounting needs root";                   \
    if (!(mount).mounted()) GTEST_SKIP() << "cannot mount: " << (mount).error(); \
  } while (0)

#endif  // TESTKIT_BIND_MOUNT_H_
