#include "platform/os/named_mutex.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace os {
namespace {

using WaitResult = NamedMutex::WaitResult;
using std::chrono::milliseconds;

// A name of this test process alone, so parallel test runs do not meet.
std::string UniqueName(const char* what) {
  return std::string("FrelaneTest") + what + std::to_string(::getpid());
}

class NamedMutexTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!lock_path_.empty()) ::unlink(lock_path_.c_str());
  }
  std::unique_ptr<NamedMutex> Open(const std::string& name) {
    auto m = NamedMutex::Open(name);
    if (m) lock_path_ = m->lock_path();
    return m;
  }
  std::string lock_path_;
};

TEST_F(NamedMutexTest, RecursivePerObjectAndExclusiveBetweenObjects) {
  std::string name = UniqueName("Recursive");
  auto a = Open(name);
  auto b = Open(name);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  EXPECT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  EXPECT_EQ(b->Wait(milliseconds(20)), WaitResult::kTimeout);
  EXPECT_TRUE(a->Release());
  EXPECT_EQ(b->Wait(milliseconds(0)), WaitResult::kTimeout) << "one hold is left";
  EXPECT_TRUE(a->Release());
  EXPECT_FALSE(a->Release()) << "not owned any more";
  EXPECT_FALSE(b->Release()) << "never owned";
  EXPECT_EQ(b->Wait(milliseconds(0)), WaitResult::kAcquired);
  EXPECT_TRUE(b->Release());
}

TEST_F(NamedMutexTest, UnsafeNamesAreRefused) {
  EXPECT_EQ(NamedMutex::Open("../escape"), nullptr);
  EXPECT_EQ(NamedMutex::Open(""), nullptr);
  EXPECT_EQ(NamedMutex::Open("a/b"), nullptr);
}

TEST_F(NamedMutexTest, AnOwnerDestroyedWithoutReleaseLeavesItAbandoned) {
  std::string name = UniqueName("Dropped");
  auto a = Open(name);
  ASSERT_TRUE(a);
  ASSERT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  a.reset();
  auto b = Open(name);
  EXPECT_EQ(b->Wait(milliseconds(0)), WaitResult::kAbandoned);
  EXPECT_TRUE(b->Release());
  // Released properly, it is no longer abandoned.
  EXPECT_EQ(b->Wait(milliseconds(0)), WaitResult::kAcquired);
  EXPECT_TRUE(b->Release());
}

TEST_F(NamedMutexTest, AnotherProcessHoldsThenReleasesOrDies) {
  std::string name = UniqueName("Process");
  auto parent = Open(name);
  ASSERT_TRUE(parent);
  int to_child[2], to_parent[2];
  ASSERT_EQ(::pipe(to_child), 0);
  ASSERT_EQ(::pipe(to_parent), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Take the lock, tell the parent, wait for a word: 'r' releases, 'd' dies holding it.
    auto mine = NamedMutex::Open(name);
    if (!mine || mine->Wait(milliseconds(1000)) != WaitResult::kAcquired) ::_exit(1);
    char c = 'h';
    if (::write(to_parent[1], &c, 1) != 1) ::_exit(2);
    if (::read(to_child[0], &c, 1) != 1) ::_exit(3);
    if (c == 'r') mine->Release();
    if (::read(to_child[0], &c, 1) != 1) ::_exit(4);
    ::_exit(0);  // the kernel drops a lock still held
  }
  char c = 0;
  ASSERT_EQ(::read(to_parent[0], &c, 1), 1);
  EXPECT_EQ(parent->Wait(milliseconds(30)), WaitResult::kTimeout);
  c = 'r';
  ASSERT_EQ(::write(to_child[1], &c, 1), 1);
  EXPECT_EQ(parent->Wait(milliseconds(5000)), WaitResult::kAcquired);
  EXPECT_TRUE(parent->Release());
  c = 'x';
  ASSERT_EQ(::write(to_child[1], &c, 1), 1);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  // A second child dies holding the lock: the parent then gets it, abandoned.
  child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto mine = NamedMutex::Open(name);
    if (!mine || mine->Wait(milliseconds(1000)) != WaitResult::kAcquired) ::_exit(1);
    ::_exit(0);
  }
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(parent->Wait(milliseconds(1000)), WaitResult::kAbandoned);
  EXPECT_TRUE(parent->Release());
  for (int fd : {to_child[0], to_child[1], to_parent[0], to_parent[1]}) ::close(fd);
}

}  // namespace
}  // namespace os
