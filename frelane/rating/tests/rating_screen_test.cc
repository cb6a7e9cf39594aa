// The rating screen through the headless driver: its configuration per setting and customer,
// the toolbar and focus memory, the key filters of its boxes and ClearShipment.
#include "frelane/rating/frm_rating_screen.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frelane/rating/frm_fak.h"
#include "frelane/rating/tests/outputs_fixture.h"
#include "testkit/geo/screen_files.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

// A plain carrier's screen with three discounts, price per unit, the toolbar and the
// minimum charge floor's discount shown.
class RatingScreenTest : public testing::OutputsTest {
 protected:
  void SetUp() override {
    OutputsTest::SetUp();
    SettingsRecord& s = modMain::Settings();
    s.SetI16(settings::kDiscountCount, 3);
    s.SetOn(settings::kMcFloorDiscountShown, true);
    s.SetOn(settings::kPricePerUnitOffered, true);
    s.SetOn(settings::kPricePerUnitDefault, true);
    s.SetOn(settings::kToolbarShown, true);
    // Every lane is served, so that the focus can leave the point boxes.
    dir_.Write("zipval.dat", testkit::ServedLaneFile({{"000", "ZZZ", "000", "ZZZ"}}));
  }
};

TEST_F(RatingScreenTest, CaptionAndClassLists) {
  frmRatingScreen& screen = Screen();
  EXPECT_EQ(screen.Caption(), "Example Freight - Effective: 12-01-2026");
  EXPECT_EQ(screen.Width(), 9600);
  EXPECT_EQ(screen.Height(), 7320);
  for (int line : {1, 8}) {
    ASSERT_EQ(screen.cboClass(line).ListCount(), 18);
    EXPECT_EQ(screen.cboClass(line).List(0), "500");
    EXPECT_EQ(screen.cboClass(line).List(10), "92");
    EXPECT_EQ(screen.cboClass(line).ItemData(17), 18);
  }
}

// Alt and a menu's letter must reach one item: no two items of a menu share their access
// key, and the items named by the carrier's manual read as named there.
TEST_F(RatingScreenTest, EachMenuItemHasItsOwnAccessKey) {
  frmRatingScreen& screen = Screen();
  for (forms::Menu* menu : {&screen.mnuFile, &screen.mnuEdit, &screen.mnuView, &screen.mnuHelp}) {
    std::string keys;
    for (forms::Control* c : screen.Controls()) {
      if (c->Kind() != forms::ControlKind::kMenu || c->Container() != menu) continue;
      const char key = static_cast<forms::Menu*>(c)->AccessKey();
      ASSERT_NE(key, 0) << c->Name();
      EXPECT_EQ(keys.find(key), std::string::npos) << c->Name() << " repeats " << key;
      keys += key;
    }
  }
  EXPECT_EQ(screen.mnuFileRateSheet.Caption(), "&Rate Sheet");
  EXPECT_EQ(screen.mnuViewRules.Caption(), "R&ules");
  EXPECT_EQ(screen.mnuViewRateBlockAlternation.Caption(), "&Rate Block/Alternation");
  EXPECT_EQ(screen.mnuHelpAbout.Caption(), "&About...");
}

TEST_F(RatingScreenTest, NoDiscountFrameWhenFixedOrNone) {
  modMain::Settings().SetI16(settings::kDiscountsFixed, -1);
  frmRatingScreen& screen = Screen();
  EXPECT_FALSE(screen.fraDiscount.Visible());
  EXPECT_EQ(screen.fraPPU.Top(), 2340);
  EXPECT_TRUE(screen.fraPPU.Visible());

  modMain::Settings().SetI16(settings::kDiscountsFixed, 0);
  modMain::Settings().SetI16(settings::kDiscountCount, 0);
  screen.txtDiscount(2).SetText("40");
  screen.ConfigureScreen();
  EXPECT_FALSE(screen.fraDiscount.Visible());
  EXPECT_EQ(screen.txtDiscount(2).Text(), "");
}

