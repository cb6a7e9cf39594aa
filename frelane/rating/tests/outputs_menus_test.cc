// The rating screen's menu items and toolbar buttons of the outputs: each opens its window
// or does its action, through the headless driver.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frelane/rating/frm_export_setup.h"
#include "frelane/rating/frm_rate_block_alternation.h"
#include "frelane/rating/frm_zip_lu.h"
#include "frelane/rating/picked_point.h"
#include "frelane/rating/shipment_export.h"
#include "frelane/rating/tests/outputs_fixture.h"

namespace frelane {
namespace {

class OutputsMenusTest : public testing::OutputsTest {
 protected:
  void SetUp() override {
    OutputsTest::SetUp();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kWebAddress, "www.example.test");
    s.SetOn(settings::kRulesShown, true);
    s.SetOn(settings::kCityLookupShown, true);
    s.SetOn(settings::kToolbarShown, true);
    s.SetOn(settings::kBillOfLadingShown, true);
    s.SetOn(settings::kRateSheetShown, true);
    app_.SetHelpFile(dir_.File("help.chm"));
    modShipmentExport::ExportSettings() = {};
  }
  void TearDown() override {
    modShipmentExport::ExportSettings() = {};
    OutputsTest::TearDown();
  }
};

TEST_F(OutputsMenusTest, RulesOpenThePageTheFileOrTheHelpAndHelpComesBack) {
  dir_.Write("rules.pdf", "%PDF-1.4");
  modMain::Settings().SetText(settings::kCompanyName, "Farvel Cartage");
  frmRatingScreen& s = Screen();
  user_.MenuClick(s.mnuViewRules);
  EXPECT_EQ(user_.opened_urls(),
            std::vector<std::string>{"http://www.example.test/info/rulestariff.asp"});
  modMain::Settings().SetText(settings::kWebAddress, "   ");
  user_.MenuClick(s.mnuViewRules);
  EXPECT_EQ(user_.opened_urls().size(), 1u);
  EXPECT_TRUE(user_.opened_documents().empty());

  modMain::Settings().SetText(settings::kCompanyName, "Example Freight");
  user_.MenuClick(s.mnuViewRules);
  ASSERT_EQ(user_.opened_documents().size(), 1u);
  EXPECT_EQ(user_.opened_documents()[0].first, dir_.File("rules.pdf"));

  std::filesystem::remove(dir_.File("rules.pdf"));
  user_.MenuClick(s.mnuViewRules);
  user_.MenuClick(s.mnuHelpContents);
  const auto& help = user_.help_requests();
  ASSERT_EQ(help.size(), 2u);
  EXPECT_EQ(help[0], std::make_pair(dir_.File("rules.chm"), 1));
  EXPECT_EQ(help[1], std::make_pair(dir_.File("help.chm"), 1));
  EXPECT_EQ(app_.HelpFile(), dir_.File("help.chm"));
}

TEST_F(OutputsMenusTest, PointsListAndWebSiteOpenTheirTargets) {
  dir_.Write("PNTSLST.CHM", "");
  frmRatingScreen& s = Screen();
  ASSERT_TRUE(s.mnuViewPointsList.Visible());
  user_.MenuClick(s.mnuViewPointsList);
  ASSERT_EQ(user_.help_requests().size(), 1u);
  EXPECT_EQ(user_.help_requests()[0].first, dir_.File("pntslst.chm"));
  user_.MenuClick(s.mnuViewWebSite);
  user_.MouseUp(s.btnViewWebSite, 10, 10);
  EXPECT_EQ(user_.opened_urls(),
            (std::vector<std::string>{"http://www.example.test", "http://www.example.test"}));
  user_.MouseMove(s.txtWebSite, 5, 5);
  EXPECT_EQ(s.txtWebSite.ForeColor(), 0x0000FF);
}

TEST_F(OutputsMenusTest, RateBlockPutsTheScreensQuoteAndDiscountKindBack) {
  modMain::Settings().SetOn(settings::kDiscountOnCharges, true);
  modMain::Settings().SetI16(settings::kDiscountCount, 3);
  frmRatingScreen& s = Screen();
  auto& dialog = app_.Get<frmRateBlockAlternation>();
  // The quote as the screen left it for print and export.
  modTolvDeclares32::ShipmentRecord().detail(0).SetText(tolv::shipment_detail::kRate, "19.17 ");
  user_.WhenShown("frmRateBlockAlternation", [&] {
    EXPECT_EQ(std::as_const(modTolvDeclares32::ShipmentRecord())
                  .header()
                  .Text(tolv::shipment_header::kDiscountKind),
              "R");
    // What a re-rating leaves in the record.
    modTolvDeclares32::ShipmentRecord().detail(0).SetText(tolv::shipment_detail::kRate, "0019.17");
    user_.MenuClick(dialog.mnuExit);
  });
  user_.MenuClick(s.mnuViewRateBlockAlternation);
  EXPECT_EQ(std::as_const(modTolvDeclares32::ShipmentRecord())
                .detail(0)
                .Text(tolv::shipment_detail::kRate),
            "19.17");
  EXPECT_EQ(std::as_const(modTolvDeclares32::ShipmentRecord())
                .header()
                .Text(tolv::shipment_header::kDiscountKind),
            "C");
}

TEST_F(OutputsMenusTest, ExportSetupPrintAndExportFromMenuAndToolbar) {
  frmRatingScreen& s = Screen();
  auto& setup = app_.Get<frmExportSetup>();
  user_.WhenShown("frmExportSetup", [&] { user_.Click(setup.btnIgnore); });
  user_.MenuClick(s.mnuEditExportSetup);
  user_.WhenShown("frmExportSetup", [&] { user_.Click(setup.btnIgnore); });
  user_.MouseUp(s.btnEditExportSetup, 1, 1);

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  user_.MenuClick(s.mnuFilePrint);
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  user_.MouseUp(s.btnFilePrint, 1, 1);
  EXPECT_EQ(printers_->jobs().size(), 2u);

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Export Error - Bad file name or number.");
  user_.MenuClick(s.mnuFileExport);
  modShipmentExport::ExportSettings().PathFile = dir_.File("out.txt");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  user_.MouseUp(s.btnFileExport, 1, 1);
  EXPECT_TRUE(std::filesystem::exists(dir_.File("out.txt")));
}

TEST_F(OutputsMenusTest, CityLookupPickGoesToItsBoxAndAPickForNoBoxIsDropped) {
  frmRatingScreen& s = Screen();
  auto& lookup = app_.Get<frmZipLU>();
  // Stands for the user's double click on a city of the list; the box that gets the focus
  // back consumes the pending pick in its GotFocus, and the pick must still reach it.
  user_.WhenShown("frmZipLU", [&lookup] {
    modMain::PickedZip() = "30301 ";
    lookup.Unload();
  });
  user_.MenuClick(s.mnuFileCityLookup);
  EXPECT_EQ(s.txtOrigin.Text(), "30301");
  EXPECT_NE(s.ActiveControl(), &s.txtOrigin);  // Tab moved on, through its check
  EXPECT_EQ(modMain::PickedZip(), "");

  // A pick for no point box goes nowhere.
  s.LookupTarget = "";
  modMain::PickedZip() = "60609";
  s.TakeCityLookupPick(modMain::PickedZip());
  EXPECT_EQ(s.txtDestination.Text(), "");
  EXPECT_EQ(modMain::PickedZip(), "");
}

TEST_F(OutputsMenusTest, RateSheetResetsTheShipmentAndRereadsTheSettings) {
  frmRatingScreen& s = Screen();
  user_.TypeInto(s.txtOrigin, "30301");
  modMain::Settings().SetText(settings::kCompanyName, "Changed In Memory");
  ASSERT_TRUE(s.mnuFileRateSheet.Visible());
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "variable.dat");
  user_.MenuClick(s.mnuFileRateSheet);
  EXPECT_EQ(s.txtOrigin.Text(), "");
}

}  // namespace
}  // namespace frelane
