// The freight lines as a user types them: defaults and locks, class checks, the end of a
// shipment on a blank class or weight, the discount boxes, the tab trap, and the FAK dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frelane/core/class_tables.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_fak.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/outputs_fixture.h"
#include "frelane/rating/point_entry.h"
#include "frelane/rating/shipment_export.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/fake_engine.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

namespace hdr = tolv::shipment_header;

using forms::MsgBoxResult;

class LineEntryTest : public ::testing::Test {
 protected:
  LineEntryTest() : user_(app_) {}
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    auto engine = std::make_unique<testkit::FakeEngine>();
    // The engine answers a quote of the lines sent, or the scripted status.
    engine->rate = [this](ShipmentBytes bytes) {
      tolv::ShipmentRecord r = tolv::ShipmentRecord::FromBytes(bytes.data());
      os::RecordView h = r.header();
      h.SetText(hdr::kStatus, status_);
      h.SetText(hdr::kTotalWeight, "1750");
      h.SetText(hdr::kBilledWeight, "1750");
      h.SetText(hdr::kMinimumCharge, "95.00");
      h.SetText(hdr::kCharges, "400.00");
      r.CopyTo(bytes.data());
    };
    log_ = engine->log();
    modTolvDeclares32::InstallEngine(std::move(engine));
    modMain::Get().data_directory = dir_.path();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetI16(settings::kDiscountCount, 3);
    s.SetOn(settings::kMcFloorDiscountShown, true);
    s.SetOn(settings::kPricePerUnitOffered, true);
    s.SetOn(settings::kPricePerUnitDefault, true);
  }
  void TearDown() override {
    modShipmentExport::ExportSettings() = {};
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  frmRatingScreen& Shown() {
    frmRatingScreen& screen = app_.Get<frmRatingScreen>();
    screen.Show();
    testing::IgnorePointBoxes(screen);
    return screen;
  }
  std::size_t Ratings() const { return log_->rated_records.size(); }
  std::string status_;
  // Lines 1 and 2 typed in full, the focus left in the class box of line 3.
  void TwoLines(frmRatingScreen& s) {
    user_.TypeInto(s.cboClass(1), "70");
    user_.Tab();
    user_.Type("1250");
    user_.Tab();
    user_.Type("100");
    user_.Tab();
    user_.Type("500");
    user_.Tab();
    ASSERT_TRUE(s.cboClass(3).HasFocus());
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
  std::shared_ptr<testkit::FakeEngine::Log> log_;
};

TEST_F(LineEntryTest, DefaultWeightAndClassAndTheirLocks) {
  modMain::Settings().SetI32(settings::kDefaultWeight, 500);
  modMain::Settings().SetText(settings::kDefaultClass, "70");
  frmRatingScreen& s = Shown();
  s.txtWeight(3).SetText("1200");
  s.cboClass(3).SetText("100");
  user_.Focus(s.cboClass(3));
  EXPECT_EQ(s.cboClass(3).Text(), "70");
  EXPECT_EQ(s.lblStatusBar.Caption(), " Freight class of line 3");
  user_.Type("85");  // not locked: the user may type another class
  EXPECT_EQ(s.cboClass(3).Text(), "85");
  user_.Tab();
  EXPECT_EQ(s.txtWeight(3).Text(), "500");
  EXPECT_EQ(s.txtWeight(3).SelLength(), 3);
  EXPECT_EQ(s.LastFocusName, "txtWeight");
  EXPECT_EQ(s.LastFocusIndex, "3");

  // Locked: typing and Delete do nothing, a list pick (also by arrow) puts the default back,
  // Enter moves on.
  modMain::Settings().SetOn(settings::kClassLocked, true);
  modMain::Settings().SetOn(settings::kWeightLocked, true);
  user_.Focus(s.cboClass(4));
  user_.Type("100");
  user_.Press(46);
  EXPECT_EQ(s.cboClass(4).Text(), "70");
  user_.Pick(s.cboClass(4), 9);
  EXPECT_EQ(s.cboClass(4).Text(), "70");
  user_.Press(forms::kKeyDown);
  user_.Press(forms::kKeyUp);
  EXPECT_EQ(s.cboClass(4).Text(), "70") << "an arrow is a pick, undone the same way";
  user_.PressEnter();
  EXPECT_TRUE(s.txtWeight(4).HasFocus());
  user_.Type("9");
  user_.Press(46);
  EXPECT_EQ(s.txtWeight(4).Text(), "500");

  // Without a default weight the box keeps its text.
  modMain::Settings().SetI32(settings::kDefaultWeight, 0);
  s.txtWeight(5).SetText("777");
  user_.Focus(s.txtWeight(5));
  EXPECT_EQ(s.txtWeight(5).Text(), "777");
}

TEST_F(LineEntryTest, ClassChecksFakLabelAndRating) {
  modMain::Settings().SetOn(settings::kFakInUse, true);
  modMain::Get().fak.map[11] = 70;  // 85 rated as 70
  modMain::Get().fak.active = true;
  frmRatingScreen& s = Shown();
  user_.TypeInto(s.cboClass(1), "93");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Class");
  user_.Tab();
  EXPECT_TRUE(s.cboClass(1).HasFocus());
  EXPECT_EQ(Ratings(), 0u);
  user_.Type("85");  // the refused class is selected: typing replaces it
  user_.Tab();
  EXPECT_EQ(s.lblFAK(1).Caption(), "70");
  user_.Type("1000");
  user_.Tab();
  ASSERT_GE(Ratings(), 2u);
  const auto& sent = log_->rated_records.back();
  EXPECT_EQ(std::string(sent.begin() + 265 + 2, sent.begin() + 265 + 5), "70 ");
  user_.TypeInto(s.cboClass(1), "70");
  user_.Tab();
  EXPECT_EQ(s.lblFAK(1).Caption(), "");
  user_.TypeInto(s.cboClass(2), "92.5");
  user_.Tab();
  EXPECT_TRUE(s.txtWeight(2).HasFocus());
}

TEST_F(LineEntryTest, BlankWeightFollowedByALaterLineEndsTheShipment) {
  frmRatingScreen& s = Shown();
  TwoLines(s);
  user_.Type("85");
  user_.Tab();  // weight 3 left blank
  s.txtWeight(4).SetText("300");  // line 4 has a weight but no class
  EXPECT_TRUE(s.txtWeight(3).HasFocus());
  user_.ShiftTab();  // back to its own class: nothing special
  EXPECT_EQ(s.cboClass(3).Text(), "85");
  user_.Tab();
  user_.Tab();
  EXPECT_EQ(s.cboClass(3).Text(), "");
  EXPECT_EQ(s.txtWeight(4).Text(), "");
  EXPECT_TRUE(s.txtOrigin.HasFocus());
  EXPECT_EQ(s.cboClass(1).Text(), "70") << "the lines before stay";

  // A weight typed without a class is dropped when the box is left.
  user_.TypeInto(s.txtWeight(6), "400");
  user_.ShiftTab();
  EXPECT_EQ(s.txtWeight(6).Text(), "");
}

TEST_F(LineEntryTest, BlankClassFollowedByItsWeightEndsTheShipment) {
  frmRatingScreen& s = Shown();
  TwoLines(s);
  user_.ShiftTab();  // from the blank class back to weight 2: nothing happens
  EXPECT_TRUE(s.txtWeight(2).HasFocus());
  EXPECT_EQ(s.txtWeight(2).Text(), "500");
  user_.Tab();
  s.txtWeight(3).SetText("200");
  user_.Tab();
  EXPECT_EQ(s.txtWeight(3).Text(), "");
  EXPECT_TRUE(s.txtOrigin.HasFocus());
}

TEST_F(LineEntryTest, ExportAllWritesTheShipmentWhenItEnds) {
  const std::string path = dir_.File("auto.txt");
  auto lines = [&] {
    const std::string text = testkit::ReadFile(path);
    std::size_t n = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
      ++n;
    }
    return n;
  };
  modShipmentExport::ExportSettings() = {"Y", "Y", "N", path};
  frmRatingScreen& s = Shown();
  TwoLines(s);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Rating data exported to " + path);
  user_.Tab();  // past the blank class of line 3
  EXPECT_EQ(lines(), 1u);
  EXPECT_TRUE(s.txtOrigin.HasFocus());

  // A blank weight followed by a later line ends it too.
  user_.Focus(s.cboClass(3));
  user_.Type("85");
  user_.Tab();
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Rating data exported to " + path);
  user_.Tab();
  EXPECT_EQ(lines(), 2u);
  EXPECT_TRUE(s.txtOrigin.HasFocus());

  // Without Export All the shipment ends the same way and nothing is written.
  modShipmentExport::ExportSettings().ExportAll = "N";
  user_.Focus(s.cboClass(3));
  user_.Tab();
  EXPECT_TRUE(s.txtOrigin.HasFocus());
  EXPECT_EQ(lines(), 2u);
  EXPECT_EQ(user_.MessageBoxes().size(), 2u);

  // A line the engine refuses resets the screen: the focus goes back to the origin on a
  // blank screen, nothing is exported and no default fills the line the Tab was heading to.
  modShipmentExport::ExportSettings().ExportAll = "Y";
  modMain::Settings().SetText(settings::kDefaultClass, "100");
  user_.Focus(s.cboClass(3));
  user_.Type("50");
  user_.Tab();
  status_ = "0119";
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Charges can not be calculated.");
  user_.Type("400");
  user_.Tab();
  EXPECT_TRUE(s.txtOrigin.HasFocus());
  EXPECT_EQ(lines(), 2u);
  EXPECT_EQ(s.cboClass(4).Text(), "");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "");
}

