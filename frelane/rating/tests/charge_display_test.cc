// The quote on the screen, worked by hand from the engine's answer: the lines packed into the
// record, every caption of the result area and its rows, through the headless driver with a
// scripted engine.
#include <gtest/gtest.h>
#include <sys/stat.h>


#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/outputs_fixture.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/lookup_files.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/runtime/locale.h"
#include "testkit/app/fake_engine.h"
#include "testkit/quote/quote_files.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

namespace hdr = tolv::shipment_header;
namespace det = tolv::shipment_detail;
namespace rec = tolv::shipment_record;
using forms::MsgBoxResult;

// What the scripted engine writes back, as the engine formats its fields.
struct Answer {
  std::string status;
  std::string total_weight = "001750";
  std::string billed_weight = "001750";
  std::string minimum = "0095.00";
  std::string charges = "000301.95";
  std::string discount_amount = "   100.65";
  std::string minimum_discount = "  23.75";
  std::string percent = "25.00";
  std::string deficit_weight = "000000";
  std::string deficit_rate = "0000.00";
  std::string deficit_charge = "000000.00";
  std::vector<std::pair<std::string, std::string>> lines = {{"0019.65", "000245.60"},
                                                            {"0031.40", "000157.00"}};
};

// A tariff of two classes and six weight breaks, rates in cents.
void WriteTariff(tolv::ShipmentRecord& r) {
  os::RecordView v = r.view();
  v.SetI16(rec::kClassCount, 2);
  v.SetI16(rec::kWeightBreakCount, 6);
  v.SetText(rec::kClassCode.Nth(0), "100");
  v.SetText(rec::kClassCode.Nth(1), "70");
  const int breaks[] = {500, 1000, 2000, 5000, 10000, 20000};
  const int rates[] = {4000, 3500, 3140, 2800, 2400, 2000, 2400, 1965, 1700, 1500, 1300, 1000};
  for (std::size_t i = 0; i < 6; ++i) v.SetI32(rec::kWeightBreak.Nth(i), breaks[i]);
  for (std::size_t i = 0; i < 12; ++i) v.SetI32(rec::kRateMatrix.Nth(i), rates[i]);
}

