// The run dialog driven headless over the definition screen and a fake engine: a run to the
// printer and the export file, and each of its other ends: no output, Cancel answered No and
// Yes, closing the window, a refused headline, an export path that cannot be written and a
// print job that fails; one yield per prefix; the switches as they were when OK was clicked.
#include "frelane/ratesheet/frm_rate_sheet_run.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/tests/output_test_support.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "platform/print/display_list_text.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"
#include "testkit/file_size_limit.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/ratesheet/rate_sheet_files.h"
#include "testkit/read_file.h"

namespace frelane::ratesheet {
namespace {

using forms::MsgBoxResult;
using testing::DocumentPages;
using testing::HeaderTextOf;
using testkit::ReadFile;

// Plays the user's events at each yield of the run.
class YieldingDriver : public forms::testing::HeadlessDriver {
 public:
  using HeadlessDriver::HeadlessDriver;
  void ProcessHostEvents() override {
    ++yields;
    if (on_yield) on_yield(yields);
  }
  int yields = 0;
  std::function<void(int)> on_yield;
};

class RateSheetRunTest : public testing::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    dir_.Write("state.dat", testkit::StateFile({{300, "GA"}, {301, "GA"}, {302, "GA"}, {303, "GA"}, {304, "GA"}}));
    dir_.Write("NORTHW01.b", testkit::ZipBlockFile({{"30000", "30299"}, {"30300", "30349"}, {"30350", "30399"}}));
    // 303 rates in two results; the other prefixes alike.
    engine_->rate = [](const std::string&, const std::string& destination) {
      return destination.starts_with("3035") ? 2000 : 1000;
    };
    sheet_ = &app_.Get<frmRateSheet>();
    sheet_->Show();
    sheet_->txtHeadlineZip.SetText("30301");
    sheet_->txtSidelineZipLow(1).SetText("300");
    sheet_->txtSidelineZipHigh(1).SetText("304");
    sheet_->chkWeight(1).SetValue(1);
    sheet_->chkWeight(2).SetValue(1);
    sheet_->chkClass(1).SetValue(1);
    modMain::Settings().SetOn(settings::kRateSheetTextExportOffered, true);
    run_ = &app_.Get<frmRateSheetRun>();
    run_->Show();
    export_path_ = dir_.path() + "RATES.PRN";
  }
  void TearDown() override {
    app_.SetHost(&user_);
    app_.SetDesktop(&user_);
    SheetTest::TearDown();
  }
  void Export(bool notes = true) {
    run_->chkExport.SetValue(1);
    run_->txtExportPathFile.SetText(export_path_);
    (notes ? run_->optWNotes : run_->optWONotes).SetValue(true);
  }
  std::vector<std::string> ExportLines() {
    std::vector<std::string> lines;
    std::string text = ReadFile(export_path_);
    for (std::size_t at = 0; (at = text.find("\r\n")) != std::string::npos;) {
      lines.push_back(text.substr(0, at));
      text.erase(0, at + 2);
    }
    EXPECT_EQ(text, "");
    return lines;
  }
  void CancelAtYield(int yield) {
    yielder_.on_yield = [this, yield](int n) {
      if (n == yield) yielder_.Click(run_->btnCancel);
    };
  }

  YieldingDriver yielder_{app_};
  print::testing::ScopedRecordingPrintSystem printers_;
  frmRateSheet* sheet_ = nullptr;
  frmRateSheetRun* run_ = nullptr;
  std::string export_path_;
};

TEST_F(RateSheetRunTest, ARunPrintsAndExportsEveryPrefixThenCompletes) {
  Export();
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
  yielder_.Click(run_->btnOK);

  EXPECT_FALSE(run_->IsLoaded());
  EXPECT_EQ(yielder_.yields, 5);       // 300 to 304, one each
  EXPECT_EQ(log_->rate_calls, 5);      // 300, 301, 302 whole, 303 in two blocks, 304 unserved
  EXPECT_EQ(yielder_.mouse_pointers(), (std::vector<int>{forms::kMouseHourglass, forms::kMouseDefault}));
  ASSERT_EQ(printers_->jobs().size(), 1u);
  const auto pages = DocumentPages(printers_->LastDocument());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].size(), 69u);
  // 300-302 condensed, printed before the split rows of 303.
  EXPECT_NE(print::OperationListing(printers_->LastDocument()).find("\"Courier New\" 10 \"|"),
            std::string::npos);
  EXPECT_TRUE(pages[0][9].starts_with("|300-302 GA       5000   100     1000   1001")) << pages[0][9];
  EXPECT_TRUE(pages[0][11].starts_with("|303-303 GA 1     5000   100     1000   1001")) << pages[0][11];
  EXPECT_TRUE(pages[0][12].starts_with("|  Note    1 : Apply for GA 30300-49")) << pages[0][12];
  EXPECT_TRUE(pages[0][14].starts_with("|303-303 GA 2     10000  100     2000   2001")) << pages[0][14];

  const std::vector<std::string> lines = ExportLines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "30301 GA T 300 GA       5000  100    1000  1001 1000");
  EXPECT_EQ(lines[3], "30301 GA T 303 GA    1  5000  100    1000  1001 1000");
  EXPECT_EQ(lines[4], "30301 GA T 303 GA    2 10000  100    2000  2001 2000");
  EXPECT_EQ(lines[5], "Note    1 Applies GA 30300-49");
  EXPECT_EQ(lines[6], "Note    2 Applies GA 30350-99");
  // The whole run priced with the discount switch on, on the rates.
  EXPECT_EQ(HeaderTextOf(tolv::shipment_header::kDiscountSwitch), "Y");
  EXPECT_EQ(HeaderTextOf(tolv::shipment_header::kDiscountKind), "R");
}