TEST_F(LineEntryTest, DiscountsRecalculateOnlyOnceTheShipmentHasLines) {
  frmRatingScreen& s = Shown();
  user_.TypeInto(s.txtDiscount(2), "2");
  EXPECT_EQ(Ratings(), 0u);
  EXPECT_EQ(s.LastFocusName, "txtDiscount");
  EXPECT_EQ(s.LastFocusIndex, "2");
  modTolvDeclares32::ShipmentRecord().header().SetText(hdr::kDetailCount, "01");
  s.cboClass(1).SetText("70");
  s.txtWeight(1).SetText("1000");
  user_.Type("5");
  EXPECT_EQ(Ratings(), 1u);
}

// A whole-number weight box refuses a pasted 12.5 whole rather than make 125 of it.
TEST_F(LineEntryTest, APastedWeightIsTakenWholeOrNotAtAll) {
  frmRatingScreen& s = Shown();
  user_.TypeInto(s.cboClass(1), "70");
  user_.Tab();
  ASSERT_TRUE(s.txtWeight(1).HasFocus());
  user_.Paste("12.5");
  EXPECT_EQ(s.txtWeight(1).Text(), "");
  EXPECT_EQ(user_.beeps(), 1);
  user_.Paste("1250");
  EXPECT_EQ(s.txtWeight(1).Text(), "1250");
  user_.Press('A', forms::kCtrlMask);
  user_.Type("900");
  EXPECT_EQ(s.txtWeight(1).Text(), "900");
}