class ChargeDisplayTest : public ::testing::Test {
 protected:
  ChargeDisplayTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = modMain::LaneState{};
    auto engine = std::make_unique<testkit::FakeEngine>();
    engine->rate = [this](ShipmentBytes bytes) {
      ++ratings_;
      tolv::ShipmentRecord r = tolv::ShipmentRecord::FromBytes(bytes.data());
      os::RecordView h = r.header();
      h.SetText(hdr::kStatus, answer_.status);
      h.SetText(hdr::kTotalWeight, answer_.total_weight);
      h.SetText(hdr::kBilledWeight, answer_.billed_weight);
      h.SetText(hdr::kMinimumCharge, answer_.minimum);
      h.SetText(hdr::kCharges, answer_.charges);
      h.SetText(hdr::kDiscountAmount, answer_.discount_amount);
      h.SetText(hdr::kMinimumDiscount, answer_.minimum_discount);
      h.SetText(hdr::kDiscountPercent, answer_.percent);
      h.SetText(hdr::kDeficitWeight, answer_.deficit_weight);
      h.SetText(hdr::kDeficitRate, answer_.deficit_rate);
      h.SetText(hdr::kDeficitCharge, answer_.deficit_charge);
      for (std::size_t i = 0; i < answer_.lines.size(); ++i) {
        r.detail(i).SetText(det::kRate, answer_.lines[i].first);
        r.detail(i).SetText(det::kCharge, answer_.lines[i].second);
      }
      WriteTariff(r);
      r.CopyTo(bytes.data());
    };
    modTolvDeclares32::InstallEngine(std::move(engine));
    modMain::Get().data_directory = dir_.path();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetI16(settings::kDiscountCount, 3);
    s.SetOn(settings::kPricePerUnitOffered, true);
    s.SetOn(settings::kPricePerUnitDefault, true);
    s.SetF64(settings::kLtlFuelSurcharge, 12.5);
    s.SetF64(settings::kLtlFuelSurchargeFloor, 10);
    s.SetF64(settings::kTlFuelSurcharge, 8);
    s.SetF64(settings::kTlFuelSurchargeFloor, 150);
    s.SetI32(settings::kFuelSurchargeWeightThreshold, 20000);
    screen_ = &app_.Get<frmRatingScreen>();
    screen_->Show();
    testing::IgnorePointBoxes(*screen_);
    SetLane("30310", "60610", "C");
  }
  void TearDown() override {
    modMain::Lane() = modMain::LaneState{};
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  void SetLane(const std::string& origin, const std::string& destination,
               const std::string& kind) {
    screen_->txtOrigin.SetText(origin);
    screen_->txtDestination.SetText(destination);
    os::RecordView h = modTolvDeclares32::ShipmentRecord().header();
    h.SetText(hdr::kOriginZip, origin);
    h.SetText(hdr::kDestinationZip, destination);
    h.SetText(hdr::kDiscountKind, kind);
  }
  void Line(int i, const std::string& freight_class, const std::string& weight) {
    screen_->cboClass(i).SetText(freight_class);
    screen_->txtWeight(i).SetText(weight);
  }
  std::string Slot(int slot, const os::Field& f) {
    return std::as_const(modTolvDeclares32::ShipmentRecord())
        .detail(static_cast<std::size_t>(slot - 1))
        .Text(f);
  }
  std::string Header(const os::Field& f) {
    return std::as_const(modTolvDeclares32::ShipmentRecord()).header().Text(f);
  }
  void TwoLines() {
    Line(1, "70", "1250");
    Line(2, "100", "500");
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
  frmRatingScreen* screen_ = nullptr;
  Answer answer_;
  int ratings_ = 0;
};

TEST_F(ChargeDisplayTest, PlainTwoLineQuoteDiscountedOnCharges) {
  TwoLines();
  // A slot left from an earlier, longer shipment.
  modTolvDeclares32::ShipmentRecord().detail(2).SetText(det::kClass, "55");
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  EXPECT_EQ(Header(hdr::kDetailCount), "02");
  EXPECT_EQ(Slot(1, det::kClass), "70");
  EXPECT_EQ(Slot(2, det::kWeight), "500");
  EXPECT_EQ(Slot(3, det::kClass), "500");
  EXPECT_EQ(Slot(3, det::kWeight), "0");
  EXPECT_EQ(s.lblRate(1).Caption(), "19.65 ");
  EXPECT_EQ(s.lblCharge(1).Caption(), "245.60 ");
  EXPECT_EQ(s.lblRate(2).Caption(), "31.40 ");
  EXPECT_EQ(s.lblCharge(2).Caption(), "157.00 ");
  EXPECT_EQ(Slot(1, det::kRate), "19.65");
  EXPECT_EQ(Slot(1, det::kCharge), "245.60");
  EXPECT_EQ(s.lblDeficitLabel.Caption(), "");
  EXPECT_EQ(s.lblTotalWeightLabel.Caption(), "Total Weight");
  EXPECT_EQ(s.lblTotalWeight.Caption(), "1750");
  EXPECT_EQ(s.lblUndiscountedChargeLabel.Caption(), "Undiscounted Charge");
  EXPECT_EQ(s.lblUndiscountedCharge.Caption(), "402.60 ");
  EXPECT_EQ(s.lblDiscountLabel.Caption(), "25.00% Discount");
  EXPECT_EQ(s.lblDiscount.Caption(), "100.65 ");
  EXPECT_EQ(s.lblNetLabel.Caption(), "Net Charge");
  EXPECT_EQ(s.lblNet.Caption(), "301.95 ");
  // 301.95 x 12.5 % = 37.74375: the LTL pair, the 1000-lb break of class 70.
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "37.74 ");
  EXPECT_EQ(s.lblTotalChargeLabel.Caption(), "Total Charge");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "339.69 ");
  EXPECT_FALSE(s.lblAccessorialChargeLabel.Visible());
  for (forms::Control* c : {static_cast<forms::Control*>(&s.lblDiscountLabel),
                            static_cast<forms::Control*>(&s.lblNetLabel),
                            static_cast<forms::Control*>(&s.Line1),
                            static_cast<forms::Control*>(&s.lblTotalChargeLabel),
                            static_cast<forms::Control*>(&s.Line3),
                            static_cast<forms::Control*>(&s.lblFuelSurchargeLabel)}) {
    EXPECT_TRUE(c->Visible()) << c->Name();
  }
  EXPECT_FALSE(s.lblTotalCanChargeLabel.Visible());
  EXPECT_TRUE(s.lblRate(1).Visible());

  // Units: 339.69 / 3 = 113.23; none or 0 leaves the price per unit empty.
  user_.TypeInto(s.txtPPU, "3");
  EXPECT_EQ(s.lblPPU.Caption(), "113.23 ");
  s.txtPPU.SetText("0");
  EXPECT_EQ(s.lblPPU.Caption(), "");
}

