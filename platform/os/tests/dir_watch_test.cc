#include "platform/os/dir_watch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>

#include "testkit/temp_dir.h"

namespace os {
namespace {

class DirWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(0, ::mkdir(data_.c_str(), 0755));
    if (!IsWatchedForTesting(data_)) GTEST_SKIP() << "no inotify on this file system";
  }

  // A mark taken once the changes made so far are taken in.
  static WatchMark Mark(const std::string& dir, std::string_view name) {
    CatchUpWithChanges();
    return MarkBeforeCheck(dir, name);
  }
  // Takes in what the watch saw, then tells whether the mark still holds.
  static bool Holds(const WatchMark& mark) {
    CatchUpWithChanges();
    return mark.Holds();
  }

  testkit::TempDir top_;
  const std::string data_ = top_.File("data");
};

TEST_F(DirWatchTest, OnlyPlainAbsolutePathsAreWatched) {
  EXPECT_TRUE(IsWatchedForTesting(data_ + "/"));
  EXPECT_TRUE(IsWatchedForTesting(top_.path() + "/data"));
  EXPECT_FALSE(IsWatchedForTesting("relative/dir"));
  EXPECT_FALSE(IsWatchedForTesting(data_ + "/../data"));
  EXPECT_FALSE(IsWatchedForTesting(top_.File("missing")));
  ASSERT_EQ(0, ::symlink(data_.c_str(), top_.File("link").c_str()));
  EXPECT_FALSE(IsWatchedForTesting(top_.File("link"))) << "a link may be turned elsewhere";
  EXPECT_EQ(nullptr, MarkBeforeCheck(top_.File("link"), "X").changes);

  SetDirWatchEnabledForTesting(false);
  EXPECT_FALSE(IsWatchedForTesting(data_));
  SetDirWatchEnabledForTesting(true);
  EXPECT_TRUE(IsWatchedForTesting(data_));
}

TEST_F(DirWatchTest, AMarkHoldsUntilAChangeMayTouchItsFile) {
  top_.Write("data/RATES.R01", "1");
  top_.Write("data/tolv.log", "1");
  WatchMark mark = Mark(data_, "rates.r01");
  ASSERT_TRUE(Holds(mark));
  top_.Write("data/tolv.log", "22");
  EXPECT_TRUE(Holds(mark)) << "a write to a file not marked";

  top_.Write("data/RATES.R01", "2");
  EXPECT_FALSE(Holds(mark)) << "a write to the marked file (any case)";

  mark = Mark(data_, "RATES.R01");
  ASSERT_EQ(0, ::chmod((data_ + "/RATES.R01").c_str(), 0600));
  EXPECT_FALSE(Holds(mark)) << "its attributes";

  mark = Mark(data_, "RATES.R01");
  top_.Write("data/NEW.DAT", "x");
  EXPECT_FALSE(Holds(mark)) << "a name added";

  mark = Mark(data_, "RATES.R01");
  ASSERT_EQ(0, ::rename((data_ + "/NEW.DAT").c_str(), (data_ + "/OTHER.DAT").c_str()));
  EXPECT_FALSE(Holds(mark)) << "a name renamed";

  mark = Mark(data_, "RATES.R01");
  ASSERT_EQ(0, ::unlink((data_ + "/OTHER.DAT").c_str()));
  EXPECT_FALSE(Holds(mark)) << "a name removed";
}

TEST_F(DirWatchTest, AChangeOfThePathBreaksTheMarks) {
  WatchMark mark = Mark(data_, "X");
  top_.Write("sibling.txt", "x");
  EXPECT_TRUE(Holds(mark)) << "other names beside the directory";

  // The directory moved away and another put in its place.
  ASSERT_EQ(0, ::rename(data_.c_str(), top_.File("old").c_str()));
  ASSERT_EQ(0, ::mkdir(data_.c_str(), 0755));
  EXPECT_FALSE(Holds(mark));
  mark = Mark(data_, "X");
  ASSERT_TRUE(Holds(mark)) << "the new directory is watched";
  top_.Write("old/X", "x");
  EXPECT_TRUE(Holds(mark)) << "the old one no longer counts";
  top_.Write("data/X", "x");
  EXPECT_FALSE(Holds(mark));

  // A directory above it replaced.
  testkit::TempDir other;
  ::mkdir(other.File("deep").c_str(), 0755);
  const std::string deep = other.File("deep/data");
  ASSERT_EQ(0, ::mkdir(deep.c_str(), 0755));
  mark = Mark(deep, "X");
  ASSERT_TRUE(Holds(mark));
  ASSERT_EQ(0, ::rename(other.File("deep").c_str(), other.File("gone").c_str()));
  EXPECT_FALSE(Holds(mark));
}

