// What the response reports beyond the rated amounts: the weight breaks the rating used and
// the record of a line that does not fit its fields (see testkit/driver/test_tariff.h).
#include <cstring>

#include "tolv32dll/driver/tests/rating_fixture.h"

namespace tolv {
namespace {

using Record = std::array<std::uint8_t, 2160>;

testkit::ShipmentRequest OneLine(const std::string& tariff, const std::string& cls,
                                 const std::string& weight) {
  testkit::ShipmentRequest q;
  q.tariff_name = tariff;
  q.lines = {{cls, weight}};
  return q;
}

// The first four weight breaks of the result area (little-endian, as the tests run).
std::array<std::int32_t, 4> Breaks(const Record& r) {
  std::array<std::int32_t, 4> breaks;
  std::memcpy(breaks.data(), r.data() + 1796, sizeof breaks);
  return breaks;
}

TEST_F(RatingTest, ClassSpecificBreaksAreTheBreaksReported) {
  // Class 100 moves break 1 to 600 lb: 550 lb at 4000 (220.00) is dearer than 600 lb at
  // 3200 (192.00), so 50 lb of deficit is billed from 600.
  Record r = Rate(OneLine("TESTCB01", "100", "550"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("000600", At(r, 107, 6)) << "billed weight";
  EXPECT_EQ("000050", At(r, 127, 6)) << "deficit weight";
  EXPECT_EQ("000192.00", At(r, 142, 9));
  EXPECT_EQ((std::array<std::int32_t, 4>{0, 600, 1000, 0}), Breaks(r));
  EXPECT_EQ(3, r[1878]);

  // Mode "2" prices the matrix only, with the breaks of class 100 all the same.
  testkit::ShipmentRequest q = OneLine("TESTCB01", "100", "550");
  q.process_mode = '2';
  r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ((std::array<std::int32_t, 4>{0, 600, 1000, 0}), Breaks(r));

  // Without class-specific breaks the factor file's list stands.
  r = Rate(OneLine("TESTTR01", "100", "550"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ((std::array<std::int32_t, 4>{0, 500, 1000, 0}), Breaks(r));
}

TEST_F(RatingTest, ARateAtTheLimitOfItsFieldPrints) {
  Record r = Rate(OneLine("TESTBG01", "50", "100"));
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("0250 0001009999.99009999.99", At(r, 265, 27));
  EXPECT_EQ("009999.99", At(r, 142, 9));
}

TEST_F(RatingTest, ALineBeyondItsFieldsLeavesTheHeaderRewrittenAndTheLinesAsSent) {
  // 1000000 cents a hundredweight is one cent beyond the line's rate field; the totals
  // (10000.00) still fit the header's.
  const Record sent = testkit::ShipmentRequestBytes(OneLine("TESTBG01", "100", "100"));
  Record r = sent;
  RateShipmentRecord(engine_, r.data());
  EXPECT_EQ("0145", Status(r));
  EXPECT_EQ("TESTBG01", At(r, 82, 8));
  EXPECT_EQ("        888", At(r, 90, 11));
  EXPECT_EQ("000100", At(r, 101, 6)) << "total weight";
  EXPECT_EQ("0095.00", At(r, 113, 7)) << "minimum charge";
  EXPECT_EQ("010000.00", At(r, 142, 9)) << "charges";
  EXPECT_EQ("01-01-2024", At(r, 151, 10));
  EXPECT_EQ("  ", At(r, 178, 2));
  EXPECT_EQ(0, std::memcmp(sent.data() + 264, r.data() + 264, 20 * 30)) << "details as sent";
  EXPECT_EQ(0, r[1876]) << "tables cleared";
  EXPECT_EQ(0, I32(r, 1800));

  // A header amount that does not fit leaves the whole header as sent.
  Record heavy = testkit::ShipmentRequestBytes(OneLine("TESTBG01", "100", "999999"));
  const Record heavy_sent = heavy;
  RateShipmentRecord(engine_, heavy.data());
  EXPECT_EQ("0145", Status(heavy));
  EXPECT_EQ(At(heavy_sent, 82, 264 - 82), At(heavy, 82, 264 - 82));
}

TEST_F(RatingTest, ANegativePercentPrintsWithAPointInAnyLocale) {
  // Charges of 20.00 stay below the minimum charge, so the shipment's percent is the
  // minimum-charge value: -5 %, which raises the minimum to 99.75.
  testkit::ShipmentRequest q = OneLine("TESTTR01", "50", "100");
  q.discount_switch = 'Y';
  q.block_a = {"-500 ", "0000 ", "0000 ", "0000 ", "0000 ",
               "0000 ", "0000 ", "0000 ", "0000 ", "0000 "};
  Record r = Rate(q);
  ASSERT_EQ("    ", Status(r));
  EXPECT_EQ("0099.75", At(r, 113, 7));
  EXPECT_EQ("-5.00", At(r, 241, 5));
}

}  // namespace
}  // namespace tolv
