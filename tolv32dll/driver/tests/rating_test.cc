// Shipments rated end to end on the test tariff; every expected figure is worked by hand
// from the tariff's rates (see testkit/driver/test_tariff.h).
#include <algorithm>
#include <cstring>
#include <new>

#include "tolv32dll/driver/tests/rating_fixture.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

// Header fields by record offset.
std::string TotalWeight(const Record& r) { return RatingTest::At(r, 101, 6); }
std::string BilledWeight(const Record& r) { return RatingTest::At(r, 107, 6); }
std::string MinimumCharge(const Record& r) { return RatingTest::At(r, 113, 7); }
std::string DeficitRate(const Record& r) { return RatingTest::At(r, 120, 7); }
std::string DeficitWeight(const Record& r) { return RatingTest::At(r, 127, 6); }
std::string DeficitCharge(const Record& r) { return RatingTest::At(r, 133, 9); }
std::string Charges(const Record& r) { return RatingTest::At(r, 142, 9); }
std::string DiscountAmount(const Record& r) { return RatingTest::At(r, 220, 9); }
std::string MinimumDiscount(const Record& r) { return RatingTest::At(r, 229, 7); }
std::string DiscountPercent(const Record& r) { return RatingTest::At(r, 241, 5); }
std::string Detail(const Record& r, int k) { return RatingTest::At(r, 265 + 30 * k, 27); }

testkit::ShipmentRequest OneLine(const std::string& cls, const std::string& weight) {
  testkit::ShipmentRequest q;
  q.tariff_name = "TESTTR01";
  q.lines = {{cls, weight}};
  return q;
}

const std::vector<std::string> kBlock = {"0500 ", "1000 ", "2500 ", "3000 ", "3000 ",
                                         "3000 ", "3000 ", "3000 ", "3000 ", "3000 "};