TEST_F(RatingScreenTest, SinglePromptedDiscount) {
  SettingsRecord& s = modMain::Settings();
  s.SetI16(settings::kDiscountCount, 1);
  frmRatingScreen& screen = Screen();
  EXPECT_TRUE(screen.fraDiscount.Visible());
  EXPECT_EQ(screen.fraDiscount.Caption(), "Discount");
  EXPECT_EQ(screen.lblLTL.Caption(), "ALL");
  EXPECT_FALSE(screen.txtDiscount(1).Visible());
  EXPECT_TRUE(screen.txtDiscount(2).Visible());
  EXPECT_FALSE(screen.txtDiscount(3).Visible());
  EXPECT_TRUE(screen.txtDiscount(4).Visible());
  EXPECT_EQ(screen.fraPPU.Top(), screen.fraDiscount.Top() + screen.fraDiscount.Height() + 45);

  s.SetOn(settings::kMcFloorDiscountShown, false);
  screen.ConfigureScreen();
  EXPECT_FALSE(screen.txtDiscount(4).Visible());
  EXPECT_FALSE(screen.lblFloor.Visible());
  EXPECT_EQ(screen.fraDiscount.Height(), 1455);
}

TEST_F(RatingScreenTest, CustomerSwitchesByCompanyName) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kCompanyName, "Vornhalt Carriers");
  frmRatingScreen& screen = Screen();
  EXPECT_FALSE(screen.txtDiscount(1).Visible());
  EXPECT_TRUE(screen.txtDiscount(3).Visible());
  EXPECT_EQ(screen.fraDiscount.Caption(), "Discounts");
  EXPECT_FALSE(screen.btnNewShipment.Visible());

  s.SetText(settings::kCompanyName, "farvel transport");
  s.SetOn(settings::kTlDiscountHidden, true);
  screen.ConfigureScreen();
  EXPECT_TRUE(screen.txtDiscount(1).Visible());
  EXPECT_FALSE(screen.txtDiscount(3).Visible());
  EXPECT_FALSE(screen.txtDiscount(4).Visible());
  EXPECT_EQ(screen.fraDiscount.Height(), 1455);
  EXPECT_TRUE(screen.btnNewShipment.Visible());  // shown beside the toolbar for this customer
  EXPECT_EQ(screen.lblAccessorialChargeLabel.Caption(), "Accessorial Charge");
}

TEST_F(RatingScreenTest, QuarlenNamesAccessorialsValueAddedServices) {
  modMain::Settings().SetText(settings::kCompanyName, "QUARLENS Logistics");
  frmRatingScreen& screen = Screen();
  EXPECT_EQ(screen.mnuEditAccessorialCharges.Caption(), "Value Added Services");
  EXPECT_EQ(screen.lblAccessorialChargeLabel.Caption(), "Value Added Services");
  EXPECT_EQ(screen.btnEditAccessorialCharges.ToolTipText(), "Value Added Services");
}

TEST_F(RatingScreenTest, MenusColumnsAndToolbarFollowTheSwitches) {
  SettingsRecord& s = modMain::Settings();
  s.SetOn(settings::kCityLookupShown, true);
  s.SetOn(settings::kMapShown, true);
  dir_.Write("PNTSLST.CHM", std::string("x"));
  frmRatingScreen& screen = Screen();
  EXPECT_TRUE(screen.mnuFileCityLookup.Visible());
  EXPECT_FALSE(screen.mnuFileRateSheet.Visible());
  EXPECT_TRUE(screen.mnuViewMap.Visible());
  EXPECT_TRUE(screen.mnuViewPointsList.Visible());
  EXPECT_FALSE(screen.lblTerminalLabel.Visible());
  EXPECT_FALSE(screen.lblServiceLabel.Visible());
  EXPECT_TRUE(screen.lblCityLabel.Visible());
  EXPECT_EQ(screen.btnFileCityLookup.Left(), 705);
  EXPECT_EQ(screen.btnViewMap.Left(), 2055 + 405);  // after Export Setup
  EXPECT_FALSE(screen.btnEditFAK.Visible());
  EXPECT_EQ(screen.imgPicture.Top(), screen.fraToolBar.Top() + screen.fraToolBar.Height());

  // ServiceM.dat lines the service column up with the service disclaimer.
  dir_.Write("ServiceM.dat", std::string("x"));
  s.SetOn(settings::kToolbarShown, false);
  screen.ConfigureScreen();
  EXPECT_FALSE(screen.lblTerminalLabel.Visible());
  EXPECT_TRUE(screen.lblServiceLabel.Visible());
  EXPECT_EQ(screen.lblServiceDays.Left(), screen.lblServiceDisclaimer.Left());
  EXPECT_EQ(screen.lblServiceType.Width(), screen.lblServiceDisclaimer.Width());
  EXPECT_FALSE(screen.fraToolBar.Visible());
  EXPECT_TRUE(screen.btnNewShipment.Visible());
  EXPECT_EQ(screen.imgPicture.Top(), 120);

  s.SetOn(settings::kTerminalServiceGuide, true);
  screen.ConfigureScreen();
  EXPECT_TRUE(screen.lblTerminalLabel.Visible());
  EXPECT_TRUE(screen.mnuViewTerminalInformation.Visible());
}