TEST_F(RateSheetRunTest, WithoutAnOutputNothingRuns) {
  run_->chkPrint.SetValue(0);
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Choose an Output Option");
  yielder_.Click(run_->btnOK);
  EXPECT_EQ(log_->rate_calls, 0);
  EXPECT_EQ(yielder_.yields, 0);
  EXPECT_TRUE(run_->btnOK.Enabled());
  EXPECT_TRUE(printers_->jobs().empty());
}

TEST_F(RateSheetRunTest, CancelAnsweredNoGoesOnWithThePrefixNotYetRated) {
  CancelAtYield(2);
  yielder_.ExpectMsgBox(MsgBoxResult::kNo, "Are you sure you want to cancel processing?");
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
  yielder_.Click(run_->btnOK);
  EXPECT_EQ(yielder_.yields, 6);
  EXPECT_EQ(log_->rate_calls, 5);
  const std::set<std::string> distinct(log_->destinations.begin(), log_->destinations.end());
  EXPECT_EQ(distinct.size(), log_->destinations.size());
  EXPECT_EQ(printers_->jobs().size(), 1u);
}

TEST_F(RateSheetRunTest, CancelAnsweredYesKeepsTheExportAndDiscardsThePages) {
  // 301 is refused for the sideline: the record's status is not blank when Cancel comes.
  engine_->status = [](const std::string&, const std::string& destination) {
    return std::string(destination.starts_with("301") ? "0217" : "    ");
  };
  Export();
  CancelAtYield(3);
  yielder_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure you want to cancel processing?");
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Cancelled");
  yielder_.Click(run_->btnOK);

  EXPECT_TRUE(run_->IsLoaded());
  EXPECT_TRUE(run_->btnOK.Enabled());
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_EQ(ExportLines(), (std::vector<std::string>{"30301 GA T 300 GA       5000  100    1000  1001 1000"}));

  // The next run in the same dialog starts afresh: its first page has its header.
  yielder_.on_yield = nullptr;
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
  yielder_.Click(run_->btnOK);
  ASSERT_EQ(printers_->jobs().size(), 1u);
  const auto pages = DocumentPages(printers_->LastDocument());
  EXPECT_EQ(pages[0].size(), 69u);
  EXPECT_EQ(pages[0][4], "|" + std::string(94, '-') + "|");
  EXPECT_NE(pages[0][68].find("1               Example Freight"), std::string::npos);
  EXPECT_EQ(ExportLines().size(), 6u);  // 300, 302, 303 twice, two notes
}

TEST_F(RateSheetRunTest, ClosingTheWindowDuringARunIsACancel) {
  yielder_.on_yield = [this](int n) {
    if (n == 2) yielder_.CloseForm(*run_);
  };
  yielder_.ExpectMsgBox(MsgBoxResult::kYes, "Are you sure");
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Cancelled");
  yielder_.Click(run_->btnOK);
  EXPECT_TRUE(run_->IsLoaded());
  EXPECT_EQ(log_->rate_calls, 1);
  // Idle again: Cancel closes the dialog.
  yielder_.Click(run_->btnCancel);
  EXPECT_FALSE(run_->IsLoaded());
}

TEST_F(RateSheetRunTest, ARefusedHeadlineStopsWithoutAsking) {
  engine_->status = [](const std::string&, const std::string&) { return std::string("0216"); };
  Export();
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Headline Zip");
  yielder_.Click(run_->btnOK);
  EXPECT_EQ(log_->rate_calls, 1);
  EXPECT_EQ(yielder_.yields, 2);
  EXPECT_TRUE(run_->IsLoaded());
  EXPECT_TRUE(run_->btnOK.Enabled());
  EXPECT_TRUE(ExportLines().empty());

  // Refused on the last prefix of the last pair: a stop too, not a completion.
  sheet_->txtSidelineZipHigh(1).SetText("300");
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Headline Zip");
  yielder_.Click(run_->btnOK);
  EXPECT_TRUE(run_->IsLoaded());
  EXPECT_EQ(yielder_.MessageBoxes().size(), 2u);
}

TEST_F(RateSheetRunTest, AnExportPathThatCannotBeWrittenKeepsTheDialogOpen) {
  Export();
  export_path_ = dir_.path() + "missing/RATES.PRN";
  run_->txtExportPathFile.SetText(export_path_);
  yielder_.ExpectMsgBox(MsgBoxResult::kOK,
                        "You must specify a valid path and file name for your export file");
  yielder_.Click(run_->btnOK);
  EXPECT_TRUE(run_->txtExportPathFile.HasFocus());
  EXPECT_TRUE(run_->btnOK.Enabled());
  EXPECT_FALSE(run_->Running());
  EXPECT_EQ(log_->rate_calls, 0);
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());
}

