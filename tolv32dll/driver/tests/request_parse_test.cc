// The request as the engine reads it: discount blocks and the factor text.
#include <gtest/gtest.h>

#include "testkit/driver/shipment_request.h"
#include "tolv32dll/driver/request_parse.h"

namespace tolv {
namespace {

ShipmentRecord RecordOf(const testkit::ShipmentRequest& q) {
  return ShipmentRecord::FromBytes(testkit::ShipmentRequestBytes(q).data());
}

TEST(RequestParseTest, DiscountBlocksAndTheirBreakCount) {
  testkit::ShipmentRequest q;
  q.block_a = {"0500 ", "1000 ", " 9999", "3000 "};
  ShipmentRecord r = RecordOf(q);
  ParsedRequest p;
  ParseDiscounts(r, p);
  EXPECT_EQ(1, p.usable_breaks) << "one weight-break value before the first \" 9999\"";
  EXPECT_FLOAT_EQ(5.0f, p.block_a.values[0]);
  EXPECT_FLOAT_EQ(99.99f, p.block_a.values[2]) << "kind C keeps the value";
  // Block B without its marker takes block A's values.
  EXPECT_FLOAT_EQ(10.0f, p.block_b.values[1]);

  q.discount_kind = 'R';
  r = RecordOf(q);
  ParseDiscounts(r, p);
  EXPECT_EQ('R', p.discount_kind);
  EXPECT_FLOAT_EQ(0.0f, p.block_a.values[2]) << "kind R reads \" 9999\" as no discount";

  // Without block A's marker its values are not read, but they still count the breaks.
  q.discount_kind = 'C';
  r = RecordOf(q);
  r.bytes()[865] = ' ';
  r.bytes()[866] = ' ';
  ParseDiscounts(r, p);
  EXPECT_EQ(1, p.usable_breaks);
  EXPECT_FLOAT_EQ(0.0f, p.block_a.values[0]);

  q.block_a = {};
  r = RecordOf(q);
  ParseDiscounts(r, p);
  EXPECT_EQ(100, p.usable_breaks);
  EXPECT_FALSE(p.discount_on);

  // Values that are not plain digits read as the C conversion reads them; NULs as blanks.
  q.block_a = {" 12.5", "-0500", "\t0500", "05 00", std::string("\0" "250 ", 5), "  7x1",
               "+0300", "     "};
  r = RecordOf(q);
  ParseDiscounts(r, p);
  const float expected[] = {0.125f, -5.0f, 5.0f, 0.05f, 2.5f, 0.07f, 3.0f, 0.0f};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_FLOAT_EQ(expected[i], p.block_a.values[i]) << "value " << i + 1;
  }
}

TEST(RequestParseTest, AdjustmentFactorText) {
  testkit::ShipmentRequest q;
  ParsedRequest p;
  for (auto [text, factor] : {std::pair{"15000", 1.5f}, {"00000", 1.0f}, {"     ", 1.0f},
                              {"12500", 1.25f}, {"abcde", 1.0f}}) {
    q.adjustment_factor = text;
    ShipmentRecord r = RecordOf(q);
    ParseFactor(r, p);
    EXPECT_FLOAT_EQ(factor, p.adjustment_factor) << text;
  }
}

TEST(RequestParseTest, DecimalValueStopsAtTheFirstOtherCharacter) {
  EXPECT_DOUBLE_EQ(2500, DecimalValue("2500 "));
  EXPECT_DOUBLE_EQ(12.5, DecimalValue(" 12.5x"));
  EXPECT_DOUBLE_EQ(-3, DecimalValue("-3"));
  EXPECT_DOUBLE_EQ(0, DecimalValue("x12"));
}

TEST(RequestParseTest, HeaderFlags) {
  testkit::ShipmentRequest q;
  q.tariff_name = "TESTTR01";
  q.origin_zip = "K1A0B1";
  ShipmentRecord r = RecordOf(q);
  ParsedRequest p;
  ASSERT_EQ(kOk, ParseHeader(r, p));
  EXPECT_TRUE(p.canadian);
  EXPECT_EQ(20, p.ship_date.century);
  EXPECT_EQ(24, p.ship_date.year);
  q.tariff_name = "";
  r = RecordOf(q);
  ASSERT_EQ(kOk, ParseHeader(r, p));
  EXPECT_FALSE(p.canadian) << "only with a tariff named";
  q.ship_date = "02/29/2023";
  r = RecordOf(q);
  EXPECT_EQ(kErrIvddte, ParseHeader(r, p));
}

}  // namespace
}  // namespace tolv
