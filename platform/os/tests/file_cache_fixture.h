// What the file cache's tests share: an image's text, a file's time set by hand, and a
// fixture that runs each case with the directories watched and without.
#ifndef FRELANE_PLATFORM_OS_TESTS_FILE_CACHE_FIXTURE_H_
#define FRELANE_PLATFORM_OS_TESTS_FILE_CACHE_FIXTURE_H_

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <string>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "testkit/temp_dir.h"

namespace os {

inline std::string Text(const FileImagePtr& image) {
  if (!image) return "<none>";
  return std::string(image->bytes().begin(), image->bytes().end());
}

// Sets the file's modification time to the given second, as a later write in another
// tick of the file system's clock would.
inline void StampSecond(const std::string& path, long second) {
  struct timespec times[2] = {{second, 0}, {second, 0}};
  ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0));
}

// Files written a moment ago count as settled, so that the cache serves them. The
// parameter tells whether the directories are watched; where not, stamps tell the changes.
class WatchedOrNotTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    SetSettleTimeForTesting(std::chrono::milliseconds(0));
    SetDirWatchEnabledForTesting(GetParam());
  }
  void TearDown() override {
    SetSettleTimeForTesting(kDefaultSettleTime);
    SetDirWatchEnabledForTesting(true);
  }
  testkit::TempDir dir_;
};

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_TESTS_FILE_CACHE_FIXTURE_H_
