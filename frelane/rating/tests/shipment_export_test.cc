// The shipment export: each form's line against lines worked out by hand, the header rule,
// replace and append modes with Defaults.ini, and every way the file can refuse a line.
#include "frelane/rating/shipment_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/os/profile.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane::modShipmentExport {
namespace {

namespace h = tolv::shipment_header;
namespace d = tolv::shipment_detail;

std::string Golden(const std::string& name) {
  return testkit::ReadFile(std::string(FRELANE_RATING_GOLDEN_DIR) + "/" + name);
}

void SetItem(int slot, const char* cls, const char* weight, const char* rate) {
  auto item = modTolvDeclares32::ShipmentRecord().detail(static_cast<std::size_t>(slot - 1));
  item.SetText(d::kClass, cls);
  item.SetText(d::kWeight, weight);
  item.SetText(d::kRate, rate);
}

// The header as the charge display leaves it, every slot emptied to class 500 first.
void SetShipment(const char* origin, const char* destination, const char* total,
                 const char* deficit, const char* billed, const char* percent,
                 const char* charges, const char* minimum) {
  auto header = modTolvDeclares32::ShipmentRecord().header();
  header.SetText(h::kOriginZip, origin);
  header.SetText(h::kDestinationZip, destination);
  header.SetText(h::kTotalWeight, total);
  header.SetText(h::kDeficitWeight, deficit);
  header.SetText(h::kBilledWeight, billed);
  header.SetText(h::kDiscountPercent, percent);
  header.SetText(h::kCharges, charges);
  header.SetText(h::kMinimumCharge, minimum);
  for (int slot = 1; slot <= 8; ++slot) SetItem(slot, "500", "0", "");
}

// A two-line US quote as the charge display leaves the record and the labels.
QuoteCaptions UsQuote() {
  SetShipment("30301", "60609", "001650", "000000", "001650", "55.00", "000359.23", "0095.00");
  SetItem(1, "70", "001250", "19.65 ");
  SetItem(2, "92", "000400", "28.40 ");
  return {"GA", "IL", "197.58 ", "25.00 ", "213.41 ", "2 Day(s)", 0};
}

// A one-line Canadian quote with a floor; the third slot holds a blank weight.
QuoteCaptions CanadianQuote() {
  SetShipment("K1A0B1", "30301", "000800", "000200", "001000", "35.00", "000410.00", "0120.00");
  SetItem(1, "100", "000800", "41.00 ");
  SetItem(3, "85", "", "12.00 ");
  return {"ONTARIO", "GA", "143.50 ", "", "266.50 ", "", 150};
}

class ShipmentExportTest : public ::testing::Test {
 protected:
  ShipmentExportTest() : user_(app_) {}
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Get().data_directory = dir_.path();
    ExportSettings() = {};
  }
  void TearDown() override {
    ExportSettings() = {};
    modTolvDeclares32::Reset();
  }
  void Use(const std::string& path, const char* append, const char* csv) {
    ExportSettings() = {"N", append, csv, path};
  }
  std::string Ini(const char* key) {
    return os::GetProfileString(kIniSection, key, "?", IniFilePath());
  }
  void ExpectNotExported(const std::string& reason) {
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Export Error - " + reason);
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

TEST_F(ShipmentExportTest, EachFormWritesTheFieldsInTheirOrderAndWidths) {
  QuoteCaptions us = UsQuote();
  EXPECT_EQ(ExportLine(modTolvDeclares32::ShipmentRecord(), us, false) + "\r\n",
            Golden("export_us_fixed.txt"));
  EXPECT_EQ(ExportLine(modTolvDeclares32::ShipmentRecord(), us, true) + "\r\n",
            Golden("export_us_csv.txt"));
  QuoteCaptions ca = CanadianQuote();
  EXPECT_EQ(ExportLine(modTolvDeclares32::ShipmentRecord(), ca, false) + "\r\n",
            Golden("export_ca_fixed.txt"));
  EXPECT_EQ(ExportLine(modTolvDeclares32::ShipmentRecord(), ca, true) + "\r\n",
            Golden("export_ca_csv.txt"));
  EXPECT_EQ(HeaderLine() + "\r\n", Golden("export_header.txt"));
}

TEST_F(ShipmentExportTest, ServiceDaysBecomeTwoDigitsOrPassAsText) {
  QuoteCaptions q = UsQuote();
  auto filler = [&](const char* caption) {
    q.service_days = caption;
    return ExportLine(modTolvDeclares32::ShipmentRecord(), q, false).substr(123, 2);
  };
  EXPECT_EQ(filler("3 Day(s)"), "03");
  EXPECT_EQ(filler("12 Day(s)"), "12");
  EXPECT_EQ(filler("   "), "  ");
  EXPECT_EQ(filler("No Service"), "No");
}

TEST_F(ShipmentExportTest, ReplaceModeReplacesOnceThenAppendsAndRecordsIt) {
  const std::string path = dir_.File("quotes.csv");
  dir_.Write("quotes.csv", "old line\r\n");
  Use(path, "N", "Y");
  QuoteCaptions q = UsQuote();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to " + path);
  ExportShipment(q);
  EXPECT_EQ(testkit::ReadFile(path), Golden("export_header.txt") + Golden("export_us_csv.txt"));
  EXPECT_EQ(ExportSettings().Append, "Y");
  EXPECT_EQ(Ini("Append"), "Y");

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  ExportShipment(q);
  EXPECT_EQ(testkit::ReadFile(path), Golden("export_header.txt") + Golden("export_us_csv.txt") +
                                         Golden("export_us_csv.txt"));

  // Defaults.ini cannot be written: said once, and the shipment still goes out.
  std::filesystem::remove(IniFilePath());
  std::filesystem::create_directory(IniFilePath());
  Use(path, "N", "N");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK,
                     "The export settings could not be written to " + IniFilePath());
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to " + path);
  ExportShipment(q);
  EXPECT_EQ(testkit::ReadFile(path), Golden("export_us_fixed.txt"));
  EXPECT_EQ(ExportSettings().Append, "Y");
}

// Sets or clears the file's append-only attribute; false when the file system or the
// process cannot.
bool SetAppendOnly(const std::string& path, bool on) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = on ? (flags | FS_APPEND_FL) : (flags & ~FS_APPEND_FL);
    done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  close(fd);
  return done;
}

