#include "platform/os/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "testkit/file_size_limit.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace os {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.c_str());
  while (dirent* e = ::readdir(d)) {
    std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(n);
  }
  ::closedir(d);
  return names;
}

TEST(AtomicFileTest, CreatesAndReplacesKeepingPermissions) {
  testkit::TempDir dir;
  std::string path = dir.File("variable.dat");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, Bytes("first"), &error)) << error;
  EXPECT_EQ(testkit::ReadFile(path), "first");
  ::chmod(path.c_str(), 0600);
  ASSERT_TRUE(WriteFileAtomically(path, Bytes("second, longer"), &error)) << error;
  EXPECT_EQ(testkit::ReadFile(path), "second, longer");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_TRUE(WriteFileAtomically(path, Bytes(""), &error)) << error;
  EXPECT_EQ(testkit::ReadFile(path), "");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"variable.dat"});
}

TEST(AtomicFileTest, FailureLeavesTheOldFileAndNoTemporary) {
  testkit::TempDir dir;
  std::string error;
  // The target is a non-empty directory: the rename over it fails after the write.
  dir.Write("BOLData/keep.BOL", "x");
  EXPECT_FALSE(WriteFileAtomically(dir.File("BOLData"), Bytes("new"), &error));
  EXPECT_NE(error.find("BOLData"), std::string::npos) << error;
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"BOLData"});
  EXPECT_EQ(testkit::ReadFile(dir.File("BOLData/keep.BOL")), "x");
  // A missing directory.
  EXPECT_FALSE(WriteFileAtomically(dir.File("missing/x.dat"), Bytes("new"), &error));
  EXPECT_FALSE(WriteFileAtomically("", Bytes("new"), nullptr));
}

TEST(AtomicFileTest, APieceByPieceRewriteReplacesTheFileOnlyWhenCommitted) {
  testkit::TempDir dir;
  const std::string path = dir.File("RATES.PRN");
  dir.Write("RATES.PRN", "old sheet\r\n");
  std::string error;
  {
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Begin(path, &error)) << error;
    ASSERT_TRUE(writer.Write(Bytes("line 1\r\n"), &error)) << error;
    ASSERT_TRUE(writer.Write(Bytes("line 2\r\n"), &error)) << error;
    EXPECT_EQ(testkit::ReadFile(path), "old sheet\r\n");
    ASSERT_TRUE(writer.Commit(&error)) << error;
    EXPECT_FALSE(writer.IsOpen());
  }
  EXPECT_EQ(testkit::ReadFile(path), "line 1\r\nline 2\r\n");
  {
    AtomicFileWriter writer;  // dropped unfinished
    ASSERT_TRUE(writer.Begin(path, &error)) << error;
    ASSERT_TRUE(writer.Write(Bytes("never shown"), &error)) << error;
  }
  EXPECT_EQ(testkit::ReadFile(path), "line 1\r\nline 2\r\n");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"RATES.PRN"});

  // A write that stops part way (the file-size limit fails it as a full disk does).
  AtomicFileWriter writer;
  ASSERT_TRUE(writer.Begin(path, &error)) << error;
  {
    testkit::FileSizeLimit full_disk(10);
    EXPECT_FALSE(writer.Write(Bytes("a line longer than ten bytes"), &error));
  }
  EXPECT_EQ(writer.error_number(), EFBIG);
  EXPECT_NE(error.find(std::strerror(EFBIG)), std::string::npos) << error;
  EXPECT_FALSE(writer.IsOpen());
  EXPECT_FALSE(writer.Commit(&error));
  EXPECT_EQ(testkit::ReadFile(path), "line 1\r\nline 2\r\n");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"RATES.PRN"});
}

TEST(AtomicFileTest, UnwritableDirectoryKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  testkit::TempDir dir;
  dir.Write("ro/settings.dat", "old");
  ::chmod(dir.File("ro").c_str(), 0555);
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.File("ro/settings.dat"), Bytes("new"), &error));
  EXPECT_EQ(testkit::ReadFile(dir.File("ro/settings.dat")), "old");
  ::chmod(dir.File("ro").c_str(), 0755);
}

