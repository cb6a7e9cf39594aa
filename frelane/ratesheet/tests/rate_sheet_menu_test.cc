// File > Rate Sheet and the toolbar's Rate Sheet button open the definition screen modal;
// its Print chooses the intrastate tariffs, then the run dialog runs the sheet; when the
// screen closes the settings file is in force again.
#include <gtest/gtest.h>

#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/rate_sheet_opener.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "frelane/ratesheet/rate_sheet_screen_setup.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "platform/print/recording_print_system.h"
#include "testkit/app/settings_file_writer.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/ratesheet/rate_sheet_files.h"

namespace frelane::ratesheet {
namespace {

using forms::MsgBoxResult;

class RateSheetMenuTest : public testing::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    testkit::SettingsFileWriter file;
    file.CompanyName("Example Freight").RatingDate("12-09-2026").UsDiscount(2, 40);
    file.Switch(557, true);
    dir_.Write("variable.dat", file.Bytes());
    std::string error;
    ASSERT_TRUE(modMain::LoadSettings(&error)) << error;
    dir_.Write("state.dat", testkit::StateFile({{303, "GA"}}));
    dir_.Write("NORTHW01.b", testkit::ZipBlockFile({{"30300", "30399"}}));
    dir_.Write("tariffs.dat", "GANORTHW02YGeorgia intrastate\r\n");
    InstallRateSheetScreen();
  }
  void TearDown() override {
    SetRateSheetScreen(nullptr);
    SheetTest::TearDown();
  }
  print::testing::ScopedRecordingPrintSystem printers_;
};

TEST_F(RateSheetMenuTest, TheMenuOpensTheScreenWhosePrintRunsTheSheet) {
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.Show();
  ASSERT_TRUE(screen.mnuFileRateSheet.Visible());
  std::vector<std::string> order;
  user_.WhenShown("frmRateSheet", [&] {
    frmRateSheet& sheet = app_.Get<frmRateSheet>();
    EXPECT_TRUE(sheet.IsModal());
    EXPECT_EQ(modMain::Settings().F64(settings::kUsDiscounts, 2), 0);  // zeroed for the sheet
    sheet.txtHeadlineZip.SetText("30301");
    sheet.txtSidelineZipLow(1).SetText("303");
    sheet.txtSidelineZipHigh(1).SetText("303");
    sheet.chkWeight(1).SetValue(1);
    sheet.chkClass(1).SetValue(1);
    user_.WhenShown("frmIntrastateTariffs", [&] {
      order.push_back("intrastate");
      frmIntrastateTariffs& chooser = app_.Get<frmIntrastateTariffs>();
      user_.Click(chooser.chkIntrastateTariff(1));
      user_.Click(chooser.btnOK);
    });
    user_.WhenShown("frmRateSheetRun", [&] {
      order.push_back("run");
      frmRateSheetRun& run = app_.Get<frmRateSheetRun>();
      EXPECT_TRUE(run.IsModal());
      user_.ExpectMsgBox(MsgBoxResult::kOK, "Processing Complete");
      user_.Click(run.btnOK);
    });
    user_.Click(sheet.btnPrint);
    user_.MenuClick(sheet.mnuExit);
  });
  user_.MenuClick(screen.mnuFileRateSheet);
  EXPECT_EQ(order, (std::vector<std::string>{"intrastate", "run"}));
  EXPECT_EQ(modMain::Lane().IntrastateList[0], "GA");
  EXPECT_EQ(log_->rate_calls, 1);
  EXPECT_EQ(printers_->jobs().size(), 1u);
  EXPECT_FALSE(app_.Get<frmRateSheet>().IsLoaded());
  EXPECT_EQ(modMain::Settings().F64(settings::kUsDiscounts, 2), 40);  // the file's again
}

TEST_F(RateSheetMenuTest, TheToolbarButtonOpensTheScreen) {
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.Show();
  bool shown = false;
  user_.WhenShown("frmRateSheet", [&] {
    shown = true;
    user_.MenuClick(app_.Get<frmRateSheet>().mnuExit);
  });
  user_.MouseUp(screen.btnFileRateSheet, 10, 10);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace frelane::ratesheet