TEST_F(RatingTest, PlainLineWithoutDeficit) {
  // 600 lb is at the 500 lb break: 3200 a cwt, 192.00; the 1000 lb break would cost 240.00.
  Record r = Rate(OneLine("100", "600"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTTR01", At(r, 82, 8));
  EXPECT_EQ("       1234", At(r, 90, 11));
  EXPECT_EQ("000600", TotalWeight(r));
  EXPECT_EQ("000600", BilledWeight(r));
  EXPECT_EQ("0095.00", MinimumCharge(r));
  EXPECT_EQ("0000.00", DeficitRate(r));
  EXPECT_EQ("000000", DeficitWeight(r));
  EXPECT_EQ("000000.00", DeficitCharge(r));
  EXPECT_EQ("000192.00", Charges(r));
  EXPECT_EQ("     0.00", DiscountAmount(r));
  EXPECT_EQ("   0.00", MinimumDiscount(r));
  EXPECT_EQ("00.00", DiscountPercent(r));
  EXPECT_EQ("01-01-2024", At(r, 151, 10));
  EXPECT_EQ("021000006000032.00000192.00", Detail(r, 0));
  // Result areas: minimum charge, the matrix, classes, breaks and the one bracket.
  EXPECT_EQ(9500, I32(r, 976));
  const std::int32_t matrix[9] = {2000, 1600, 1200, 4000, 3200, 2400, 8000, 6400, 4800};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(matrix[i], I32(r, 992 + 4 * i)) << i;
  EXPECT_EQ(9999999, I32(r, 992 + 4 * 9));
  EXPECT_EQ(std::string("100\0\0\0", 6), At(r, 1676 + 6, 6));
  EXPECT_EQ(500, I32(r, 1796 + 4));
  EXPECT_EQ(3, r[1876]);
  EXPECT_EQ(3, r[1878]);
  EXPECT_EQ('1', r[1880]);
  EXPECT_EQ(9500, I32(r, 2032));
  EXPECT_EQ(1, r[2154]);
  EXPECT_EQ('*', r[2159]);
}

TEST_F(RatingTest, DeficitWeight) {
  // 450 lb at 4000 = 180.00; rated as 500 lb at 3200: 144.00 + 50 lb deficit 16.00.
  Record r = Rate(OneLine("100", "450"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000450", TotalWeight(r));
  EXPECT_EQ("000500", BilledWeight(r));
  EXPECT_EQ("000050", DeficitWeight(r));
  EXPECT_EQ("0032.00", DeficitRate(r));
  EXPECT_EQ("000016.00", DeficitCharge(r));
  EXPECT_EQ("000160.00", Charges(r));
  EXPECT_EQ("021000004500032.00000144.00", Detail(r, 0));

  // Two lines: the deficit goes at the lowest line rate (class 50 at 500 lb: 1600).
  testkit::ShipmentRequest q = OneLine("100", "300");
  q.lines.push_back({"50", "150"});
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000128.00", Charges(r));
  EXPECT_EQ("0016.00", DeficitRate(r));
  EXPECT_EQ("000008.00", DeficitCharge(r));
  EXPECT_EQ("021000003000032.00000096.00", Detail(r, 0));
  EXPECT_EQ("0250 0001500016.00000024.00", Detail(r, 1));
}

TEST_F(RatingTest, MinimumChargeAboveCharges) {
  Record r = Rate(OneLine("50", "100"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000020.00", Charges(r));
  EXPECT_EQ("0095.00", MinimumCharge(r));

  // With discounts on charges the charges (18.00) stay below the discounted minimum
  // (90.25), so the percent shown is the minimum charge's.
  testkit::ShipmentRequest q = OneLine("50", "100");
  q.discount_switch = 'Y';
  q.block_a = kBlock;
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000018.00", Charges(r));
  EXPECT_EQ("0090.25", MinimumCharge(r));
  EXPECT_EQ("05.00", DiscountPercent(r));
}

TEST_F(RatingTest, DiscountOnCharges) {
  // Break 1 (500 lb) takes value 3, 25 %: 192.00 - 48.00; the minimum 5 %: 95.00 - 4.75.
  testkit::ShipmentRequest q = OneLine("100", "600");
  q.discount_switch = 'Y';
  q.block_a = kBlock;
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000144.00", Charges(r));
  EXPECT_EQ("    48.00", DiscountAmount(r));
  EXPECT_EQ("0090.25", MinimumCharge(r));
  EXPECT_EQ("   4.75", MinimumDiscount(r));
  EXPECT_EQ("25.00", DiscountPercent(r));
  EXPECT_EQ("021000006000032.00000192.00", Detail(r, 0)) << "lines stay undiscounted";
  EXPECT_EQ(3200, I32(r, 992 + 4 * 4)) << "the matrix stays undiscounted";

  // The switch off ignores the block entirely, the minimum charge included.
  q.discount_switch = 'N';
  r = Rate(q);
  EXPECT_EQ("000192.00", Charges(r));
  EXPECT_EQ("0095.00", MinimumCharge(r));
  EXPECT_EQ("     0.00", DiscountAmount(r));
}

TEST_F(RatingTest, DiscountOnRates) {
  // Every cell less its break's percent: 4000 -10 %, 3200 -25 %, 2400 -30 %; the bracket
  // 9500 - 5 % once only.
  testkit::ShipmentRequest q = OneLine("100", "600");
  q.discount_switch = 'Y';
  q.discount_kind = 'R';
  q.block_a = kBlock;
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  const std::int32_t matrix[9] = {1800, 1200, 840, 3600, 2400, 1680, 7200, 4800, 3360};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(matrix[i], I32(r, 992 + 4 * i)) << i;
  EXPECT_EQ(9025, I32(r, 2032));
  EXPECT_EQ("000144.00", Charges(r));
  EXPECT_EQ("     0.00", DiscountAmount(r));
  EXPECT_EQ("0090.25", MinimumCharge(r)) << "the minimum discounted once";
  EXPECT_EQ("   0.00", MinimumDiscount(r));
  EXPECT_EQ("00.00", DiscountPercent(r)) << "no percent taken off the charges";
  EXPECT_EQ("021000006000024.00000144.00", Detail(r, 0));

  // 100 lb at the first break's discounted 36.00 falls below the minimum charge of 90.25:
  // the percent shown is the minimum charge's, 5 %.
  q.lines = {{"100", "100"}};
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000036.00", Charges(r));
  EXPECT_EQ("0090.25", MinimumCharge(r));
  EXPECT_EQ("05.00", DiscountPercent(r));
  q.lines = {{"100", "600"}};

  // Rate discounts, too, need the switch.
  q.discount_switch = 'N';
  r = Rate(q);
  EXPECT_EQ(3200, I32(r, 992 + 4 * 4));
  EXPECT_EQ("0095.00", MinimumCharge(r));
}

TEST_F(RatingTest, AdjustmentFactor) {
  // 1.25: 3200 -> 4000 at 500 lb, 600 lb = 240.00; 9500 -> 11875 (11875.5 truncated).
  testkit::ShipmentRequest q = OneLine("100", "600");
  q.adjustment_factor = "12500";
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000240.00", Charges(r));
  EXPECT_EQ("0118.75", MinimumCharge(r));
  EXPECT_EQ("021000006000040.00000240.00", Detail(r, 0));
  EXPECT_EQ(2500, I32(r, 992));
  for (const char* unity : {"00000", "     "}) {
    q.adjustment_factor = unity;
    EXPECT_EQ("000192.00", Charges(Rate(q))) << unity;
  }
}

TEST_F(RatingTest, ErrorsLeaveTheStatusAndClearTheTables) {
  Record r = testkit::ShipmentRequestBytes(OneLine("85", "600"));
  std::memset(r.data() + 976, 0xff, 16);
  RateShipmentRecord(engine_, r.data());
  EXPECT_EQ("0401", Status(r)) << "class 85 is not in the tariff";
  // The charge block as the rating left it, the engine words included.
  for (std::size_t at : {976, 980, 984, 988}) EXPECT_EQ(0, I32(r, at)) << at;
  EXPECT_EQ(2000, I32(r, 992));
  EXPECT_EQ(0, r[1876]);
  EXPECT_EQ(0, I32(r, 2032));
  EXPECT_EQ("  ", At(r, 178, 2));
  EXPECT_EQ("02", At(r, 265, 2));
  EXPECT_EQ("85 600   ", At(r, 267, 9)) << "details as sent";

  testkit::ShipmentRequest q = OneLine("100", "600");
  q.lines.push_back({"100", "0"});
  EXPECT_EQ("0502", Status(Rate(q)));
  q.lines = {{"100", "600"}, {"50", "100"}, {"200", ""}};
  EXPECT_EQ("0503", Status(Rate(q)));
  q.lines = {{"100", "600000"}, {"100", "400000"}};
  EXPECT_EQ("0241", Status(Rate(q)));

  q = OneLine("100", "600");
  q.origin_zip = "35000";
  EXPECT_EQ("0216", Status(Rate(q)));
  q = OneLine("100", "600");
  q.tariff_name = "TE";
  EXPECT_EQ("0395", Status(Rate(q)));
  q = OneLine("100", "600");
  q.ship_date = "02/30/2024";
  EXPECT_EQ("0396", Status(Rate(q)));
}

std::uint8_t ThrowingQuery(char*, char*) { throw std::bad_alloc(); }
std::uint8_t Answered(char*, char*) { return 1; }
std::uint8_t Terminated() { return 1; }

TEST_F(RatingTest, AThrowingStepEndsAsAnErrorNumber) {
  // A service-guide query that runs out of memory halfway through the shipment.
  ServiceGuideEntryPoints& calls = engine_.service_guide.entry_points;
  calls = {Answered, ThrowingQuery, Answered, Answered, Answered, Answered, Terminated, Answered};
  engine_.service_guide_flag = 'Y';
  std::array<std::uint8_t, 2160> r = testkit::ShipmentRequestBytes(OneLine("100", "600"));
  std::memcpy(r.data() + 215, "C123", 4);
  r[178] = 'Q';
  RateShipmentRecord(engine_, r.data());
  EXPECT_EQ("0201", Status(r)) << "never the blank status of a rated shipment";
  EXPECT_EQ("  ", At(r, 178, 2));
  EXPECT_EQ(0, r[1876]);
  EXPECT_EQ(std::string(9, ' '), Charges(r)) << "the header as sent";

  engine_.service_guide_flag = 'N';
  EXPECT_EQ("000192.00", Charges(Rate(OneLine("100", "600")))) << "the engine rates on";
}

TEST_F(RatingTest, NoLinesRatesTheLaneOnly) {
  testkit::ShipmentRequest q = OneLine("100", "600");
  q.lines.clear();
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000000", TotalWeight(r));
  EXPECT_EQ("000000.00", Charges(r));
  EXPECT_EQ("0095.00", MinimumCharge(r));
  EXPECT_EQ(std::string(27, ' '), Detail(r, 0)) << "no detail slot is rewritten";
}

TEST_F(RatingTest, HeaderCountsAndTextThatDoNotRead) {
  testkit::ShipmentRequest q = OneLine("100", "600");
  for (const char* count : {"21", "99", "-1", "x1", "-"}) {
    q.detail_count = count;
    EXPECT_EQ("0391", Status(Rate(q))) << count;
  }
  // A blank count reads nothing: the lane is rated without lines, as with "00".
  q.detail_count = "  ";
  Record r = Rate(q);
  EXPECT_EQ("    ", Status(r));
  EXPECT_EQ("000000.00", Charges(r));
  EXPECT_EQ("0095.00", MinimumCharge(r));
  q.detail_count = "1x";
  EXPECT_EQ("000192.00", Charges(Rate(q))) << "\"%2hd\" stops at the first other character";
  q.detail_count = "";
  q.ship_date = "ab/cd/efgh";
  EXPECT_EQ("0396", Status(Rate(q)));
  q = OneLine("100", "6x0");
  EXPECT_EQ("0501", Status(Rate(q))) << "a weight that does not read";
}

TEST_F(RatingTest, TheLongestAcceptedDataDirectoryHoldsEveryTariffFileName) {
  const std::string dir =
      testkit::LinkedDirectoryOfLength(data_.path(), kMaxDataDirectory, data_.path());
  RatingEngine engine;
  ASSERT_EQ(kOk, InitializeEngine(engine, dir.c_str()));
  Record r = testkit::ShipmentRequestBytes(OneLine("100", "600"));
  RateShipmentRecord(engine, r.data());
  EXPECT_EQ("    ", Status(r));
  EXPECT_EQ("000192.00", Charges(r));
}

TEST_F(RatingTest, ProcessModeZeroChoosesTheTariffOnly) {
  testkit::ShipmentRequest q = OneLine("100", "600");
  q.process_mode = '0';
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("TESTTR01", At(r, 82, 8));
  EXPECT_EQ("000000.00", Charges(r));
}

// The engine keeps its work buffers from one rating to the next; no rating may see what
// the last one left in them. Each answer must be the one a fresh engine gives, but for the
// result areas of a tariff-only request (mode "0"): those copy the tables of the tariff
// last loaded for rating, which a fresh engine does not have.
TEST_F(RatingTest, ARatingAnswersAsOnAFreshEngineWhateverCameBefore) {
  testkit::ShipmentRequest tariff_only = OneLine("100", "600");
  tariff_only.process_mode = '0';
  testkit::ShipmentRequest unknown_class = OneLine("85", "600");
  testkit::ShipmentRequest unknown_origin = OneLine("100", "600");
  unknown_origin.origin_zip = "35000";
  testkit::ShipmentRequest two_lines = OneLine("50", "450");
  two_lines.lines.push_back({"200", "1200"});
  const std::vector<testkit::ShipmentRequest> sequence = {
      OneLine("100", "600"), tariff_only,    OneLine("200", "1500"), unknown_class,
      two_lines,             unknown_origin, tariff_only,            OneLine("100", "600")};
  constexpr std::size_t kResultAreas = 1676;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    RatingEngine fresh;
    ASSERT_EQ(kOk, InitializeEngine(fresh, data_.path().c_str()));
    Record expected = testkit::ShipmentRequestBytes(sequence[i]);
    RateShipmentRecord(fresh, expected.data());
    const Record got = Rate(sequence[i]);
    const std::size_t compared = sequence[i].process_mode == '0' ? kResultAreas : got.size();
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + compared, expected.begin()))
        << "request " << i;
  }
}

TEST(NoEngineTest, StatusIsNeverLeftBlank) {
  std::array<std::uint8_t, 2160> r = testkit::ShipmentRequestBytes({});
  MarkNoEngine(r.data());
  EXPECT_EQ("0203", RatingTest::At(r, 3, 4));
}

}  // namespace
}  // namespace tolv
