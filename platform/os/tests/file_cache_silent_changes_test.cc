// Changes that raise no directory event still show, within the watcher's stamp check: a
// write through a shared mapping made before the file was read, and a mount over the file
// or over its directory, and the unmount. Each waits for the change for at most a bound.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/os/tests/file_cache_fixture.h"
#include "testkit/bind_mount.h"

namespace os {
namespace {

// Far more than the watcher's stamp check needs to see a change.
constexpr auto kPatience = std::chrono::seconds(5);

class SilentChangesTest : public WatchedOrNotTest {
 protected:
  void SetUp() override {
    WatchedOrNotTest::SetUp();
    dir_.Write("data/RATES.R01", "rates-1");
    StampSecond(path_, 1'000'000'000);
  }

  // The file as a rating sees it.
  std::string Rated() {
    SnapshotScope rating;
    return Text(ReadFileImage(path_));
  }
  // True once a rating sees text, asking until kPatience has passed.
  bool RatedBecomes(const std::string& text) {
    const auto give_up = std::chrono::steady_clock::now() + kPatience;
    while (Rated() != text) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  const std::string path_ = dir_.File("data/RATES.R01");
};

TEST_P(SilentChangesTest, AWriteThroughASharedMappingShows) {
  // Unmapped only at the end: the mapping's end is the file's last close, which raises an
  // event.
  const int fd = ::open(path_.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  void* map = ::mmap(nullptr, 7, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ::close(fd);
  ASSERT_NE(MAP_FAILED, map);
  ASSERT_EQ("rates-1", Rated());
  ASSERT_EQ("rates-1", Rated()) << "served as kept";
  struct stat before;
  ASSERT_EQ(0, ::stat(path_.c_str(), &before));

  std::memcpy(map, "rates-2", 7);
  ASSERT_EQ(0, ::msync(map, 7, MS_SYNC));
  struct stat after;
  ASSERT_EQ(0, ::stat(path_.c_str(), &after));
  if (StampOf(before) == StampOf(after)) {
    ::munmap(map, 7);
    GTEST_SKIP() << "this file system keeps no time of writes through a mapping";
  }
  EXPECT_TRUE(RatedBecomes("rates-2"));
  ::munmap(map, 7);
}

using testkit::BindMount;

TEST_P(SilentChangesTest, AMountOverTheFileAndItsUnmountShow) {
  dir_.Write("other/RATES.R01", "rates-2");
  StampSecond(dir_.File("other/RATES.R01"), 1'000'000'000);
  ASSERT_EQ("rates-1", Rated());
  ASSERT_EQ("rates-1", Rated());
  BindMount mount(dir_.File("other/RATES.R01"), path_);
  SKIP_UNLESS_MOUNTED(mount);
  EXPECT_TRUE(RatedBecomes("rates-2"));
  ASSERT_TRUE(mount.Undo());
  EXPECT_TRUE(RatedBecomes("rates-1"));
}

TEST_P(SilentChangesTest, AMountOverTheDirectoryAndItsUnmountShow) {
  dir_.Write("other/RATES.R01", "rates-2");
  StampSecond(dir_.File("other/RATES.R01"), 1'000'000'000);
  ASSERT_EQ("rates-1", Rated());
  ASSERT_EQ("rates-1", Rated());
  BindMount mount(dir_.File("other"), dir_.File("data"));
  SKIP_UNLESS_MOUNTED(mount);
  EXPECT_TRUE(RatedBecomes("rates-2"));
  ASSERT_TRUE(mount.Undo());
  EXPECT_TRUE(RatedBecomes("rates-1"));
}

INSTANTIATE_TEST_SUITE_P(Both, SilentChangesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Watched" : "Unwatched"; });

}  // namespace
}  // namespace os