TEST_F(LineEntryTest, TabTrapPassesTheFocusOn) {
  frmRatingScreen& s = Shown();
  ASSERT_TRUE(s.btnNewShipment.Visible());
  user_.Focus(s.txtPPU);
  user_.Tab();
  EXPECT_TRUE(s.btnNewShipment.HasFocus());
  s.btnNewShipment.SetVisible(false);
  user_.Focus(s.txtPPU);
  user_.Tab();
  EXPECT_TRUE(s.txtOrigin.HasFocus());
  s.txtOrigin.SetEnabled(false);
  user_.Focus(s.txtPPU);
  user_.Tab();
  EXPECT_TRUE(s.txtDestination.HasFocus());
  // Nothing can take it: the trap keeps it, without an error.
  s.txtDestination.SetVisible(false);
  user_.Focus(s.txtPPU);
  user_.Tab();
  EXPECT_EQ(s.LastFocusName, "txtPPU");
}

TEST_F(LineEntryTest, TerminalServiceDaysAndType) {
  frmRatingScreen& s = Shown();
  std::vector<std::vector<std::int16_t>> days(3, std::vector<std::int16_t>(3, 2));
  days[0][2] = 4;
  dir_.Write("ServTerm.dat", testkit::TerminalFile(std::vector<testkit::Terminal>(3)));
  dir_.Write("ServMatx.dat", testkit::TransitMatrixFile(days));
  modMain::OriginTerminal() = 1;
  modMain::DestinationTerminal() = 3;
  s.OriginServiceCode = "D";
  s.DestinationServiceCode = "D";
  s.OriginServiceDays = 1;
  s.ShowServiceDays();
  EXPECT_EQ(s.lblServiceDays.Caption(), "5 Day(s)");
  EXPECT_EQ(s.lblServiceType.Caption(), "Direct");
  s.DestinationServiceCode = "I";
  s.ShowServiceDays();
  EXPECT_EQ(s.lblServiceType.Caption(), "Non-Direct");
  // One end without a terminal: the days stay, the type says none.
  modMain::DestinationTerminal() = 0;
  s.ShowServiceDays();
  EXPECT_EQ(s.lblServiceDays.Caption(), "5 Day(s)");
  EXPECT_EQ(s.lblServiceType.Caption(), "None");
  modMain::Settings().SetText(settings::kCompanyName, "Farvel Transport");
  s.ShowServiceDays();
  EXPECT_EQ(s.lblServiceType.Caption(), "Non-Direct");
  modMain::OriginTerminal() = 0;
}