TEST_F(ShipmentExportTest, AnOldFileThatCannotBeDeletedIsNotAppendedTo) {
  // Append-only: the open for appending works, the delete does not, even for root.
  const std::string path = dir_.File("kept.txt");
  dir_.Write("kept.txt", "old line\r\n");
  if (!SetAppendOnly(path, true)) GTEST_SKIP() << "no append-only attribute here";
  Use(path, "N", "N");
  ExpectNotExported(
      "Path/File access error.\rCheck your Export Setup for valid path and file name by "
      "selecting Edit - Export Setup.\rThis shipment was not exported.");
  ExportShipment(UsQuote());
  SetAppendOnly(path, false);
  EXPECT_EQ(testkit::ReadFile(path), "old line\r\n");
  EXPECT_EQ(ExportSettings().Append, "N");
  EXPECT_FALSE(std::filesystem::exists(IniFilePath()));
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);

  // Append mode never deletes, so the same file takes the line.
  Use(path, "Y", "N");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  ExportShipment(UsQuote());
  EXPECT_EQ(testkit::ReadFile(path), "old line\r\n" + Golden("export_us_fixed.txt"));
}

TEST_F(ShipmentExportTest, HeaderOnlyForAMissingOrEmptyCommaSeparatedFile) {
  QuoteCaptions q = UsQuote();
  // An existing file in fixed width gets no header, whatever its form.
  dir_.Write("mixed.txt", Golden("export_us_fixed.txt"));
  Use(dir_.File("mixed.txt"), "Y", "Y");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  ExportShipment(q);
  EXPECT_EQ(testkit::ReadFile(dir_.File("mixed.txt")),
            Golden("export_us_fixed.txt") + Golden("export_us_csv.txt"));

  dir_.Write("empty.csv", "");
  Use(dir_.File("empty.csv"), "", "Y");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  ExportShipment(q);
  EXPECT_EQ(testkit::ReadFile(dir_.File("empty.csv")),
            Golden("export_header.txt") + Golden("export_us_csv.txt"));

  // Fixed width never has a header; the settings' empty values mean append, fixed width.
  Use(dir_.File("new.prn"), "", "");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  ExportShipment(q);
  EXPECT_EQ(testkit::ReadFile(dir_.File("new.prn")), Golden("export_us_fixed.txt"));
}

