// Border shipments in two legs, lane-point twins, bureau tariff types, factor-set reloads,
// the process modes and the last-shipment key, rated end to end on the test tariffs; every
// expected figure is worked by hand from testkit/driver/test_tariff.h.
#include "tolv32dll/driver/response_format.h"
#include "tolv32dll/driver/tests/rating_fixture.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

std::string MinimumCharge(const Record& r) { return RatingTest::At(r, 113, 7); }
std::string Charges(const Record& r) { return RatingTest::At(r, 142, 9); }
std::string Detail(const Record& r, int k) { return RatingTest::At(r, 265 + 30 * k, 27); }

testkit::ShipmentRequest Lane(const std::string& tariff, const std::string& destination,
                              const std::string& cls = "100", const std::string& weight = "600") {
  testkit::ShipmentRequest q;
  q.tariff_name = tariff;
  q.destination_zip = destination;
  q.lines = {{cls, weight}};
  return q;
}

TEST_F(RatingTest, MexicanShipmentAddsBothLegs) {
  // 15000 to the crossing 78040: 1600 at 500 lb; 78040 to 44100M: 800. 600 lb at 2400 is
  // 144.00 (1000 lb at 1200 + 600 would be 180.00); minimum 50.00 + 30.00.
  Record r = Rate(Lane("TESTMX01", "44100M"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000144.00", Charges(r));
  EXPECT_EQ("0080.00", MinimumCharge(r));
  EXPECT_EQ("021000006000024.00000144.00", Detail(r, 0));
  EXPECT_EQ("TESTMX01", At(r, 82, 8));
  EXPECT_EQ("        502", At(r, 90, 11)) << "the second leg's rate basis";
  EXPECT_EQ(2400, I32(r, 992 + 4 * 4));
  EXPECT_EQ(8000, I32(r, 2032));
  EXPECT_EQ("44100M", At(r, 55, 6)) << "the request's point comes back as sent";

  // From Mexico the legs run the other way over the same crossing.
  testkit::ShipmentRequest q = Lane("TESTMX01", "15000");
  q.origin_zip = "44100M";
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000144.00", Charges(r));

  // "S": the second leg alone, 600 lb at 800; "P": the first leg alone, 600 lb at 1600.
  q = Lane("TESTMX01", "44100M");
  q.process_mode = 'S';
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000048.00", Charges(r));
  EXPECT_EQ("0030.00", MinimumCharge(r));
  q.process_mode = 'P';
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000096.00", Charges(r));
  EXPECT_EQ("0050.00", MinimumCharge(r));
}

TEST_F(RatingTest, MexicanShipmentErrors) {
  testkit::ShipmentRequest q = Lane("TESTMX01", "44100M");
  q.origin_zip = "45000M";
  EXPECT_EQ("0384", Status(Rate(q))) << "both points Mexican";
  EXPECT_EQ("0385", Status(Rate(Lane("TESTMX01", "25000")))) << "a Mexican tariff, no Mexican point";
  EXPECT_EQ("0386", Status(Rate(Lane("TESTTR01", "44100M")))) << "a US tariff";
  EXPECT_EQ("0236", Status(Rate(Lane("TESTMX01", "54100M")))) << "no crossing";
  Record r = Rate(Lane("TESTMX01", "44100M", "85"));
  EXPECT_EQ("0401", Status(r)) << "a class neither leg prices";
  EXPECT_EQ(0, I32(r, 2032));
}

TEST_F(RatingTest, LanePointTariffFallsBackOnItsTwin) {
  // TESTLA01 has no 65000: its twin TESTLA0N rates the lane, 600 lb at 2400.
  Record r = Rate(Lane("TESTLA01", "65000"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTLA0N", At(r, 82, 8));
  EXPECT_EQ("000144.00", Charges(r));
  EXPECT_EQ("0040.00", MinimumCharge(r));
  // A lane the tariff holds stays with it: 600 lb at 3200.
  r = Rate(Lane("TESTLA01", "25000"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTLA01", At(r, 82, 8));
  EXPECT_EQ("000192.00", Charges(r));
  EXPECT_EQ("0060.00", MinimumCharge(r));
  // A tariff whose sixth character is 'N' has no twin to fall back on.
  EXPECT_EQ("0217", Status(Rate(Lane("TESTLN01", "65000"))));
}

TEST_F(RatingTest, BureauTariffTypeFactors) {
  // Type factors 1.2 on the minimum (9500 -> 11400) and 1.1 on breaks 1-6 (3200 -> 3520).
  Record r = Rate(Lane("TESTBU01", "25000"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTBU01", At(r, 82, 8)) << "the requested name is the tariff used";
  EXPECT_EQ("000211.20", Charges(r));
  EXPECT_EQ("0114.00", MinimumCharge(r));
  EXPECT_EQ("021000006000035.20000211.20", Detail(r, 0));
  EXPECT_EQ(8800, I32(r, 992 + 4 * 6)) << "class 200 at 0 lb: 8000 x 1.1";
  EXPECT_EQ("0216", Status(Rate([] {
              testkit::ShipmentRequest q = Lane("TESTBU01", "25000");
              q.origin_zip = "35000";
              return q;
            }())));
}

TEST_F(RatingTest, RateRecordReloadsItsFactorSet) {
  // 1200 lb in all, at the 1000 lb break: the record of factor set 3 prices it at 1800 x 2.0
  // for class 200 and x 0.5 for class 50; block 1 would leave both at 1800.
  testkit::ShipmentRequest q = Lane("TESTEE01", "25000", "200");
  q.lines.push_back({"50", "600"});
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("022000006000036.00000216.00", Detail(r, 0));
  EXPECT_EQ("0250 0006000009.00000054.00", Detail(r, 1));
  EXPECT_EQ("000270.00", Charges(r));
  EXPECT_EQ(1, engine_.current_tariff.tariff_number) << "the selection keeps its number";
}

TEST_F(RatingTest, LetterHFloorHoldsTheDiscountedMinimumCharge) {
  // The record's minimum 70.00 is one bracket, scaled by the second table's value after the
  // last break: 77.00. Without a discount the floor of 50.00 lies below it.
  testkit::ShipmentRequest q = Lane("TESTEH01", "25000");
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("0077.00", MinimumCharge(r));
  EXPECT_EQ(7700, I32(r, 2032));
  // A 50 % minimum-charge discount takes 38.50 off; the floor holds it at 50.00, so the
  // discount shown is 27.00.
  q.discount_switch = 'Y';
  q.block_a = {"5000 "};
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("0050.00", MinimumCharge(r));
  EXPECT_EQ("  27.00", At(r, 229, 7)) << "MinimumDiscount";
}

TEST(DiscountAmountsTest, FloorAboveTheUndiscountedMinimumShowsNoDiscount) {
  ResponseTerms terms;
  terms.discount_on = true;
  terms.discount_marker = "D%";
  terms.discount_values[0] = 50;
  ShipmentTotals totals;
  totals.minimum_charge = 7700;
  totals.sum_with_deficit = 5000;
  // 77.00 less half is 38.50; a floor of 80.00 raises the minimum above the undiscounted one.
  ResponseAmounts a = DiscountAmounts(terms, totals, 8000);
  EXPECT_EQ(8000, a.minimum_charge);
  EXPECT_EQ(0, a.minimum_discount);
  // A floor between the two leaves the discount down to it.
  a = DiscountAmounts(terms, totals, 5000);
  EXPECT_EQ(5000, a.minimum_charge);
  EXPECT_EQ(2700, a.minimum_discount);
}

TEST(DiscountAmountsTest, ThePercentShownIsTheBreaksOnChargeDiscountsAndNoneOnRateDiscounts) {
  ResponseTerms terms;
  terms.discount_on = true;
  terms.discount_marker = "D%";
  terms.discount_values = {10, 20, 25};
  ShipmentTotals totals;
  totals.minimum_charge = 7700;
  totals.sum_with_deficit = 12000;
  totals.chosen_break = 1;  // element 3: 25 %
  // On the charges: 120.00 less 25 % is 90.00, above the minimum 77.00 less 10 %.
  ResponseAmounts a = DiscountAmounts(terms, totals, 0);
  EXPECT_EQ(9000, a.charges);
  EXPECT_EQ(6930, a.minimum_charge);
  EXPECT_FLOAT_EQ(25, a.discount_percent);
  // On the rates: nothing comes off the charges or the minimum here, and no percent shows.
  terms.discount_kind = 'R';
  a = DiscountAmounts(terms, totals, 0);
  EXPECT_EQ(12000, a.charges);
  EXPECT_EQ(7700, a.minimum_charge);
  EXPECT_FLOAT_EQ(0, a.discount_percent);
  // Charges below the minimum show the minimum charge's percent, either way.
  totals.sum_with_deficit = 5000;
  EXPECT_FLOAT_EQ(10, DiscountAmounts(terms, totals, 0).discount_percent);
  terms.discount_kind = 'C';
  EXPECT_FLOAT_EQ(10, DiscountAmounts(terms, totals, 0).discount_percent);
}

TEST_F(RatingTest, ProcessModeTwoPricesTheMatrixOnly) {
  testkit::ShipmentRequest q = Lane("TESTTR01", "25000");
  q.process_mode = '2';
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ(3200, I32(r, 992 + 4 * 4));
  EXPECT_EQ(9500, I32(r, 2032));
  EXPECT_EQ("000000.00", Charges(r));
  EXPECT_EQ("021000006000000.00000000.00", Detail(r, 0));
  q.lines = {{"85", "600"}};
  EXPECT_EQ("0401", Status(Rate(q))) << "classes are still checked";
}

// A shipment rated again gives the same record, also after another lane and after an
// error in between: nothing of one rating is kept for the next.
TEST_F(RatingTest, EachRatingStandsOnItsOwn) {
  const testkit::ShipmentRequest q = Lane("TESTTR01", "25000");
  Record first = Rate(q);
  ASSERT_EQ("    ", Status(first));
  EXPECT_EQ(first, Rate(q));
  Record other = Rate(Lane("TESTTR01", "15000"));
  EXPECT_EQ("        777", At(other, 90, 11));
  EXPECT_EQ("0401", Status(Rate(Lane("TESTTR01", "25000", "85"))));
  EXPECT_EQ(first, Rate(q));
}

}  // namespace
}  // namespace tolv