TEST_F(RateSheetRunTest, AFailingPrintJobIsReportedAndTheExportIsKept) {
  Export();
  printers_->FailNextSubmit(print::PrinterError(482, "The printer did not take the job"));
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "The printer did not take the job");
  yielder_.Click(run_->btnOK);
  EXPECT_FALSE(run_->IsLoaded());
  EXPECT_EQ(ExportLines().size(), 7u);
  EXPECT_EQ(yielder_.mouse_pointers().back(), forms::kMouseDefault);
}

// Cancel in the printer's own file dialog is the user's: no message, the dialog stays idle
// for another run, the export is kept.
TEST_F(RateSheetRunTest, ACancelledPrintJobSaysNothingAndTheDialogStays) {
  Export();
  printers_->CancelNextSubmit();
  yielder_.Click(run_->btnOK);
  EXPECT_TRUE(yielder_.MessageBoxes().empty());
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_TRUE(run_->IsLoaded());
  EXPECT_TRUE(run_->btnOK.Enabled());
  EXPECT_FALSE(run_->Running());
  EXPECT_EQ(ExportLines().size(), 7u);
  EXPECT_EQ(yielder_.mouse_pointers().back(), forms::kMouseDefault);
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());

  // The next run prints.
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
  yielder_.Click(run_->btnOK);
  EXPECT_EQ(printers_->jobs().size(), 1u);
}

TEST_F(RateSheetRunTest, AFullDiskKeepsTheOldExportAndSaysWhy) {
  dir_.Write("RATES.PRN", "last week's sheet\r\n");
  Export();
  {
    testkit::FileSizeLimit full_disk(100);  // the run's seven lines do not fit
    yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Path/File access error");
    yielder_.Click(run_->btnOK);
  }
  EXPECT_EQ(yielder_.LastPrompt(),
            "Path/File access error: " + export_path_ + " (" + std::strerror(EFBIG) + ")");
  EXPECT_FALSE(run_->IsLoaded());
  EXPECT_EQ(ReadFile(export_path_), "last week's sheet\r\n");
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    EXPECT_FALSE(entry.path().filename().string().starts_with("RATES.PRN.tmp")) << entry.path();
  }
  // What was printed still goes out, as after any other error.
  EXPECT_EQ(printers_->jobs().size(), 1u);
}

TEST_F(RateSheetRunTest, AFileErrorOfTheLaneRatingEndsTheRunWithItsDescription) {
  std::filesystem::remove(dir_.path() + "NORTHW01.b");
  Export();
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "NORTHW01");
  yielder_.Click(run_->btnOK);
  EXPECT_FALSE(run_->IsLoaded());
  EXPECT_TRUE(ExportLines().empty());
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "NORTHW01.b"));  // never created
}

TEST_F(RateSheetRunTest, ThePrinterFontIsTheFirstCourierOrFixedsys) {
  printers_->SetFontNames({"Arial", "Fixedsys", "Courier 10 Pitch", "Courier New"});
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
  yielder_.Click(run_->btnOK);
  EXPECT_NE(print::OperationListing(printers_->LastDocument()).find("\"Fixedsys\" 10 \"|"),
            std::string::npos);
}

TEST_F(RateSheetRunTest, SwitchesChangedDuringARunWaitForTheNextRun) {
  yielder_.on_yield = [this](int n) {
    if (n != 2) return;
    yielder_.Click(run_->chkPrint);   // unticked
    yielder_.Click(run_->chkExport);  // ticked, with the default path
    yielder_.Click(run_->optWONotes);
  };
  yielder_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
  yielder_.Click(run_->btnOK);
  ASSERT_EQ(printers_->jobs().size(), 1u);
  const auto pages = DocumentPages(printers_->LastDocument());
  EXPECT_TRUE(pages[0][12].starts_with("|  Note    1 :"));  // notes as when OK was clicked
  EXPECT_FALSE(std::filesystem::exists(export_path_));
}

TEST_F(RateSheetRunTest, OpeningForTheQuarlenCustomerPresetsTheExport) {
  run_->Unload();
  modMain::Settings().SetText(settings::kCompanyName, "Quarlen Haulage");
  modMain::Settings().SetText(settings::kAboutText2, " Rate Sheets ");
  modMain::Settings().SetOn(settings::kRateSheetTextExportOffered, false);
  run_->Show();
  EXPECT_EQ(run_->Caption(), "Quarlen Haulage - Rate Sheets");
  EXPECT_EQ(run_->chkExport.Value(), 1);
  EXPECT_EQ(run_->chkPrint.Value(), 0);
  EXPECT_FALSE(run_->chkExport.Visible());  // the export is not offered in these settings
  EXPECT_EQ(run_->txtExportPathFile.Text(), dir_.path() + "RATES.PRN");
}

}  // namespace
}  // namespace frelane::ratesheet