TEST_F(ChargeDisplayTest, PackingSkipsIncompleteLinesAndMapsClasses) {
  Line(1, "92.5", "300");
  Line(2, "85", "");
  Line(3, "85", "400");
  screen_->lblRate(2).SetCaption("kept");
  answer_.lines = {{"0040.00", "000120.00"}, {"0035.00", "000140.00"}};
  screen_->CalculateCharges();
  EXPECT_EQ(Header(hdr::kDetailCount), "02");
  EXPECT_EQ(Slot(1, det::kClass), "92");
  EXPECT_EQ(Slot(2, det::kClass), "85");
  EXPECT_EQ(screen_->lblRate(3).Caption(), "35.00 ");
  EXPECT_EQ(screen_->lblRate(2).Caption(), "kept");

  // FAK in force: 85 goes to the engine as 70; the box still shows 85.
  modMain::Get().fak.map[11] = 70;  // class table element 12 is 85
  modMain::Get().fak.active = true;
  screen_->CalculateCharges();
  EXPECT_EQ(Slot(2, det::kClass), "70");
  EXPECT_EQ(screen_->cboClass(3).Text(), "85");
}

TEST_F(ChargeDisplayTest, DeficitWeightQuote) {
  Line(1, "100", "400");
  answer_ = Answer{};
  answer_.total_weight = "000400";
  answer_.billed_weight = "000500";
  answer_.deficit_weight = "000100";
  answer_.deficit_rate = "0035.00";
  answer_.deficit_charge = "000035.00";
  answer_.charges = "000175.00";
  answer_.discount_amount = "     0.00";
  answer_.percent = "00.00";
  answer_.lines = {{"0035.00", "000140.00"}};
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  EXPECT_EQ(s.lblDeficitLabel.Caption(), "Deficit Weight");
  EXPECT_EQ(s.lblDeficitWeight.Caption(), "100");
  EXPECT_EQ(s.lblDeficitRate.Caption(), "35.00 ");
  EXPECT_EQ(s.lblDeficitCharge.Caption(), "35.00 ");
  EXPECT_EQ(s.lblTotalWeightLabel.Caption(), "Billed Weight");
  EXPECT_EQ(s.lblTotalWeight.Caption(), "500");
  EXPECT_EQ(s.lblDiscountLabel.Caption(), "0.00% Discount");
  EXPECT_EQ(s.lblUndiscountedCharge.Caption(), "175.00 ");
  EXPECT_EQ(s.lblNet.Caption(), "175.00 ");
  // 175.00 x 12.5 % = 21.875 (the 500-lb break of class 100).
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "21.88 ");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "196.88 ");
  EXPECT_EQ(Header(hdr::kDeficitCharge), "35.00");
}

