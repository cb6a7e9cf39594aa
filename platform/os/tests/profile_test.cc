#include "platform/os/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace os {
namespace {

// Runs `write` as a user for whom a mode-000 file is unreadable. Root reads anything, so
// there the write runs in a child that has become nobody. Empty when that is not possible.
std::optional<bool> WriteAsReaderWithoutPermission(const std::function<bool()>& write) {
  if (::geteuid() != 0) return write();
  pid_t pid = ::fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(write() ? 1 : 0);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    return std::nullopt;
  }
  return WEXITSTATUS(status) == 1;
}

class ProfileTest : public ::testing::Test {
 protected:
  std::string Ini(std::string_view text) {
    dir_.Write("settings.ini", text);
    return dir_.File("settings.ini");
  }
  testkit::TempDir dir_;
};

TEST_F(ProfileTest, SectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed) {
  std::string ini =
      Ini("; a comment line\r\n"
          "[Debug]\r\n"
          "  DebugFlag =  y  \r\n"
          "MBLogSize=5\r\n"
          "Quoted=\"  spaced  \"\r\n"
          "Single='x'\r\n"
          "Unbalanced=\"x\r\n"
          "[ Options ]\n"
          "UseCriticalSection=0\n");
  EXPECT_EQ(GetProfileString("debug", "DEBUGFLAG", "N", ini), "y");
  EXPECT_EQ(GetProfileString("DEBUG", "mblogsize", "", ini), "5");
  EXPECT_EQ(GetProfileString("Debug", "Quoted", "", ini), "  spaced  ");
  EXPECT_EQ(GetProfileString("Debug", "Single", "", ini), "x");
  EXPECT_EQ(GetProfileString("Debug", "Unbalanced", "", ini), "\"x");
  EXPECT_EQ(GetProfileString("options", "usecriticalsection", "1", ini), "0");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  std::string ini = Ini("[Debug]\r\nDebugFlag=Y\r\n; MBLogSize=3\r\n");
  EXPECT_EQ(GetProfileString("Debug", "MBLogSize", "20", ini), "20");
  EXPECT_EQ(GetProfileString("Other", "DebugFlag", "N", ini), "N");
  EXPECT_EQ(GetProfileString("Debug", "DebugFlag", "N", dir_.File("absent.ini")), "N");
  // Trailing blanks of a default are dropped, like those of a stored value.
  EXPECT_EQ(GetProfileString("Debug", "Nothing", "NOT FOUND  ", ini), "NOT FOUND");
  // A key of another section is not seen.
  EXPECT_EQ(GetProfileString("Options", "DebugFlag", "-", Ini("[Debug]\nDebugFlag=Y\n[Options]\n")),
            "-");
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyOfANameCount) {
  std::string ini = Ini("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(GetProfileString("A", "k", "", ini), "1");
  EXPECT_EQ(GetProfileString("A", "j", "none", ini), "none");
}

TEST_F(ProfileTest, FileNameMatchesWithoutCase) {
  dir_.Write("kqDll.ini", "[Debug]\nDebugFlag=Y\n");
  EXPECT_EQ(GetProfileString("Debug", "DebugFlag", "N", dir_.File("KQDLL.INI")), "Y");
}

struct IntCase {
  const char* value;
  int expected;
};

TEST_F(ProfileTest, IntegersParseAsTheWindowsCallDoes) {
  const IntCase cases[] = {
      {"12", 12},  {"  7", 7}, {"12abc", 12}, {"abc", 0}, {"-7", -7},         {"+9", 9},
      {"0x10", 0}, {"- 5", 0}, {"007", 7},    {"1.9", 1}, {"4294967295", -1}, {"4294967296", 0},
  };
  for (const IntCase& c : cases) {
    std::string ini = Ini(std::string("[S]\nK=") + c.value + "\n");
    EXPECT_EQ(GetProfileInt("S", "K", 42, ini), c.expected) << c.value;
  }
  // Missing key and empty value give the default.
  EXPECT_EQ(GetProfileInt("S", "Missing", 42, Ini("[S]\nK=1\n")), 42);
  EXPECT_EQ(GetProfileInt("S", "K", 42, Ini("[S]\nK=\n")), 42);
  EXPECT_EQ(GetProfileInt("S", "K", 42, dir_.File("absent.ini")), 42);
}

TEST_F(ProfileTest, WriteReplacesAddsAndKeepsOtherLines) {
  std::string ini =
      Ini("; keep me\r\n[ShipmentExport]\r\nExportAll=N\r\nFile=a.txt\r\n\r\n[Other]\r\nx=1\r\n");
  EXPECT_TRUE(WriteProfileString("shipmentexport", "exportall", "Y", ini));
  EXPECT_TRUE(WriteProfileString("ShipmentExport", "Format", "CSV", ini));
  EXPECT_TRUE(WriteProfileString("New", "Key", "", ini));
  EXPECT_EQ(testkit::ReadFile(ini),
            "; keep me\r\n[ShipmentExport]\r\nexportall=Y\r\nFile=a.txt\r\nFormat=CSV\r\n\r\n"
            "[Other]\r\nx=1\r\n[New]\r\nKey=\r\n");
  EXPECT_EQ(GetProfileString("New", "Key", "default", ini), "");
}

TEST_F(ProfileTest, WriteCreatesTheFileAndRefusesWhatItCannotStore) {
  std::string ini = dir_.File("Defaults.ini");
  EXPECT_TRUE(WriteProfileString("S", "K", "v", ini));
  EXPECT_EQ(testkit::ReadFile(ini), "[S]\r\nK=v\r\n");
  EXPECT_FALSE(WriteProfileString("", "K", "v", ini));
  EXPECT_FALSE(WriteProfileString("S", "", "v", ini));
  EXPECT_FALSE(WriteProfileString("S", "a=b", "v", ini));
  EXPECT_FALSE(WriteProfileString("S]", "K", "v", ini));
  EXPECT_FALSE(WriteProfileString("S", "K", "two\r\nlines", ini));
  EXPECT_FALSE(WriteProfileString("S", "K", "v", dir_.File("no/such/dir/x.ini")));
  EXPECT_EQ(testkit::ReadFile(ini), "[S]\r\nK=v\r\n");
}

TEST_F(ProfileTest, AFileThatExistsButCannotBeReadIsNeitherReadNorReplaced) {
  const std::string kept = "[ShipmentExport]\r\nFile=a.txt\r\n[Other]\r\nx=1\r\n";
  std::string ini = Ini(kept);
  ::chmod(dir_.path().c_str(), 0777);  // the write itself must be possible
  ::chmod(ini.c_str(), 0);
  std::optional<bool> wrote =
      WriteAsReaderWithoutPermission([&] { return WriteProfileString("Other", "y", "2", ini); });
  ::chmod(ini.c_str(), 0644);
  if (!wrote) GTEST_SKIP() << "cannot run as a user without read permission";
  EXPECT_FALSE(*wrote);
  EXPECT_EQ(testkit::ReadFile(ini), kept);

  // A directory where the file should be is read as no file and is not replaced.
  std::filesystem::create_directory(dir_.File("dir.ini"));
  EXPECT_EQ(GetProfileString("S", "K", "none", dir_.File("dir.ini")), "none");
  EXPECT_FALSE(WriteProfileString("S", "K", "v", dir_.File("dir.ini")));
  EXPECT_TRUE(std::filesystem::is_directory(dir_.File("dir.ini")));
}

}  // namespace
}  // namespace os