class FakDialogTest : public LineEntryTest {};

TEST_F(FakDialogTest, SaveStoresWholeClassesAndIgnoreLeavesAll) {
  frmFAK& fak = app_.Get<frmFAK>();
  user_.WhenShown("frmFAK", [&] {
    EXPECT_EQ(fak.lblClass(11).Caption(), "Class 92");
    EXPECT_EQ(fak.cboClass(12).Text(), "85");
    EXPECT_EQ(fak.cboClass(1).ListCount(), 18);
    user_.TypeInto(fak.cboClass(12), "93");
    user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Class");
    user_.Tab();
    EXPECT_TRUE(fak.cboClass(12).HasFocus());
    user_.Type("92.5");  // replaces the refused class
    user_.Tab();
    user_.Click(fak.btnSaveFAK);
  });
  fak.ShowModal();
  EXPECT_EQ(modMain::FakMap()[11], 92);
  EXPECT_EQ(modMain::FakActiveFlag(), 'Y');
  const std::string saved = testkit::ReadFile(dir_.File("fak.dat"));
  ASSERT_EQ(saved.size(), kFakFileSize);
  EXPECT_EQ(saved.substr(22, 2), std::string("\x5c\x00", 2));

  user_.WhenShown("frmFAK", [&] {
    EXPECT_EQ(fak.cboClass(12).Text(), "92");
    user_.TypeInto(fak.cboClass(1), "50");
    user_.PressEscape();  // as Ignore
  });
  fak.ShowModal();
  EXPECT_EQ(modMain::FakMap()[0], 500);
  EXPECT_EQ(testkit::ReadFile(dir_.File("fak.dat")), saved);
}

}  // namespace
}  // namespace frelane
