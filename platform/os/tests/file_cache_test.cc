#include "platform/os/file_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/os/file_lookup.h"
#include "platform/os/kept_files.h"
#include "platform/os/tests/file_cache_fixture.h"

namespace os {
namespace {

using FileCacheTest = WatchedOrNotTest;

TEST_P(FileCacheTest, ImageIsSharedUntilTheFileChanges) {
  const std::string path = dir_.File("TDZ.BIN");
  dir_.Write("TDZ.BIN", "first");
  FileImagePtr a = ReadFileImage(path);
  EXPECT_EQ("first", Text(a));
  EXPECT_EQ(a, ReadFileImage(path)) << "unchanged: the same image";

  dir_.Write("TDZ.BIN", "second!");
  EXPECT_EQ("second!", Text(ReadFileImage(path))) << "a new size";

  // The same size rewritten in place: only the times tell.
  dir_.Write("TDZ.BIN", "SECOND!");
  StampSecond(path, 1'000'000'000);
  EXPECT_EQ("SECOND!", Text(ReadFileImage(path)));

  // Replaced by another file of the same size and time.
  dir_.Write("new", "third!!");
  StampSecond(dir_.File("new"), 1'000'000'000);
  ASSERT_EQ(0, ::rename(dir_.File("new").c_str(), path.c_str()));
  EXPECT_EQ("third!!", Text(ReadFileImage(path)));

  ::unlink(path.c_str());
  EXPECT_EQ(nullptr, ReadFileImage(path));
  EXPECT_EQ(nullptr, ReadFileImage(dir_.path())) << "a directory has no image";
}

TEST_P(FileCacheTest, AFileChangedJustNowIsReadAgainEveryTime) {
  SetSettleTimeForTesting(std::chrono::hours(1));
  const std::string path = dir_.File("TDV.SEQ");
  dir_.Write("TDV.SEQ", "0120240101\r\n");
  FileImagePtr a = ReadFileImage(path);
  FileImagePtr b = ReadFileImage(path);
  EXPECT_NE(a, b);
  EXPECT_EQ(Text(a), Text(b));
}

TEST_P(FileCacheTest, ASnapshotHoldsTheFirstViewOfFilesAndNames) {
  const std::string path = dir_.File("EFCREC.TBL");
  dir_.Write("EFCREC.TBL", "old");
  {
    SnapshotScope outer;
    EXPECT_EQ("old", Text(ReadFileImage(path)));
    EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "late.dat"));
    dir_.Write("EFCREC.TBL", "newer");
    dir_.Write("LATE.DAT", "x");
    StampSecond(dir_.path(), 1'000'000'000);
    {
      SnapshotScope inner;
      EXPECT_EQ("old", Text(ReadFileImage(path)));
    }
    EXPECT_EQ("old", Text(ReadFileImage(path))) << "the inner scope ends nothing";
    EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "late.dat"));
  }
  EXPECT_EQ("newer", Text(ReadFileImage(path)));
  EXPECT_EQ(dir_.File("LATE.DAT"), FindFileNoCase(dir_.path(), "late.dat"));
}

TEST_P(FileCacheTest, EachSnapshotSeesRewritesAndReplacementsMadeBeforeIt) {
  const std::string path = dir_.File("NORTHW01.P01");
  dir_.Write("NORTHW01.P01", "points-1");
  auto in_snapshot = [&] {
    WaitForWatcherForTesting();  // begun a moment after the change, as ratings are
    SnapshotScope snapshot;
    EXPECT_EQ(dir_.File("NORTHW01.P01"), FindFileNoCase(dir_.path(), "northw01.p01"));
    return Text(ReadFileImage(path));
  };
  EXPECT_EQ("points-1", in_snapshot());
  EXPECT_EQ("points-1", in_snapshot());

  // Rewritten in place: the directory keeps its stamp, the file does not.
  dir_.Write("NORTHW01.P01", "points-2");
  StampSecond(path, 1'000'000'000);
  EXPECT_EQ("points-2", in_snapshot());

  // Replaced by a file of the same size and time: the directory's stamp tells.
  dir_.Write("next", "points-3");
  StampSecond(dir_.File("next"), 1'000'000'000);
  ASSERT_EQ(0, ::rename(dir_.File("next").c_str(), path.c_str()));
  StampSecond(dir_.path(), 1'000'000'000);
  EXPECT_EQ("points-3", in_snapshot());

  ::unlink(path.c_str());
  StampSecond(dir_.path(), 1'000'000'001);
  WaitForWatcherForTesting();
  SnapshotScope snapshot;
  EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "NORTHW01.P01"));
  EXPECT_EQ(nullptr, ReadFileImage(path));
}

TEST_P(FileCacheTest, ListedNamesFollowTheDirectory) {
  dir_.Write("Rates.R01", "x");
  EXPECT_EQ(dir_.File("Rates.R01"), FindFileNoCase(dir_.path(), "RATES.R01"));
  EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "RATES.H01"));

  // Each change of the directory stamped with a second of its own, as changes in other
  // ticks of the clock would be.
  dir_.Write("rates.h01", "x");
  dir_.Write("RATES.h01", "x");
  StampSecond(dir_.path(), 1'000'000'001);
  EXPECT_EQ(dir_.File("RATES.h01"), FindFileNoCase(dir_.path(), "RATES.H01"))
      << "the first in byte order";
  ::unlink(dir_.File("RATES.h01").c_str());
  StampSecond(dir_.path(), 1'000'000'002);
  EXPECT_EQ(dir_.File("rates.h01"), FindFileNoCase(dir_.path(), "RATES.H01"));
  ::unlink(dir_.File("rates.h01").c_str());
  StampSecond(dir_.path(), 1'000'000'003);
  EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "RATES.H01"));

  std::optional<std::vector<ListedName>> names = ListNoCase(dir_.path(), "rates.r01");
  ASSERT_TRUE(names);
  ASSERT_EQ(1u, names->size());
  EXPECT_EQ("Rates.R01", (*names)[0].name);
  EXPECT_FALSE((*names)[0].may_be_directory);
  EXPECT_EQ(std::nullopt, ListNoCase(dir_.File("none"), "x"));
}

TEST_P(FileCacheTest, AReplacedDirectoryShowsInTheNextSnapshot) {
  const std::string data = dir_.File("data");
  dir_.Write("data/TDZ.BIN", "old");
  StampSecond(data + "/TDZ.BIN", 1'000'000'000);
  auto in_snapshot = [&] {
    WaitForWatcherForTesting();  // begun a moment after the change, as ratings are
    SnapshotScope snapshot;
    std::optional<std::string> path = FindFileNoCase(data, "tdz.bin");
    return path ? Text(ReadFileImage(*path)) : "<no file>";
  };
  EXPECT_EQ("old", in_snapshot());
  EXPECT_EQ("old", in_snapshot());
  ASSERT_EQ(0, ::rename(data.c_str(), dir_.File("was").c_str()));
  dir_.Write("data/tdz.bin", "new");
  StampSecond(data + "/tdz.bin", 1'000'000'000);
  EXPECT_EQ("new", in_snapshot());
}

// Another thread's snapshot takes in the changes; this one's view stays as it was.
TEST_P(FileCacheTest, ASnapshotKeepsItsViewWhileOtherThreadsSeeChanges) {
  const std::string path = dir_.File("RATES.R01");
  dir_.Write("RATES.R01", "old");
  auto in_other_thread = [&] {
    std::string seen;
    WaitForWatcherForTesting();
    std::thread([&] {
      SnapshotScope snapshot;
      std::optional<std::string> found = FindFileNoCase(dir_.path(), "rates.x01");
      seen = Text(ReadFileImage(path)) + (found ? " found" : "");
    }).join();
    return seen;
  };
  EXPECT_EQ("old", in_other_thread());
  SnapshotScope snapshot;
  EXPECT_EQ("old", Text(ReadFileImage(path)));
  EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "rates.x01"));
  dir_.Write("RATES.R01", "new!");
  dir_.Write("RATES.X01", "x");
  StampSecond(dir_.path(), 1'000'000'000);
  EXPECT_EQ("new! found", in_other_thread());
  EXPECT_EQ("old", Text(ReadFileImage(path)));
  EXPECT_EQ(std::nullopt, FindFileNoCase(dir_.path(), "rates.x01"));
}

// A scope's serial names it in the whole process: what one thread kept for its scope is
// never taken for another thread's, whose own count of scopes may be the same.
TEST_P(FileCacheTest, ScopeSerialsDifferAcrossThreads) {
  EXPECT_EQ(0u, SnapshotSerial());
  std::uint64_t here = 0;
  {
    SnapshotScope snapshot;
    here = SnapshotSerial();
  }
  std::uint64_t there = 0;
  std::thread([&] {
    SnapshotScope snapshot;
    there = SnapshotSerial();
  }).join();
  EXPECT_NE(0u, here);
  EXPECT_NE(0u, there);
  EXPECT_NE(here, there);
}

// The last claim on a directory lets go of its watches and of what the cache kept of it;
// a claim still standing keeps them. What was served before serves no longer on its mark.
TEST_P(FileCacheTest, TheLastClaimOnADirectoryLetsGoOfWhatWasKeptOfIt) {
  const std::string data = dir_.File("data/");
  dir_.Write("data/RATES.R01", "rates-1");
  const std::size_t entries = CachedEntriesForTesting();
  std::size_t watches = 0;
  auto read = [&] {
    WaitForWatcherForTesting();
    SnapshotScope rating;
    std::optional<std::string> path = FindFileNoCase(data, "rates.r01");
    return path ? Text(ReadFileImage(*path)) : "<no file>";
  };
  {
    DirectoryClaim first(data);
    {
      DirectoryClaim second(data);
      ASSERT_EQ("rates-1", read());
      ASSERT_EQ("rates-1", read());
      EXPECT_GT(CachedEntriesForTesting(), entries);
      // Watches of directories that earlier cases removed end as the watcher takes that in.
      WaitForWatcherForTesting();
      watches = WatchCountForTesting();
    }
    EXPECT_GT(CachedEntriesForTesting(), entries) << "the first claim still stands";
    ASSERT_EQ("rates-1", read());
  }
  EXPECT_EQ(entries, CachedEntriesForTesting());
  WaitForWatcherForTesting();
  if (GetParam()) {
    // The directory's own watch and its file's end; those of the directories above stay.
    EXPECT_LE(WatchCountForTesting() + 2, watches);
  }
  // Claimed again, the directory is watched afresh and a change made meanwhile shows.
  DirectoryClaim again(data);
  dir_.Write("data/RATES.R01", "rates-2");
  StampSecond(data + "RATES.R01", 1'000'000'000);
  EXPECT_EQ("rates-2", read());
}

INSTANTIATE_TEST_SUITE_P(Both, FileCacheTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Watched" : "Checked"; });

}  // namespace
}  // namespace os