TEST_F(RatingScreenTest, DisclaimersAreLoadedAndMoveTheResetButton) {
  dir_.Write("servicedisclaimer.dat", testkit::DisclaimerFile({"Service days are estimates."}));
  dir_.Write("ChargeDisclaimer.dat", testkit::DisclaimerFile({"Charges exclude tax.", "E&OE"}));
  modMain::Settings().SetOn(settings::kToolbarShown, false);
  frmRatingScreen& screen = Screen();
  EXPECT_EQ(screen.lblServiceDisclaimer.Caption(), "Service days are estimates.");
  EXPECT_EQ(screen.lblChargeDisclaimer.Caption(), "Charges exclude tax.\r\nE&OE");
  EXPECT_EQ(screen.btnNewShipment.Top(),
            screen.lblServiceDisclaimer.Top() + screen.lblServiceDisclaimer.Height() + 100);
  // Without the price-per-unit frame the button is centred under the discount frame.
  modMain::Settings().SetOn(settings::kPricePerUnitDefault, false);
  screen.ConfigureScreen();
  EXPECT_FALSE(screen.fraPPU.Visible());
  EXPECT_EQ(screen.btnNewShipment.Top(), screen.fraDiscount.Top() + screen.fraDiscount.Height() + 165);
  EXPECT_EQ(screen.btnNewShipment.Left() + screen.btnNewShipment.Width() / 2,
            screen.fraDiscount.Left() + screen.fraDiscount.Width() / 2);
}

TEST_F(RatingScreenTest, KeyFiltersOfTheBoxesIncludingPaste) {
  frmRatingScreen& screen = Screen();
  user_.TypeInto(screen.txtOrigin, "k1a0b1x");
  EXPECT_EQ(screen.txtOrigin.Text(), "K1A0B1");
  user_.TypeInto(screen.txtDestination, "");
  user_.Paste("3030a1");  // a paste the filter would alter is refused whole
  EXPECT_EQ(screen.txtDestination.Text(), "");
  user_.Paste("30301");
  EXPECT_EQ(screen.txtDestination.Text(), "30301");
  user_.TypeInto(screen.txtWeight(2), "12.5x0");
  EXPECT_EQ(screen.txtWeight(2).Text(), "1250");
  user_.TypeInto(screen.cboClass(2), "92.55");
  EXPECT_EQ(screen.cboClass(2).Text(), "92.5");
  user_.TypeInto(screen.txtDiscount(2), "");
  // The box's own maximum length (6) and two decimals.
  user_.Paste("123.456");
  EXPECT_EQ(screen.txtDiscount(2).Text(), "");
  user_.Paste("12.45");
  EXPECT_EQ(screen.txtDiscount(2).Text(), "12.45");
  user_.TypeInto(screen.txtDiscount(2), "150");
  EXPECT_EQ(screen.txtDiscount(2).Text(), "15");  // no discount of 100 % or more
  // Enter moves on like Tab.
  user_.Focus(screen.txtOrigin);
  user_.PressEnter();
  EXPECT_TRUE(screen.txtDestination.HasFocus());
}

