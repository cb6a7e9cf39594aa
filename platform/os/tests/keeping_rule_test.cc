// The rule by which a reader keeps what it found by name and read across ratings
// (KeptWhileUnchanged over the cache's marks and ChangesSoFar), broken in
// turn by each kind of change: the first rating begun after a change finished sees it, a
// rating keeps to what it first found, and back-to-back ratings ask nothing again.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "platform/os/file_lookup.h"
#include "platform/os/kept_files.h"
#include "platform/os/tests/file_cache_fixture.h"

namespace os {
namespace {

// The text of a kept file, image or descriptor.
std::string Contents(const FileImagePtr& file) {
  if (!file || file->imaged()) return Text(file);
  char buffer[64];
  const ssize_t n = ::pread(file->descriptor(), buffer, sizeof buffer, 0);
  return n < 0 ? "<error>" : std::string(buffer, static_cast<std::size_t>(n));
}

// Keeps one file found by name across ratings, as the engine's readers do.
class KeepingReader {
 public:
  KeepingReader(std::string dir, std::string name) : dir_(std::move(dir)), name_(std::move(name)) {}

  // The text as the rating in hand sees it (call inside a SnapshotScope).
  std::string InRating() {
    if (kept_.StandsForThisScope()) return Contents(image_);
    ++lookups_;
    kept_.Start();
    path_ = FindFileNoCase(dir_, name_);
    image_ = path_ ? ReadKeptFile(*path_) : nullptr;
    // A name that finds nothing is looked up again: the cache recalls the answer.
    if (path_) {
      kept_.Include(*path_, image_);
    } else {
      kept_.Forget();
    }
    return Contents(image_);
  }
  // One whole rating.
  std::string Rate() {
    SnapshotScope rating;
    return InRating();
  }
  // True once a rating sees text, asking for at most a few seconds.
  bool RateBecomes(const std::string& text) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Rate() != text) {
      if (std::chrono::steady_clock::now() > give_up) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }
  // How often the reader asked the cache again.
  int lookups() const { return lookups_; }
  const FileImagePtr& image() const { return image_; }

 private:
  std::string dir_;
  std::string name_;
  KeptWhileUnchanged kept_;
  std::optional<std::string> path_;
  FileImagePtr image_;
  int lookups_ = 0;
};

void WriteInPlace(const std::string& path, const std::string& text, long second) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0) << path;
  ASSERT_EQ(static_cast<ssize_t>(text.size()), ::write(fd, text.data(), text.size()));
  ::close(fd);
  StampSecond(path, second);
}

class KeepingRuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSettleTimeForTesting(std::chrono::milliseconds(0));
    dir_.Write("data/RATES.R01", "rates-1");
    dir_.Write("elsewhere/keep", "x");
    StampSecond(path_, 1'000'000'000);
  }
  void TearDown() override {
    SetSettleTimeForTesting(kDefaultSettleTime);
    SetFileWatchLimitForTesting(-1);
    PauseWatcherThreadForTesting(false);
  }
  // The reader with the file kept (read, then kept by a second rating).
  void KeepFirst() {
    ASSERT_EQ("rates-1", reader_.Rate());
    ASSERT_EQ("rates-1", reader_.Rate());
  }
  // Replaces a file under the test directory by renaming a new one over it.
  void RenameOver(const std::string& name, const std::string& text) {
    const std::string next = name.substr(0, name.rfind('/')) + "/next";
    dir_.Write(next, text);
    ASSERT_EQ(0, ::rename(dir_.File(next).c_str(), dir_.File(name).c_str()));
  }
  // A second name for the file in another directory.
  void LinkElsewhere() { ASSERT_EQ(0, ::link(path_.c_str(), link_.c_str())); }

  testkit::TempDir dir_;
  const std::string data_ = dir_.File("data");
  const std::string path_ = dir_.File("data/RATES.R01");
  const std::string link_ = dir_.File("elsewhere/rates.link");
  KeepingReader reader_{data_, "rates.r01"};
};