TEST(AtomicFileTest, WritingThroughALinkReplacesTheLinkedFileAndKeepsTheLink) {
  testkit::TempDir dir;
  dir.Write("shared/variable.dat", "old");
  std::filesystem::create_directory(dir.File("install"));
  // A relative link to a relative link, as installations make them.
  ASSERT_EQ(::symlink("../shared/variable.dat", dir.File("install/second").c_str()), 0);
  ASSERT_EQ(::symlink("second", dir.File("install/variable.dat").c_str()), 0);
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(dir.File("install/variable.dat"), Bytes("new"), &error))
      << error;
  struct stat st;
  ASSERT_EQ(::lstat(dir.File("install/variable.dat").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(testkit::ReadFile(dir.File("shared/variable.dat")), "new");
  // The temporary went beside the target and is gone.
  EXPECT_EQ(Entries(dir.File("shared")), std::vector<std::string>{"variable.dat"});

  // A link to a file not made yet creates that file.
  ASSERT_EQ(::symlink(dir.File("shared/fak.dat").c_str(), dir.File("install/fak.dat").c_str()),
            0);
  ASSERT_TRUE(WriteFileAtomically(dir.File("install/fak.dat"), Bytes("f"), &error)) << error;
  EXPECT_EQ(testkit::ReadFile(dir.File("shared/fak.dat")), "f");

  // A loop of links is an error, and nothing is written.
  ASSERT_EQ(::symlink("loop", dir.File("install/loop").c_str()), 0);
  EXPECT_FALSE(WriteFileAtomically(dir.File("install/loop"), Bytes("x"), &error));
  ASSERT_EQ(::lstat(dir.File("install/loop").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(AtomicFileTest, RegularFileOnlyRefusesLinksAndPipesAndTouchesNothingElsewhere) {
  testkit::TempDir dir;
  dir.Write("outside/victim.BOL", "theirs");
  dir.Write("BOLData/own.BOL", "old");
  ASSERT_EQ(::symlink(dir.File("outside/victim.BOL").c_str(), dir.File("BOLData/A.BOL").c_str()),
            0);
  ASSERT_EQ(::symlink(dir.File("outside/new.BOL").c_str(), dir.File("BOLData/B.BOL").c_str()), 0);
  ASSERT_EQ(::mkfifo(dir.File("BOLData/C.BOL").c_str(), 0600), 0);
  std::string error;
  for (const char* name : {"BOLData/A.BOL", "BOLData/B.BOL"}) {
    EXPECT_FALSE(WriteFileAtomically(dir.File(name), Bytes("mine"), &error,
                                     AtPath::kRegularFileOnly));
    EXPECT_NE(error.find("is a link"), std::string::npos) << error;
  }
  EXPECT_FALSE(WriteFileAtomically(dir.File("BOLData/C.BOL"), Bytes("mine"), &error,
                                   AtPath::kRegularFileOnly));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  EXPECT_EQ(testkit::ReadFile(dir.File("outside/victim.BOL")), "theirs");
  EXPECT_EQ(Entries(dir.File("outside")), std::vector<std::string>{"victim.BOL"});
  // A regular file, or none, is written as always.
  ASSERT_TRUE(WriteFileAtomically(dir.File("BOLData/own.BOL"), Bytes("new"), &error,
                                  AtPath::kRegularFileOnly)) << error;
  ASSERT_TRUE(WriteFileAtomically(dir.File("BOLData/D.BOL"), Bytes("d"), &error,
                                  AtPath::kRegularFileOnly)) << error;
  EXPECT_EQ(testkit::ReadFile(dir.File("BOLData/own.BOL")), "new");
  EXPECT_EQ(testkit::ReadFile(dir.File("BOLData/D.BOL")), "d");
}

TEST(AtomicFileTest, TemporaryNamesAreRecognisedStrictly) {
  EXPECT_TRUE(IsTemporaryName("A.BOL.tmp123-0"));
  EXPECT_TRUE(IsTemporaryName("BOLDef.dat.tmp9-17"));
  for (const char* name : {"A.BOL", ".tmp123-0", "A.BOL.tmp-0", "A.BOL.tmp123-", "A.BOL.tmp12x-0",
                           "A.BOL.tmp123", "A.BOL.tmp123-0a", "notes.tmp"}) {
    EXPECT_FALSE(IsTemporaryName(name)) << name;
  }
}

// The highest process id the system hands out, plus one: no process runs under it.
pid_t UnusedProcessId() {
  long max = 4194304;
  if (std::FILE* f = std::fopen("/proc/sys/kernel/pid_max", "r")) {
    if (std::fscanf(f, "%ld", &max) != 1) max = 4194304;
    std::fclose(f);
  }
  return static_cast<pid_t>(max);
}

TEST(AtomicFileTest, StaleTemporariesGoAndLiveOnesStay) {
  testkit::TempDir dir;
  const std::string dead = std::to_string(UnusedProcessId());
  const std::string alive = std::to_string(::getpid());
  dir.Write("A.BOL", "bill");
  dir.Write("A.BOL.tmp" + dead + "-0", "crashed");
  dir.Write("B.BOL.tmp" + alive + "-3", "being written");
  dir.Write("C.BOL.tmp" + alive + "-4", "forgotten long ago");
  dir.Write("notes.tmp" + dead, "not ours");
  ASSERT_EQ(::mkdir(dir.File("D.BOL.tmp" + dead + "-1").c_str(), 0700), 0);
  const std::string old = dir.File("C.BOL.tmp" + alive + "-4");
  struct timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 2 * 60 * 60, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, old.c_str(), times, 0), 0);

  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 2);
  std::vector<std::string> left = Entries(dir.path());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"A.BOL", "B.BOL.tmp" + alive + "-3",
                                            "D.BOL.tmp" + dead + "-1", "notes.tmp" + dead}));
  EXPECT_EQ(RemoveStaleTemporaries(dir.File("missing")), 0);
}

}  // namespace
}  // namespace os