TEST_F(ShipmentExportTest, TrailingBlanksOfThePathAreNotPartOfTheFileName) {
  Use(dir_.File("out.txt") + "   ", "Y", "N");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to " + dir_.File("out.txt"));
  ExportShipment(UsQuote());
  EXPECT_EQ(testkit::ReadFile(dir_.File("out.txt")), Golden("export_us_fixed.txt"));
}

TEST_F(ShipmentExportTest, AFileThatCannotBeWrittenIsReportedAndNothingChanges) {
  QuoteCaptions q = UsQuote();
  const std::string check =
      ".\rCheck your Export Setup for valid path and file name by selecting Edit - Export "
      "Setup.\rThis shipment was not exported.";
  // No file chosen yet in this run.
  Use("", "N", "Y");
  ExpectNotExported("Bad file name or number" + check);
  ExportShipment(q);
  EXPECT_EQ(ExportSettings().Append, "N");
  EXPECT_EQ(Ini("Append"), "?");

  // A directory in the file's place, a folder that is not there.
  Use(dir_.path() + "folder", "Y", "N");
  std::filesystem::create_directory(dir_.path() + "folder");
  ExpectNotExported("Path/File access error" + check);
  ExportShipment(q);
  Use(dir_.path() + "missing/out.txt", "Y", "N");
  ExpectNotExported("Path not found" + check);
  ExportShipment(q);
  // A named pipe, which would hold every rating up until something read it.
  ASSERT_EQ(::mkfifo(dir_.File("pipe.txt").c_str(), 0600), 0);
  Use(dir_.File("pipe.txt"), "Y", "N");
  ExpectNotExported("Path/File access error" + check);
  ExportShipment(q);

  // A full disk fails at the header and at the line, after the open succeeded.
  Use("/dev/full", "Y", "Y");
  ExpectNotExported("Disk full" + check);
  ExportShipment(q);
  Use("/dev/full", "Y", "N");
  ExpectNotExported("Disk full" + check);
  ExportShipment(q);
  EXPECT_EQ(user_.MessageBoxes().size(), 6u);
}

TEST_F(ShipmentExportTest, AFileLockedByAnotherProgramIsNotWrittenUntilReleased) {
  const std::string path = dir_.File("locked.txt");
  dir_.Write("locked.txt", "");
  Use(path, "Y", "N");
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int fd = open(path.c_str(), O_RDWR);
    struct flock lock{};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    fcntl(fd, F_SETLK, &lock);
    char c = 'x';
    (void)!write(pipe_fds[1], &c, 1);
    pause();
    _exit(0);
  }
  char c;
  ASSERT_EQ(read(pipe_fds[0], &c, 1), 1);
  ExpectNotExported(
      "\rAnother process has the output file locked.\rThis shipment was not exported.");
  ExportShipment(UsQuote());
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(testkit::ReadFile(path), "");

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  ExportShipment(UsQuote());
  EXPECT_EQ(testkit::ReadFile(path), Golden("export_us_fixed.txt"));
}

}  // namespace
}  // namespace frelane::modShipmentExport