// Readers make no call to learn of a change: the watcher thread breaks the marks by
// itself, a write through a link in another directory included.
TEST_F(DirWatchTest, TheWatcherThreadBreaksMarksWithoutAnyCallOfTheReader) {
  ASSERT_TRUE(ChangesArriveByThemselves());
  top_.Write("data/RATES.R01", "1");
  const std::string file = data_ + "/RATES.R01";
  WatchMark mark = Mark(data_, "rates.r01");
  ASSERT_TRUE(WatchFileOf(data_, file));
  ASSERT_TRUE(Holds(mark));
  const std::string link = top_.File("RATES.link");
  ASSERT_EQ(0, ::link(file.c_str(), link.c_str()));
  mark = Mark(data_, "rates.r01");
  top_.Write("RATES.link", "2");  // truncated and written in place, through the other name
  bool broke = false;
  for (int waited_ms = 0; waited_ms < 10'000 && !broke; ++waited_ms) {
    broke = !mark.Holds();
    if (!broke) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(broke);

  // Held back, the thread leaves the change to the reader's own call.
  PauseWatcherThreadForTesting(true);
  EXPECT_FALSE(ChangesArriveByThemselves());
  mark = Mark(data_, "rates.r01");
  top_.Write("RATES.link", "3");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_TRUE(mark.Holds()) << "nothing taken in while held back";
  EXPECT_FALSE(Holds(mark));
  PauseWatcherThreadForTesting(false);
}

// The inotify watches the kernel holds for this process, as /proc lists them.
std::size_t KernelWatches() {
  std::size_t count = 0;
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(fd.path(), error).string() != "anon_inode:inotify") continue;
    std::ifstream info("/proc/self/fdinfo/" + fd.path().filename().string());
    for (std::string line; std::getline(info, line);) count += line.starts_with("inotify wd:");
  }
  return count;
}

// A watch that cannot be set up takes back the watches it added on the way down, and is not
// tried again at each look-up: only once something may have let it succeed (here an event
// in a watched directory, or a claim).
TEST_F(DirWatchTest, AFailedSetUpTakesBackItsWatchesAndWaitsForAChange) {
  // Held back, so that nothing is taken in unless asked for.
  PauseWatcherThreadForTesting(true);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  top_.Write("above/plain", "no directory");
  const std::string plain = top_.File("above/plain");
  CatchUpWithChanges();
  const std::size_t watches = KernelWatches();
  EXPECT_FALSE(IsWatchedForTesting(plain));
  EXPECT_EQ(watches, KernelWatches()) << "the watch of \"above\" is taken back";

  // A directory in its place, seen by no watch.
  ASSERT_EQ(0, ::unlink(plain.c_str()));
  ASSERT_EQ(0, ::mkdir(plain.c_str(), 0755));
  EXPECT_FALSE(IsWatchedForTesting(plain)) << "not tried again while nothing was seen";
  EXPECT_EQ(nullptr, MarkBeforeCheck(plain, "X").changes);
  top_.Write("beside.txt", "x");  // in a directory watched on the way to data_
  CatchUpWithChanges();
  EXPECT_TRUE(IsWatchedForTesting(plain));

  const std::string missing = top_.File("above/missing");
  EXPECT_FALSE(IsWatchedForTesting(missing));
  ASSERT_EQ(0, ::mkdir(missing.c_str(), 0755));
  EXPECT_FALSE(IsWatchedForTesting(missing));
  ClaimDirectory(missing);
  EXPECT_TRUE(IsWatchedForTesting(missing)) << "a claim tries again";
  EXPECT_TRUE(ReleaseDirectory(missing));
  PauseWatcherThreadForTesting(false);
  // Gone before the next case starts, so that it sees none of this.
  ASSERT_EQ(0, ::rmdir(missing.c_str()));
  ASSERT_EQ(0, ::rmdir(plain.c_str()));
  WaitForWatcherForTesting();
}

// A look-up alone watches only where a watch stands or the directory is claimed.
TEST_F(DirWatchTest, ALookUpStartsAWatchOnlyInAClaimedDirectory) {
  const std::string other = top_.File("other");
  ASSERT_EQ(0, ::mkdir(other.c_str(), 0755));
  EXPECT_EQ(nullptr, MarkWhereWatched(other, "X").changes);
  EXPECT_NE(nullptr, MarkWhereWatched(data_, "X").changes) << "watched already";
  ClaimDirectory(other);
  EXPECT_NE(nullptr, MarkWhereWatched(other, "X").changes);
  EXPECT_TRUE(ReleaseDirectory(other));
  EXPECT_EQ(nullptr, MarkWhereWatched(other, "X").changes) << "let go with its claim";
}

// The once-a-second sweep stats every watched directory and file; readers marking their
// files meanwhile do not wait for it.
TEST_F(DirWatchTest, MarksAreTakenWhileTheStampSweepStats) {
  ASSERT_TRUE(ChangesArriveByThemselves());
  top_.Write("data/RATES.R01", "1");
  ASSERT_TRUE(WatchFileOf(data_, data_ + "/RATES.R01"));
  std::promise<void> sweeping;
  std::promise<void> go_on;
  std::shared_future<void> may_go_on = go_on.get_future().share();
  std::atomic<bool> stalled{false};
  SetStampSweepHookForTesting([&, may_go_on] {
    if (stalled.exchange(true)) return;
    sweeping.set_value();
    may_go_on.wait();
  });
  ASSERT_EQ(std::future_status::ready, sweeping.get_future().wait_for(std::chrono::seconds(10)));
  auto marked = std::async(std::launch::async, [&] { return MarkBeforeCheck(data_, "RATES.R01"); });
  EXPECT_EQ(std::future_status::ready, marked.wait_for(std::chrono::seconds(5)))
      << "a mark waited for the sweep";
  go_on.set_value();
  EXPECT_NE(nullptr, marked.get().changes);
  SetStampSweepHookForTesting(nullptr);
}

}  // namespace
}  // namespace os
