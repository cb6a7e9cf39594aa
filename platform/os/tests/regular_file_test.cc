// Every way of opening a data file refuses what is not a regular file at once: a pipe would
// hold the open (or the first read) up until some writer came, which for a user means a
// program that never answers.
#include "platform/os/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace os {
namespace {

class RegularFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write("file.dat", "0123456789");
    ASSERT_EQ(::mkfifo(dir_.File("pipe.dat").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(dir_.File("folder").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("file.dat", dir_.File("link.dat").c_str()), 0);
  }
  testkit::TempDir dir_;
};

TEST_F(RegularFileTest, APipeOrAFolderIsRefusedByEveryOpenWithoutWaiting) {
  for (const char* name : {"pipe.dat", "folder"}) {
    const std::string path = dir_.File(name);
    EXPECT_EQ(OpenRegularFile(path), -1) << name;
    EXPECT_EQ(OpenRegularFileForUpdate(path), -1) << name;
    EXPECT_EQ(OpenRegularFileToReplace(path), -1) << name;
    EXPECT_EQ(OpenRegularFileToAppend(path), -1) << name;
    EXPECT_EQ(OpenOutputToAppend(path), -1) << name;
    EXPECT_FALSE(ReadRegularFile(path)) << name;
    EXPECT_FALSE(ReadRegularFileHead(path, 4)) << name;
  }
  // The pipe is still a pipe: nothing was created or emptied in its place.
  struct stat st;
  ASSERT_EQ(::stat(dir_.File("pipe.dat").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(RegularFileTest, RegularFilesAndLinksToThemAreRead) {
  auto head = ReadRegularFileHead(dir_.File("link.dat"), 4);
  ASSERT_TRUE(head);
  EXPECT_EQ(std::string(head->bytes.begin(), head->bytes.end()), "0123");
  EXPECT_EQ(head->length, 10u);
  head = ReadRegularFileHead(dir_.File("file.dat"), 100);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->bytes.size(), 10u);
  EXPECT_FALSE(ReadRegularFileHead(dir_.File("missing.dat"), 4));

  const int fd = OpenRegularFile(dir_.File("file.dat"));
  ASSERT_GE(fd, 0);
  std::uint8_t four[4];
  ASSERT_TRUE(ReadFully(fd, four, 4, 6));
  EXPECT_EQ(std::string(four, four + 4), "6789");
  EXPECT_FALSE(ReadFully(fd, four, 4, 8));  // runs past the end
  ::close(fd);
}

TEST_F(RegularFileTest, UpdateCreatesAndReplaceEmptiesOnlyRegularFiles) {
  int fd = OpenRegularFileForUpdate(dir_.File("new.dat"));
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(testkit::ReadFile(dir_.File("new.dat")), "");
  fd = OpenRegularFileForUpdate(dir_.File("file.dat"));
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(testkit::ReadFile(dir_.File("file.dat")), "0123456789");
  fd = OpenRegularFileToReplace(dir_.File("file.dat"));
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(testkit::ReadFile(dir_.File("file.dat")), "");
}

TEST_F(RegularFileTest, AnOwnFileIsNeverOpenedThroughALink) {
  ASSERT_EQ(::symlink(dir_.File("elsewhere.dat").c_str(), dir_.File("dangling.dat").c_str()), 0);
  for (const char* name : {"link.dat", "dangling.dat"}) {
    errno = 0;
    EXPECT_EQ(OpenOwnRegularFileForUpdate(dir_.File(name)), -1) << name;
    EXPECT_EQ(errno, ELOOP) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("elsewhere.dat")));
  EXPECT_EQ(OpenOwnRegularFileForUpdate(dir_.File("pipe.dat")), -1);
  const int fd = OpenOwnRegularFileForUpdate(dir_.File("file.dat"));
  ASSERT_GE(fd, 0);
  ::close(fd);
}

TEST_F(RegularFileTest, AnOutputMayBeADeviceButNotAPipe) {
  const int fd = OpenOutputToAppend("/dev/null");
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(OpenOutputToAppend(dir_.File("pipe.dat")), -1);
}

}  // namespace
}  // namespace os