TEST_F(ChargeDisplayTest, MinimumChargeRaisedToTheFloorWithItsAddition) {
  Line(1, "100", "100");
  answer_.total_weight = answer_.billed_weight = "000100";
  answer_.charges = "000026.25";
  answer_.discount_amount = "     8.75";
  answer_.minimum = "0071.25";  // 95.00 less 25 %
  answer_.lines = {{"0035.00", "000035.00"}};
  modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(75);
  dir_.Write("FloorAdd.dat", testkit::FloorAddLine("30000", "30999", "60000", "60999", 500));
  user_.ExpectMsgBox(MsgBoxResult::kOK, "$5.00 has been added to the MC Floor you entered.");
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  EXPECT_EQ(s.lblUndiscountedChargeLabel.Caption(), "Minimum Charge");
  EXPECT_EQ(s.lblUndiscountedCharge.Caption(), "95.00 ");
  EXPECT_EQ(s.lblDiscount.Caption(), "23.75 ");
  EXPECT_EQ(s.lblNetLabel.Caption(), "MC Floor");
  EXPECT_EQ(s.lblNet.Caption(), "80.00 ");
  EXPECT_FALSE(s.lblCharge(1).Visible());
  EXPECT_FALSE(s.lblRate(8).Visible());
  // 80.00 x 12.5 % = 10.00, equal to the LTL floor: it stays.
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "10.00 ");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "90.00 ");

  // A net exactly at the floor is the net charge; one cent below takes the floor.
  dir_.Write("FloorAdd.dat", "");
  modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(71.25);
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblNetLabel.Caption(), "Net Charge");
  modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(71.26);
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblNetLabel.Caption(), "MC Floor");
  EXPECT_EQ(s.lblNet.Caption(), "71.26 ");
}

// Floor files that are there but cannot be read (here pipes) are named once each; the quote goes on
// without their floor or addition.
TEST_F(ChargeDisplayTest, UnreadableFloorFilesAreNamedOnce) {
  lookup::ForgetReports();
  TwoLines();
  ASSERT_EQ(::mkfifo(dir_.File("FloorAdd.dat").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(dir_.File("FloorsUO.dat").c_str(), 0600), 0);
  modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(75);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Unable to read FloorAdd.dat");
  screen_->CalculateCharges();
  EXPECT_EQ(screen_->lblNet.Caption(), "301.95 ");
  screen_->CalculateCharges();

  modMain::Lane().LaneMcFloor = runtime::Currency{};
  modMain::Settings().SetOn(settings::kFloorMatrixInUse, true);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Unable to read FloorsUO.dat");
  screen_->CalculateCharges();
  EXPECT_EQ(screen_->lblNetLabel.Caption(), "Net Charge");
  lookup::ForgetReports();
}

TEST_F(ChargeDisplayTest, DiscountOnRatesHidesTheDiscountRow) {
  SetLane("30310", "60610", "R");
  TwoLines();
  answer_.charges = "000301.95";
  answer_.discount_amount = "     0.00";
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  EXPECT_EQ(s.lblDiscountLabel.Caption(), "Discount");
  EXPECT_EQ(s.lblUndiscountedChargeLabel.Caption(), "Discounted Charge");
  EXPECT_EQ(s.lblUndiscountedCharge.Caption(), "301.95 ");
  EXPECT_FALSE(s.lblDiscountLabel.Visible());
  EXPECT_FALSE(s.lblDiscount.Visible());
  EXPECT_FALSE(s.lblNetLabel.Visible());
  EXPECT_FALSE(s.Line1.Visible());
  EXPECT_EQ(s.lblTotalCharge.Caption(), "339.69 ");

  modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(400);
  screen_->CalculateCharges();
  EXPECT_TRUE(s.lblNetLabel.Visible());
  EXPECT_EQ(s.lblNet.Caption(), "400.00 ");
}

TEST_F(ChargeDisplayTest, AccessorialsWithMinimumMaximumAndPostalSurcharge) {
  modMain::Settings().SetOn(settings::kAccessorialPromptOffered, true);
  dir_.Write("accchg.dat", testkit::AccessorialChargesFile(
                               {{"Liftgate", 3, 75, 0, 60}, {"Inside Delivery~+", 2, 4, 50}}));
  dir_.Write("AccAdjustment.dat",
             testkit::ZipAdjustmentsFile({{"30300", "30399", 0, 0, 35, "120"}}));
  frmAccessorialCharges& dialog = app_.Get<frmAccessorialCharges>();
  dialog.chkAccessorialCharge(1).SetValue(1);
  dialog.chkAccessorialCharge(2).SetValue(1);
  TwoLines();
  user_.ExpectMsgBox(MsgBoxResult::kOK,
                     "An additional $ 35.00 surcharge applies to this zip/postal code. \r\n"
                     "See Rules Item 120");
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  // Liftgate 75.00 capped at 60.00; inside delivery 17.50 x 4.00 = 70.00; surcharge 35.00.
  EXPECT_EQ(s.lblAccessorialCharge.Caption(), "165.00 ");
  EXPECT_TRUE(s.lblAccessorialChargeLabel.Visible());
  // (301.95 + 70.00) x 12.5 % = 46.49375.
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "46.49 ");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "513.44 ");

  // Switched off, the old accessorial amount no longer counts.
  modMain::Settings().SetOn(settings::kAccessorialPromptOffered, false);
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblAccessorialCharge.Caption(), "");
  EXPECT_FALSE(s.lblAccessorialChargeLabel.Visible());
  EXPECT_EQ(s.lblTotalCharge.Caption(), "339.69 ");
}

