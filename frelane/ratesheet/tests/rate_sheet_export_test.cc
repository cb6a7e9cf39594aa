// The rate-sheet export file: the hand-worked rows with and without notes byte for byte,
// the errors of a path that cannot be written, and the old file kept through a failed write.
#include "frelane/ratesheet/rate_sheet_export.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "frelane/ratesheet/tests/output_test_support.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "testkit/file_size_limit.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/read_file.h"

namespace frelane::ratesheet {
namespace {

using testkit::ReadFile;
using testing::RowA;
using testing::RowB;

class RateSheetExportTest : public testing::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    dir_.Write("state.dat", testkit::StateFile({{300, "GA"}, {303, "GA"}}));
    run_.StartRun();
    run_.ExportOutput = true;
    path_ = dir_.path() + "RATES.PRN";
  }
  // Exports the rows of prefixes 300 and 303 as the grouping hands them over.
  std::string Export(const RateSheetGroup& second) {
    RateSheetExport out(run_, layout_);
    out.Open(path_);
    out.ExportGroupRow(RowA("300-300"), false);
    out.ExportGroupRow(second, true);
    out.WriteNoteLines();
    out.Close();
    return ReadFile(path_);
  }

  RateSheetRunState run_;
  RateSheetLayout layout_ = testing::SampleLayout();
  std::string path_;
};

TEST_F(RateSheetExportTest, WritesTheHandWorkedRowsWithNotes) {
  run_.WithNotes = true;
  EXPECT_EQ(Export(RowB()), ReadFile(FRELANE_RATESHEET_GOLDEN_DIR "/export_with_notes.txt"));
  EXPECT_EQ(run_.NoteList, (std::vector<std::string>{"", "GA 30300-49,60-99"}));
}

TEST_F(RateSheetExportTest, WritesTheHandWorkedRowsWithoutNotes) {
  run_.WithNotes = false;
  EXPECT_EQ(Export(RowB("00-49")),
            ReadFile(FRELANE_RATESHEET_GOLDEN_DIR "/export_without_notes.txt"));
  EXPECT_EQ(run_.NoteList.size(), 1u);
}

TEST_F(RateSheetExportTest, APathThatCannotBeWrittenIsAnExportPathError) {
  RateSheetExport out(run_, layout_);
  for (const std::string& bad : {dir_.path() + "missing/RATES.PRN", dir_.path(), std::string()}) {
    try {
      out.Open(bad);
      ADD_FAILURE() << bad << " opened";
    } catch (const ExportPathError& e) {
      EXPECT_TRUE(e.Number() == 75 || e.Number() == 76) << bad;
    }
    EXPECT_FALSE(out.IsOpen());
  }
  // A folder written with the other separator is the same folder.
  dir_.Write("out/keep", "");
  out.Open(dir_.path() + "out\\RATES.PRN");
  EXPECT_TRUE(out.IsOpen());
}

TEST_F(RateSheetExportTest, TheOldSheetStaysUntilTheNewOneIsWholeAndAfterAFailedWrite) {
  dir_.Write("RATES.PRN", "old sheet\r\n");
  run_.WithNotes = true;
  {
    RateSheetExport out(run_, layout_);
    out.Open(path_);
    out.ExportGroupRow(RowA("300-300"), false);
    EXPECT_EQ(ReadFile(path_), "old sheet\r\n");
    testkit::FileSizeLimit full_disk(60);  // room for one line and part of the next
    out.ExportGroupRow(RowB(), true);
    try {
      out.Close();
      ADD_FAILURE() << "a failed write was closed as complete";
    } catch (const runtime::RuntimeError& e) {
      EXPECT_EQ(e.Number(), 75);
      EXPECT_EQ(e.Description(),
                "Path/File access error: " + path_ + " (" + std::strerror(EFBIG) + ")");
    }
    EXPECT_FALSE(out.IsOpen());
  }
  EXPECT_EQ(ReadFile(path_), "old sheet\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            2) << "RATES.PRN and state.dat only, no temporary";
  // What a stopped run wrote replaces the old sheet when it is closed.
  RateSheetExport out(run_, layout_);
  out.Open(path_);
  out.ExportGroupRow(RowA("300-300"), false);
  out.Close();
  EXPECT_TRUE(ReadFile(path_).starts_with("30301 GA T 300")) << ReadFile(path_);
}

TEST_F(RateSheetExportTest, OnlyARegularFileTheUserMayWriteIsReplaced) {
  dir_.Write("RATES.PRN", "read-only sheet");
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read);
  ASSERT_EQ(::mkfifo((dir_.path() + "PIPE.PRN").c_str(), 0600), 0);
  RateSheetExport out(run_, layout_);
  std::vector<std::string> refused{dir_.path() + "PIPE.PRN"};
  if (::geteuid() != 0) refused.push_back(path_);  // permissions do not bind root
  for (const std::string& name : refused) {
    try {
      out.Open(name);
      ADD_FAILURE() << name << " opened";
    } catch (const ExportPathError& e) {
      EXPECT_EQ(e.Number(), 75) << name;
    }
  }
  EXPECT_EQ(ReadFile(path_), "read-only sheet");
}

}  // namespace
}  // namespace frelane::ratesheet
