#include "platform/os/file_lookup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/os/dir_watch.h"
#include "platform/os/file_cache.h"
#include "testkit/temp_dir.h"

namespace os {
namespace {

TEST(FileLookupTest, UnsafeNamesAreRefused) {
  for (const char* bad : {"", "/", "a/b", "a\\b", "..", "../x", "x..y", "tab\tname", "\x7f"}) {
    EXPECT_FALSE(IsSafeFileName(bad)) << bad;
  }
  EXPECT_FALSE(IsSafeFileName(std::string_view("a\0b", 3)));
  for (const char* good :
       {"EFCREC.TBL", "tolv.dbg", "x", ".hidden", "Sp ace.dat", "\xe9t\xe9.dat"}) {
    EXPECT_TRUE(IsSafeFileName(good)) << good;
  }
}

TEST(FileLookupTest, JoinAndSeparators) {
  EXPECT_EQ(JoinPath("/a/b", "c"), "/a/b/c");
  EXPECT_EQ(JoinPath("/a/b/", "c"), "/a/b/c");
  EXPECT_EQ(JoinPath("C:\\data\\", "c"), "C:/data/c");
  EXPECT_EQ(JoinPath("", "c"), "c");
  EXPECT_EQ(NormalizeSeparators("a\\b\\\\c/d"), "a/b//c/d");
}

TEST(FileLookupTest, ExactNameFirstThenAnyCase) {
  testkit::TempDir dir;
  dir.Write("EFCREC.TBL", "x");
  dir.Write("tdv.seq", "x");
  dir.Write("Mixed.Dat", "x");
  dir.Write("mixed.dat", "x");
  ::mkdir(dir.File("ADir").c_str(), 0755);
  EXPECT_EQ(FindFileNoCase(dir.path(), "EFCREC.TBL"), dir.File("EFCREC.TBL"));
  EXPECT_EQ(FindFileNoCase(dir.path(), "efcrec.tbl"), dir.File("EFCREC.TBL"));
  EXPECT_EQ(FindFileNoCase(dir.path(), "TDV.SEQ"), dir.File("tdv.seq"));
  EXPECT_EQ(FindFileNoCase(dir.path(), "mixed.dat"), dir.File("mixed.dat"));
  // Two case-insensitive matches: the first in byte order wins.
  EXPECT_EQ(FindFileNoCase(dir.path(), "MIXED.DAT"), dir.File("Mixed.Dat"));
  // Directories are not files; unsafe names and missing directories find nothing.
  EXPECT_EQ(FindFileNoCase(dir.path(), "adir"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(dir.path(), "../EFCREC.TBL"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(dir.path(), "absent"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(dir.File("no-such-dir"), "EFCREC.TBL"), std::nullopt);
}

// A directory looked in once (to import a file, say) keeps none of the system's watches;
// the directory a reader claims for its data is watched from its first look-up.
TEST(FileLookupTest, OnlyAClaimedDirectoryIsWatchedForItsLookUps) {
  testkit::TempDir dir;
  dir.Write("import/SHIPPER.DAT", "x");
  dir.Write("data/EFCREC.TBL", "x");
  if (!IsWatchedForTesting(dir.path())) GTEST_SKIP() << "no inotify on this file system";
  // Watches of directories that earlier cases removed end as the watcher takes that in.
  WaitForWatcherForTesting();
  const std::size_t watches = WatchCountForTesting();
  EXPECT_EQ(FindFileNoCase(dir.File("import"), "shipper.dat"), dir.File("import/SHIPPER.DAT"));
  EXPECT_EQ(FindFileNoCase(dir.File("import/"), "CONSIGNE.DAT"), std::nullopt);
  WaitForWatcherForTesting();
  EXPECT_EQ(watches, WatchCountForTesting());

  DirectoryClaim claim(dir.File("data/"));
  EXPECT_EQ(FindFileNoCase(dir.File("data/"), "efcrec.tbl"), dir.File("data/EFCREC.TBL"));
  EXPECT_LT(watches, WatchCountForTesting());
}

}  // namespace
}  // namespace os