TEST_F(KeepingRuleTest, BackToBackRatingsKeepWhatTheyFoundWithoutAskingAgain) {
  if (!IsWatchedForTesting(data_)) GTEST_SKIP() << "no directory watch to be had here";
  KeepFirst();
  EXPECT_TRUE(KeptWhileUnchanged::MayKeep(path_, reader_.image()));
  const std::uint64_t changes = ChangesSoFar();
  for (int i = 0; i < 100; ++i) ASSERT_EQ("rates-1", reader_.Rate());
  EXPECT_EQ(1, reader_.lookups()) << "found and read once";
  EXPECT_EQ(changes, ChangesSoFar());
}

TEST_F(KeepingRuleTest, ARatingKeepsToWhatItFirstFoundAndTheNextSeesTheChange) {
  KeepFirst();
  {
    SnapshotScope rating;
    ASSERT_EQ("rates-1", reader_.InRating());
    WriteInPlace(path_, "rates-2", 1'000'000'001);
    WaitForWatcherForTesting();
    EXPECT_EQ("rates-1", reader_.InRating()) << "the rest of the rating";
  }
  EXPECT_EQ("rates-2", reader_.Rate()) << "a new rating";
}

TEST_F(KeepingRuleTest, WritesRenamesAndLinksElsewhereEachShowInTheNextRating) {
  KeepFirst();
  WriteInPlace(path_, "rates-2", 1'000'000'001);
  EXPECT_EQ("rates-2", reader_.Rate()) << "written in place";
  RenameOver("data/RATES.R01", "rates-3");
  EXPECT_EQ("rates-3", reader_.Rate()) << "renamed over";
  ASSERT_EQ("rates-3", reader_.Rate());
  LinkElsewhere();
  ASSERT_EQ("rates-3", reader_.Rate());
  WriteInPlace(link_, "rates-4", 1'000'000'002);
  EXPECT_EQ("rates-4", reader_.Rate()) << "written through a link in another directory";
  ASSERT_EQ(0, ::unlink(path_.c_str()));
  EXPECT_EQ("<none>", reader_.Rate()) << "removed";
  EXPECT_EQ("<none>", reader_.Rate());
  dir_.Write("data/Rates.R01", "rates-5");
  EXPECT_EQ("rates-5", reader_.Rate()) << "a missing name that comes back, in other case";
}

TEST_F(KeepingRuleTest, AWriteThroughASharedMappingShowsWithinTheStampCheck) {
  const int fd = ::open(path_.c_str(), O_RDWR);
  ASSERT_GE(fd, 0);
  void* map = ::mmap(nullptr, 7, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  ::close(fd);
  ASSERT_NE(MAP_FAILED, map);
  KeepFirst();
  std::memcpy(map, "rates-2", 7);
  ASSERT_EQ(0, ::msync(map, 7, MS_SYNC));
  struct stat st;
  ASSERT_EQ(0, ::stat(path_.c_str(), &st));
  if (st.st_mtim.tv_sec == 1'000'000'000) {
    ::munmap(map, 7);
    GTEST_SKIP() << "this file system keeps no time of writes through a mapping";
  }
  EXPECT_TRUE(reader_.RateBecomes("rates-2"));
  ::munmap(map, 7);  // the file's last close, which raises an event: only now
}

long MaxQueuedEvents() {
  std::ifstream in("/proc/sys/fs/inotify/max_queued_events");
  long n = 0;
  return in >> n ? n : 0;
}

TEST_F(KeepingRuleTest, AnOverflowingEventQueueEndsWhatWasKept) {
  const long max_queued = MaxQueuedEvents();
  if (max_queued <= 0 || max_queued > 1'000'000) GTEST_SKIP() << "queue limit " << max_queued;
  LinkElsewhere();
  KeepFirst();
  PauseWatcherThreadForTesting(true);
  dir_.Write("data/a", "a");
  dir_.Write("data/b", "b");
  const int a = ::open(dir_.File("data/a").c_str(), O_WRONLY);
  const int b = ::open(dir_.File("data/b").c_str(), O_WRONLY);
  ASSERT_TRUE(a >= 0 && b >= 0);
  for (long i = 0; i < max_queued + 100; ++i) ASSERT_EQ(1, ::pwrite(i % 2 ? a : b, "z", 1, 0));
  ::close(a);
  ::close(b);
  WriteInPlace(link_, "rates-2", 1'000'000'001);
  EXPECT_EQ("rates-2", reader_.Rate());
}

TEST_F(KeepingRuleTest, BeyondTheWatchLimitEachRatingChecksAgain) {
  SetFileWatchLimitForTesting(0);
  KeepFirst();
  EXPECT_FALSE(KeptWhileUnchanged::MayKeep(path_, reader_.image()));
  const int lookups = reader_.lookups();
  ASSERT_EQ("rates-1", reader_.Rate());
  EXPECT_EQ(lookups + 1, reader_.lookups()) << "nothing kept without the file's own watch";
  LinkElsewhere();
  WriteInPlace(link_, "rates-2", 1'000'000'001);
  EXPECT_EQ("rates-2", reader_.Rate());
}

TEST_F(KeepingRuleTest, AFileChangedWithinTheSettleTimeIsNeverKept) {
  SetSettleTimeForTesting(kDefaultSettleTime);
  dir_.Write("data/RATES.R01", "rates-2");  // just now
  ASSERT_EQ("rates-2", reader_.Rate());
  EXPECT_FALSE(KeptWhileUnchanged::MayKeep(path_, reader_.image()));
  const int lookups = reader_.lookups();
  ASSERT_EQ("rates-2", reader_.Rate());
  EXPECT_EQ(lookups + 1, reader_.lookups());
  // Rewritten within the same clock tick: only reading again can tell.
  const int fd = ::open(path_.c_str(), O_WRONLY);
  ASSERT_EQ(1, ::pwrite(fd, "R", 1, 0));
  ::close(fd);
  EXPECT_EQ("Rates-2", reader_.Rate());
}

TEST_F(KeepingRuleTest, WhatWasKeptOutlivesTheCachesEvictionAndStillSeesChanges) {
  LinkElsewhere();
  KeepFirst();
  for (int i = 0; i < 300; ++i) {
    const std::string name = "data/F" + std::to_string(i);
    dir_.Write(name, name);
    ASSERT_EQ(name, Text(ReadFileImage(dir_.File(name))));
  }
  EXPECT_EQ("rates-1", reader_.Rate());
  WriteInPlace(link_, "rates-2", 1'000'000'001);
  EXPECT_EQ("rates-2", reader_.Rate());
}

TEST_F(KeepingRuleTest, AFileAboveTheImageLimitIsKeptAsADescriptorUnderTheSameRule) {
  struct Limit {
    std::size_t before = MaxFileImageSize();
    Limit() { SetMaxFileImageSizeForTesting(4); }
    ~Limit() { SetMaxFileImageSizeForTesting(before); }
  } limit;
  KeepFirst();
  ASSERT_FALSE(reader_.image()->imaged());
  if (IsWatchedForTesting(data_)) {
    for (int i = 0; i < 100; ++i) ASSERT_EQ("rates-1", reader_.Rate());
    EXPECT_EQ(1, reader_.lookups()) << "opened once";
  }
  RenameOver("data/RATES.R01", "rates-2");
  EXPECT_EQ("rates-2", reader_.Rate()) << "renamed over";
  ASSERT_EQ("rates-2", reader_.Rate());
  LinkElsewhere();
  ASSERT_EQ("rates-2", reader_.Rate());
  RenameOver("elsewhere/rates.link", "rates-3");
  EXPECT_EQ("rates-2", reader_.Rate()) << "only the other name replaced";
  WriteInPlace(path_, "rates-4", 1'000'000'002);
  EXPECT_EQ("rates-4", reader_.Rate()) << "written in place";
}

TEST_F(KeepingRuleTest, ReleasingTheDirectoryEndsWhatWasKeptOfIt) {
  std::optional<DirectoryClaim> claim(std::in_place, data_);
  KeepFirst();
  const int lookups = reader_.lookups();
  claim.reset();
  ASSERT_EQ("rates-1", reader_.Rate());
  EXPECT_EQ(lookups + 1, reader_.lookups()) << "asked again after the release";
}

}  // namespace
}  // namespace os