TEST_F(ChargeDisplayTest, PostalCodeNotesAreShownWithoutAnAmount) {
  modMain::Settings().SetOn(settings::kAccessorialPromptOffered, true);
  dir_.Write("AccAdjustment.dat",
             testkit::ZipAdjustmentsFile({{"60600", "60699", 0, 0, -1, "140"},
                                          {"30300", "30399", 0, 0, -3, "160"}}));
  TwoLines();
  // Origin -3 with destination -1 is a pair no rule names: no message, no amount.
  screen_->CalculateCharges();
  EXPECT_EQ(screen_->lblAccessorialCharge.Caption(), "0.00 ");
  EXPECT_EQ(screen_->lblTotalCharge.Caption(), "339.69 ");
}

TEST_F(ChargeDisplayTest, FuelSurchargeFloorAndTruckloadWeights) {
  frmRatingScreen& s = *screen_;
  // Below the LTL floor: 40.00 x 12.5 % = 5.00, raised to 10.00.
  Line(1, "100", "100");
  answer_.total_weight = answer_.billed_weight = "000100";
  answer_.minimum = "0000.00";
  answer_.charges = "000040.00";
  answer_.discount_amount = "     0.00";
  answer_.lines = {{"0040.00", "000040.00"}};
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "10.00 ");

  // A line rated in the 20000-lb break with the threshold at 20000: the TL pair.
  Line(1, "100", "25000");
  answer_.total_weight = answer_.billed_weight = "025000";
  answer_.charges = "005000.00";
  answer_.lines = {{"0020.00", "005000.00"}};
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Spot Quote");
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "400.00 ");
  // The same line in the 10000-lb break: LTL.
  answer_.lines = {{"0024.00", "005000.00"}};
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Spot Quote");
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "625.00 ");
  // No rate of the matrix: no surcharge and no floor.
  answer_.lines = {{"0024.01", "005000.00"}};
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Spot Quote");
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "0.00 ");
  // 40000 lbs is truckload whatever the lines: 8 % of 5000.00, above its floor of 150.
  answer_.total_weight = "040000";
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Spot Quote");
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "400.00 ");
}

