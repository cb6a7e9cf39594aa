// The quote through the real engine library on the sample data set: a user types the two
// points, a class and a weight key by key, and every caption of the quote is the value
// worked by hand from the sample carrier's tariff and settings.
#include <gtest/gtest.h>

#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/tests/sample_program_fixture.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

using QuoteAcceptanceTest = testing::SampleProgramTest;

// Lane 30310 to 60610 is rate basis 1203: class 100 pays 56.00 a hundredweight below 500 lbs
// and 68 % of it (38.08) from 1000 lbs; the lane's minimum is 105.00. The settings discount
// the charges by 55 % (LTL) and 10 % (minimum), with an MC floor of 85.00 that FloorAdd.dat
// raises by 15.00 on this lane, a fuel surcharge of 18.5 % below 20000 lbs, and the liftgate
// (65.00) is ticked.
TEST_F(QuoteAcceptanceTest, OneLineQuoteTypedKeyByKey) {
  frmRatingScreen& s = Lane("30310", "60610", {1});
  ASSERT_TRUE(s.cboClass(1).HasFocus() || s.cboClass(1).CanTakeFocus());
  user_.TypeInto(s.cboClass(1), "");  // the default class 100 is put in on entry
  EXPECT_EQ(s.cboClass(1).Text(), "100");
  user_.Tab();
  user_.Type("1200");
  user_.Tab();

  EXPECT_EQ(s.lblRate(1).Caption(), "38.08 ");
  EXPECT_EQ(s.lblCharge(1).Caption(), "456.96 ");  // 12 x 38.08
  EXPECT_EQ(s.lblTotalWeightLabel.Caption(), "Total Weight");
  EXPECT_EQ(s.lblTotalWeight.Caption(), "1200");
  EXPECT_EQ(s.lblDeficitLabel.Caption(), "");  // 2000 lbs at 30.80 would cost 616.00
  EXPECT_EQ(s.lblUndiscountedChargeLabel.Caption(), "Undiscounted Charge");
  EXPECT_EQ(s.lblUndiscountedCharge.Caption(), "456.96 ");
  EXPECT_EQ(s.lblDiscountLabel.Caption(), "55.00% Discount");
  EXPECT_EQ(s.lblDiscount.Caption(), "251.33 ");  // 55 % of 456.96 = 251.328
  EXPECT_EQ(s.lblNetLabel.Caption(), "Net Charge");  // above the floor of 100.00
  EXPECT_EQ(s.lblNet.Caption(), "205.63 ");
  EXPECT_EQ(s.lblAccessorialCharge.Caption(), "65.00 ");
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "38.04 ");  // 205.63 x 18.5 % = 38.04155
  EXPECT_EQ(s.lblTotalChargeLabel.Caption(), "Total Charge");
  EXPECT_EQ(s.lblTotalCharge.Caption(), "308.67 ");
}

// 100 lbs of class 100 on the same lane: 56.00, less 55 %, is under the lane's minimum of
// 105.00 (94.50 after its 10 %), and that is under the floor of 85.00 + 15.00.
TEST_F(QuoteAcceptanceTest, MinimumChargeRaisedToTheFloor) {
  frmRatingScreen& s = Lane("30310", "60610", {});
  user_.TypeInto(s.cboClass(1), "100");
  user_.Tab();
  user_.Type("100");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "$15.00 has been added to the MC Floor you entered.");
  user_.Tab();
  EXPECT_EQ(s.lblUndiscountedChargeLabel.Caption(), "Minimum Charge");
  EXPECT_EQ(s.lblUndiscountedCharge.Caption(), "105.00 ");
  EXPECT_EQ(s.lblDiscount.Caption(), "10.50 ");
  EXPECT_EQ(s.lblNetLabel.Caption(), "MC Floor");
  EXPECT_EQ(s.lblNet.Caption(), "100.00 ");
  EXPECT_FALSE(s.lblCharge(1).Visible());
  EXPECT_EQ(s.lblAccessorialCharge.Caption(), "0.00 ");
  EXPECT_EQ(s.lblFuelSurcharge.Caption(), "18.50 ");  // the below-500-lbs rate: LTL
  EXPECT_EQ(s.lblTotalCharge.Caption(), "118.50 ");
}

// The sample's postal-code surcharges sit on lanes the carrier serves: South Dakota adds
// 22.50 from 500 lbs, North Dakota is no service point.
TEST_F(QuoteAcceptanceTest, PostalCodeSurchargesOfServedLanes) {
  frmRatingScreen& s = Lane("30310", "57101", {});
  user_.TypeInto(s.cboClass(1), "100");
  user_.Tab();
  user_.Type("600");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "An additional $ 22.50 surcharge");
  user_.Tab();
  EXPECT_EQ(s.lblAccessorialCharge.Caption(), "22.50 ");
  EXPECT_NE(user_.LastPrompt().find("See Rules Item R-125"), std::string::npos);

  user_.Click(s.btnFileReset, 10, 10);
  Lane("30310", "58501", {});
  user_.TypeInto(s.cboClass(1), "100");
  user_.Tab();
  user_.Type("100");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "This location is not a service point.");
  user_.Tab();
  EXPECT_EQ(s.lblAccessorialCharge.Caption(), "0.00 ");
  EXPECT_NE(user_.LastPrompt().find("R-150"), std::string::npos);
}

// Two Ontario points go on the carrier's Canadian tariff CANDOM01 (tariffs.dat "CN"): Ottawa
// (point 1) to Toronto (point 2) is its rate record 1, rate basis 4102, class 100 at 62.00 a
// hundredweight below 500 lbs and 68 % of it (42.16) from 1000 lbs.
TEST_F(QuoteAcceptanceTest, LaneWithinCanadaRatesOnTheCanadianTariff) {
  // The sample serves the Ontario prefixes too.
  dir_.Write("zipval.dat", testkit::ServedLaneFile({{"000", "966", "000", "966"},
                                                    {"K0A", "P9Z", "K0A", "P9Z"}}));
  frmRatingScreen& s = Lane("K1A0B1", "M5V3L9", {});
  EXPECT_EQ(s.lblRBN.Caption(), "RBN = 4102");
  os::RecordView h = modTolvDeclares32::ShipmentRecord().header();
  EXPECT_EQ(h.Text(tolv::shipment_header::kTariffUsed), "CANDOM01");
  user_.TypeInto(s.cboClass(1), "100");
  user_.Tab();
  user_.Type("1000");
  user_.Tab();
  EXPECT_EQ(s.lblRate(1).Caption(), "42.16 ");
  EXPECT_EQ(s.lblCharge(1).Caption(), "421.60 ");
  EXPECT_TRUE(s.lblTotalCanCharge.Visible());
}

}  // namespace
}  // namespace frelane