TEST_F(RatingScreenTest, ToolbarActsOnReleaseInsideAndRestoresTheFocus) {
  modMain::Settings().SetOn(settings::kFakInUse, true);
  frmRatingScreen& screen = Screen();
  user_.SetCalculatorAvailable(false);
  user_.TypeInto(screen.txtOrigin, "30301");
  user_.TypeInto(screen.txtDestination, "60601");
  user_.Focus(screen.txtWeight(3));
  EXPECT_EQ(screen.LastFocusName, "txtWeight");
  EXPECT_EQ(screen.LastFocusIndex, "3");
  // Released beyond the right edge or above the button: nothing happens.
  user_.MouseUp(screen.btnFileCalculator, 300, 10);
  user_.MouseUp(screen.btnFileCalculator, 10, -1);
  EXPECT_TRUE(user_.MessageBoxes().empty());

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Calculator not found");
  user_.Click(screen.btnFileCalculator, 10, 10);
  EXPECT_EQ(user_.MessageBoxes().back().request.title, "Error");
  // The button took no focus: no point box is left with a marker of a focus change.
  EXPECT_EQ(screen.ToolbarClickMarker, "");
  EXPECT_TRUE(screen.txtWeight(3).HasFocus());

  // A field the settings hid since is not restored.
  user_.Focus(screen.txtDiscount(1));
  modMain::Settings().SetI16(settings::kDiscountCount, 1);
  screen.ConfigureScreen();
  user_.WhenShown("frmFAK", [&] { user_.Click(app_.Get<frmFAK>().btnIgnore); });
  user_.Click(screen.btnEditFAK, 10, 10);
  EXPECT_FALSE(screen.txtDiscount(1).HasFocus());
}

TEST_F(RatingScreenTest, AToolbarTapActsWhileAWeightBoxHasTheFocus) {
  frmRatingScreen& screen = Screen();
  user_.SetCalculatorAvailable(false);
  user_.TypeInto(screen.txtOrigin, "30301");
  user_.TypeInto(screen.txtDestination, "60601");
  user_.TypeInto(screen.txtWeight(1), "500");
  // A tap (press and release at once) while the typed weight still waits for its check.
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Calculator not found");
  EXPECT_TRUE(user_.Tap(screen.btnFileCalculator, 10, 10));
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_EQ(screen.ToolbarClickMarker, "");
  EXPECT_TRUE(screen.txtWeight(1).HasFocus());
}

TEST_F(RatingScreenTest, ResetEmptiesThePointsAndFocusesTheOrigin) {
  frmRatingScreen& screen = Screen();
  user_.TypeInto(screen.txtOrigin, "30301");
  user_.TypeInto(screen.txtDestination, "60601");
  screen.lblOriginState.SetCaption("GA");
  user_.Click(screen.btnFileReset, 10, 10);
  EXPECT_EQ(screen.txtOrigin.Text(), "");
  EXPECT_EQ(screen.txtDestination.Text(), "");
  EXPECT_EQ(screen.lblOriginState.Caption(), "");
  EXPECT_TRUE(screen.txtOrigin.HasFocus());
  EXPECT_EQ(screen.ToolbarClickMarker, "G");  // the origin took the toolbar's "X"
}