TEST_F(ChargeDisplayTest, DecimalCommaLocale) {
  runtime::ScopedLocale comma({',', '.'});
  modMain::Get().decimal_character = ',';
  TwoLines();
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  EXPECT_EQ(s.lblRate(1).Caption(), "19,65 ");
  EXPECT_EQ(s.lblNet.Caption(), "301,95 ");
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "37,74 ");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "339,69 ");
  EXPECT_EQ(s.lblDiscountLabel.Caption(), "25,00% Discount");
}

TEST_F(ChargeDisplayTest, CanadianQuoteAndBackToUs) {
  modMain::Settings().SetF64(settings::kCanadianExchangeFactor, 5);
  SetLane("K1A0B1", "60610", "C");
  TwoLines();
  screen_->CalculateCharges();
  frmRatingScreen& s = *screen_;
  EXPECT_EQ(s.lblTotalChargeLabel.Caption(), "Total US Charge");
  // 339.69 x 5 % = 16.9845.
  EXPECT_EQ(s.lblCanCurrencyExchange.Caption(), "16.98 ");
  EXPECT_EQ(s.lblTotalCanCharge.Caption(), "356.67 ");
  EXPECT_TRUE(s.lblTotalCanChargeLabel.Visible());
  EXPECT_FALSE(s.Line3.Visible());
  user_.TypeInto(s.txtPPU, "3");
  EXPECT_EQ(s.lblPPU.Caption(), "118.89 ");

  SetLane("30310", "60610", "C");
  TwoLines();
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblTotalChargeLabel.Caption(), "Total Charge");
  EXPECT_EQ(s.lblTotalCanCharge.Caption(), "");
  EXPECT_FALSE(s.lblCanCurrencyExchangeLabel.Visible());

  // Without an exchange factor a Canadian point shows no Canadian rows.
  modMain::Settings().SetF64(settings::kCanadianExchangeFactor, 0);
  SetLane("K1A0B1", "60610", "C");
  TwoLines();
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblTotalChargeLabel.Caption(), "Total Charge");
}

TEST_F(ChargeDisplayTest, EngineErrorsSpotQuoteLimitAndEmptyRatings) {
  frmRatingScreen& s = *screen_;
  // A zero total weight changes nothing on the screen, even without lines.
  s.lblTotalCharge.SetCaption("old");
  answer_.total_weight = "000000";
  screen_->CalculateCharges();
  EXPECT_EQ(Header(hdr::kDetailCount), "00");
  EXPECT_EQ(ratings_, 1);
  EXPECT_EQ(s.lblTotalCharge.Caption(), "old");

  // The spot-quote limit: notice, lane buttons off, shipment cleared.
  modMain::Settings().SetI32(settings::kSpotQuoteWeightLimit, 5000);
  TwoLines();
  answer_.total_weight = "005000";
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblTotalCharge.Caption(), "339.69 ") << "equal to the limit";
  answer_.total_weight = "005001";
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Spot Quote");
  screen_->CalculateCharges();
  EXPECT_EQ(s.lblTotalCharge.Caption(), "");
  EXPECT_EQ(s.cboClass(1).Text(), "");
  EXPECT_FALSE(s.mnuViewRateBlockAlternation.Enabled());
  // The notice's three lines are short enough for a message box to show them unbroken.
  const std::string notice = user_.LastPrompt();
  int lines = 0;
  for (std::size_t start = 0; start <= notice.size(); ++lines) {
    std::size_t end = std::min(notice.find("\r\n", start), notice.size());
    EXPECT_LE(end - start, 56u) << notice.substr(start, end - start);
    start = end + 2;
  }
  EXPECT_EQ(lines, 3);

  // An engine status: the message, then File > Reset.
  TwoLines();
  answer_.status = "0216";
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Charges can not be calculated.  Contact the carrier");
  screen_->CalculateCharges();
  EXPECT_EQ(s.txtOrigin.Text(), "");
  EXPECT_EQ(Header(hdr::kStatus), "0216");
}

}  // namespace
}  // namespace frelane
