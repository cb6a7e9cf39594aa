#include "platform/os/named_mutex.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>

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

TEST_F(NamedMutexTest, WaitersOfOneProcessGoOnWhenTheOwnerReleasesOrGoesAway) {
  std::string name = UniqueName("Threads");
  auto a = Open(name);
  ASSERT_TRUE(a);
  ASSERT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  WaitResult got = WaitResult::kFailed;
  std::thread waiter([&] {
    auto b = NamedMutex::Open(name);
    got = b->Wait(milliseconds(60'000));
    b->Release();
  });
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_TRUE(a->Release());
  waiter.join();
  EXPECT_EQ(WaitResult::kAcquired, got);

  // An owner destroyed holding it lets the waiter in too, abandoned.
  ASSERT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  std::thread next([&] {
    auto c = NamedMutex::Open(name);
    got = c->Wait(milliseconds(60'000));
    c->Release();
  });
  std::this_thread::sleep_for(milliseconds(20));
  a.reset();
  next.join();
  EXPECT_EQ(WaitResult::kAbandoned, got);
}

// The outcome, in a child process run as another user, of opening name and waiting for it
// once: 'n' no mutex, 't' timed out, 'a' acquired, 'x' could not become the user.
char AsAnotherUser(const std::string& name) {
  int to_parent[2];
  if (::pipe(to_parent) != 0) return 'x';
  pid_t child = ::fork();
  if (child == 0) {
    char c = 'x';
    if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
      auto m = NamedMutex::Open(name);
      c = !m ? 'n' : (m->Wait(milliseconds(0)) == WaitResult::kTimeout ? 't' : 'a');
      if (c == 'a') m->Release();
    }
    if (::write(to_parent[1], &c, 1) != 1) ::_exit(1);
    ::_exit(0);
  }
  char c = 'x';
  if (child < 0 || ::read(to_parent[0], &c, 1) != 1) c = 'x';
  int status = 0;
  if (child > 0) ::waitpid(child, &status, 0);
  ::close(to_parent[0]);
  ::close(to_parent[1]);
  return c;
}

TEST_F(NamedMutexTest, EveryUserSharingTheTemporaryDirectoryLocksTheSameFile) {
  std::string name = UniqueName("Users");
  const mode_t old_mask = ::umask(077);
  auto a = Open(name);
  ::umask(old_mask);
  ASSERT_TRUE(a);
  struct stat st;
  ASSERT_EQ(0, ::stat(a->lock_path().c_str(), &st));
  EXPECT_EQ(0666u, st.st_mode & 0777) << "whatever the creator's umask";

  if (::geteuid() != 0) GTEST_SKIP() << "another user is to be had only as root";
  ASSERT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  const char held = AsAnotherUser(name);
  if (held == 'x') GTEST_SKIP() << "cannot run as another user here";
  EXPECT_EQ('t', held) << "the other user's engine is kept out";
  ASSERT_TRUE(a->Release());
  EXPECT_EQ('a', AsAnotherUser(name));

  // A lock file the other user may only read still locks.
  ASSERT_EQ(0, ::chmod(a->lock_path().c_str(), 0644));
  ASSERT_EQ(a->Wait(milliseconds(0)), WaitResult::kAcquired);
  EXPECT_EQ('t', AsAnotherUser(name));
  ASSERT_TRUE(a->Release());
}

}  // namespace
}  // namespace os