TEST_F(RatingScreenTest, ClearShipmentEmptiesExactlyTheQuote) {
  frmRatingScreen& screen = Screen();
  screen.txtOrigin.SetText("30301");
  screen.lblOriginState.SetCaption("GA");
  screen.lblOriginTerminal.SetCaption("ATL");
  screen.lblDestinationCity.SetCaption("CHICAGO");
  for (int i = 1; i <= 8; ++i) {
    screen.txtWeight(i).SetText("100");
    screen.cboClass(i).SetText("85");
    screen.lblRate(i).SetCaption("1.00 ");
    screen.lblCharge(i).SetCaption("1.00 ");
    screen.lblFAK(i).SetCaption("70");
  }
  std::vector<forms::Label*> blanked = {
      &screen.lblUndiscountedCharge, &screen.lblDeficitWeight, &screen.lblDeficitCharge,
      &screen.lblDeficitRate,        &screen.lblDiscount,      &screen.lblNet,
      &screen.lblAccessorialCharge,  &screen.lblFuelSurcharge, &screen.lblCanCurrencyExchange,
      &screen.lblTotalCanCharge,     &screen.lblServiceDays,   &screen.lblServiceType,
      &screen.lblIntrastateTariff,   &screen.lblRBN,           &screen.lblMiles};
  for (forms::Label* label : blanked) label->SetCaption("9.99");
  screen.lblTotalCharge.SetCaption("9.99");
  std::vector<forms::Control*> hidden = {
      &screen.lblDeficitLabel,           &screen.lblTotalWeightLabel,
      &screen.lblTotalWeight,            &screen.lblUndiscountedChargeLabel,
      &screen.lblDiscountLabel,          &screen.lblNetLabel,
      &screen.lblFuelSurchargeLabel,     &screen.lblAccessorialChargeLabel,
      &screen.lblTotalChargeLabel,       &screen.Line1,
      &screen.Line2,                     &screen.Line3,
      &screen.Line4,                     &screen.Line5,
      &screen.lblCanCurrencyExchangeLabel, &screen.lblTotalCanChargeLabel,
      &screen.lblChargeDisclaimer,       &screen.lblServiceDisclaimer,
      &screen.lblZipDisclaimer,          &screen.imgZipDisclaimer};
  for (forms::Control* c : hidden) c->SetVisible(true);
  for (int i = 1; i <= 4; ++i) screen.txtDiscount(i).SetText("10");
  screen.txtPPU.SetText("12");
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  record.header().SetText(tolv::shipment_header::kDetailCount, "08");
  record.header().SetText(tolv::shipment_header::kTariffName, "TARIFF01");

  screen.ClearShipment();

  for (int i = 1; i <= 8; ++i) {
    EXPECT_EQ(screen.txtWeight(i).Text(), "");
    EXPECT_EQ(screen.cboClass(i).Text(), "");
    EXPECT_EQ(screen.lblRate(i).Caption() + screen.lblCharge(i).Caption() +
                  screen.lblFAK(i).Caption(),
              "");
    EXPECT_EQ(record.detail(i - 1).Raw(tolv::shipment_detail::kClass), "500");
    EXPECT_EQ(record.detail(i - 1).Raw(tolv::shipment_detail::kWeight), "0     ");
  }
  EXPECT_EQ(record.header().Raw(tolv::shipment_header::kDetailCount), "0 ");
  for (forms::Label* label : blanked) EXPECT_EQ(label->Caption(), "") << label->Name();
  EXPECT_EQ(screen.lblTotalCharge.Caption(), "");
  for (forms::Control* c : hidden) EXPECT_FALSE(c->Visible()) << c->Name();
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(screen.txtDiscount(i).Text(), "");
  EXPECT_EQ(screen.txtPPU.Text(), "");
  // The points and the lane stay.
  EXPECT_EQ(screen.txtOrigin.Text(), "30301");
  EXPECT_EQ(screen.lblOriginState.Caption(), "GA");
  EXPECT_EQ(screen.lblOriginTerminal.Caption(), "ATL");
  EXPECT_EQ(screen.lblDestinationCity.Caption(), "CHICAGO");
  EXPECT_EQ(record.header().Text(tolv::shipment_header::kTariffName), "TARIFF01");
}

TEST_F(RatingScreenTest, QuarlenKeepsTheDiscountsAndTariffLabelClears) {
  modMain::Settings().SetText(settings::kCompanyName, "Quarlen Freight");
  frmRatingScreen& screen = Screen();
  screen.txtDiscount(2).SetText("35");
  screen.txtWeight(1).SetText("500");
  // A new intrastate tariff withdraws the quote.
  screen.lblIntrastateTariff.SetCaption("GA Intrastate");
  EXPECT_EQ(screen.txtWeight(1).Text(), "");
  EXPECT_EQ(screen.lblIntrastateTariff.Caption(), "");
  EXPECT_EQ(screen.txtDiscount(2).Text(), "35");
}

TEST_F(RatingScreenTest, ZipDisclaimerLooksAtBothPoints) {
  dir_.Write("ZipDisclaimerZips.dat", testkit::ZipDisclaimerZipsFile({{"59000", "59999"}}));
  frmRatingScreen& screen = Screen();
  os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
  header.SetText(tolv::shipment_header::kOriginZip, "30301");
  header.SetText(tolv::shipment_header::kDestinationZip, "59801");
  EXPECT_TRUE(screen.IsZipDisclaimerZip());
  header.SetText(tolv::shipment_header::kDestinationZip, "60601");
  EXPECT_FALSE(screen.IsZipDisclaimerZip());
}

TEST_F(RatingScreenTest, NextPrintLineWorksOnThePendingText) {
  frmRatingScreen& screen = Screen();
  screen.PendingPrintText = "first\r\nsecond";
  EXPECT_EQ(screen.NextPrintLine(), "first");
  EXPECT_EQ(screen.NextPrintLine(), "second");
  EXPECT_EQ(screen.PendingPrintText, "");
}

}  // namespace
}  // namespace frelane
