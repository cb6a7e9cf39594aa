#include "platform/os/file_lookup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

}  // namespace
}  // namespace os
