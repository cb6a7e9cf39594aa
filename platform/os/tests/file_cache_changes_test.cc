// Every way a served file can change behind the cache shows in the next request: through a
// second name made after the first read, by rename, truncation, removal and return, with
// the event queue overflowing, beyond the watch limit and across the cache's eviction.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <chrono>
#include <string>
#include <thread>

#include "platform/os/tests/file_cache_fixture.h"

namespace os {
namespace {

// Writes the file's bytes in place (its inode kept) and gives it a time of its own, as a
// write in a later tick of the clock would.
void WriteInPlace(const std::string& path, const std::string& text, long second) {
  int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0) << path;
  ASSERT_EQ(static_cast<ssize_t>(text.size()), ::write(fd, text.data(), text.size()));
  ::close(fd);
  StampSecond(path, second);
}

class FileCacheChangesTest : public WatchedOrNotTest {
 protected:
  void SetUp() override {
    WatchedOrNotTest::SetUp();
    dir_.Write("data/RATES.R01", "rates-1");
    dir_.Write("elsewhere/keep", "x");
  }
  void TearDown() override {
    WatchedOrNotTest::TearDown();
    SetFileWatchLimitForTesting(-1);
  }
  // The file as a request sees it, read twice so that the second is served as cached.
  std::string Served() {
    ReadFileImage(path_);
    return Text(ReadFileImage(path_));
  }

  const std::string path_ = dir_.File("data/RATES.R01");
  const std::string link_ = dir_.File("elsewhere/rates.link");
};

TEST_P(FileCacheChangesTest, AWriteThroughALinkMadeAfterTheFirstReadShows) {
  ASSERT_EQ("rates-1", Served());
  ASSERT_EQ(0, ::link(path_.c_str(), link_.c_str()));
  EXPECT_EQ("rates-1", Served());
  WriteInPlace(link_, "rates-2", 1'000'000'000);
  EXPECT_EQ("rates-2", Served());
  WriteInPlace(link_, "rates-3", 1'000'000'001);
  EXPECT_EQ("rates-3", Served()) << "and again after the link was seen";
}

TEST_P(FileCacheChangesTest, RenamedTruncatedRemovedAndRestoredFilesShow) {
  ASSERT_EQ("rates-1", Served());
  WriteInPlace(path_, "rates-2", 1'000'000'000);
  EXPECT_EQ("rates-2", Served());
  dir_.Write("data/next", "rates-3");
  ASSERT_EQ(0, ::rename(dir_.File("data/next").c_str(), path_.c_str()));
  EXPECT_EQ("rates-3", Served());
  ASSERT_EQ(0, ::truncate(path_.c_str(), 5));
  EXPECT_EQ("rates", Served());
  ASSERT_EQ(0, ::rename(path_.c_str(), dir_.File("data/away").c_str()));
  EXPECT_EQ("<none>", Served());
  ASSERT_EQ(0, ::rename(dir_.File("data/away").c_str(), path_.c_str()));
  EXPECT_EQ("rates", Served());
  ASSERT_EQ(0, ::unlink(path_.c_str()));
  EXPECT_EQ("<none>", Served());
  dir_.Write("data/RATES.R01", "rates-4");
  EXPECT_EQ("rates-4", Served());
  // The directory moved away and another put in its place.
  ASSERT_EQ(0, ::rename(dir_.File("data").c_str(), dir_.File("old").c_str()));
  dir_.Write("data/RATES.R01", "rates-5");
  EXPECT_EQ("rates-5", Served());
}

// The kernel's limit of queued events; 0 when it cannot be read.
long MaxQueuedEvents() {
  std::ifstream in("/proc/sys/fs/inotify/max_queued_events");
  long n = 0;
  return in >> n ? n : 0;
}

TEST_P(FileCacheChangesTest, AnOverflowingEventQueueDropsEveryVouch) {
  const long max_queued = MaxQueuedEvents();
  if (max_queued <= 0 || max_queued > 1'000'000) {
    GTEST_SKIP() << "the inotify queue limit is unreadable or too large to fill: " << max_queued;
  }
  ASSERT_EQ(0, ::link(path_.c_str(), link_.c_str()));
  ASSERT_EQ("rates-1", Served());
  const std::uint64_t overflows = QueueOverflowsForTesting();
  PauseWatcherThreadForTesting(true);
  // More events than the kernel queues (alternating names, so none are merged): the
  // change made after them is lost from the queue.
  dir_.Write("data/a", "a");
  dir_.Write("data/b", "b");
  int a = ::open(dir_.File("data/a").c_str(), O_WRONLY);
  int b = ::open(dir_.File("data/b").c_str(), O_WRONLY);
  ASSERT_TRUE(a >= 0 && b >= 0);
  for (long i = 0; i < max_queued + 100; ++i) {
    ASSERT_EQ(1, ::pwrite(i % 2 ? a : b, "z", 1, 0));
  }
  ::close(a);
  ::close(b);
  WriteInPlace(link_, "rates-2", 1'000'000'000);
  EXPECT_EQ("rates-2", Served());
  PauseWatcherThreadForTesting(false);
  if (GetParam()) {
    EXPECT_GT(QueueOverflowsForTesting(), overflows) << "the queue overflowed";
  }
}

TEST_P(FileCacheChangesTest, FilesBeyondTheWatchLimitAreCheckedByTheirStamps) {
  SetFileWatchLimitForTesting(0);
  ASSERT_EQ("rates-1", Served());
  ASSERT_EQ(0, ::link(path_.c_str(), link_.c_str()));
  WriteInPlace(link_, "rates-2", 1'000'000'000);
  EXPECT_EQ("rates-2", Served());
}

TEST_P(FileCacheChangesTest, FilesReadAgainAfterTheCacheEvictedThemStillShowChanges) {
  ASSERT_EQ(0, ::link(path_.c_str(), link_.c_str()));
  ASSERT_EQ("rates-1", Served());
  for (int i = 0; i < 300; ++i) {
    const std::string name = "data/F" + std::to_string(i);
    dir_.Write(name, name);
    ASSERT_EQ(name, Text(ReadFileImage(dir_.File(name))));
  }
  EXPECT_EQ("rates-1", Served());
  WriteInPlace(link_, "rates-2", 1'000'000'000);
  EXPECT_EQ("rates-2", Served());
}

// A rating begun right after a write, a pause after the previous one, sees the write
// without waiting for the watcher thread to wake: each round would be a race otherwise.
TEST_P(FileCacheChangesTest, AWriteJustBeforeARatingShowsInIt) {
  auto served_in_scope = [&] {
    SnapshotScope rating;
    return Text(ReadFileImage(path_));
  };
  ASSERT_EQ("rates-1", served_in_scope());
  for (int round = 0; round < 200; ++round) {
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    const std::string text = "rates-" + std::to_string(round + 2);
    WriteInPlace(path_, text, 1'000'000'000 + round);
    ASSERT_EQ(text, served_in_scope()) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Both, FileCacheChangesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Watched" : "Unwatched"; });

}  // namespace
}  // namespace os
