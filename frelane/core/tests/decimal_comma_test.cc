#include "frelane/core/decimal_comma.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace frelane::modMain {
namespace {

void Put(tolv::ShipmentRecord& r, std::size_t offset, const std::string& text) {
  std::memcpy(r.bytes().data() + offset, text.data(), text.size());
}
std::string Get(const tolv::ShipmentRecord& r, std::size_t offset, std::size_t width) {
  return std::string(reinterpret_cast<const char*>(r.bytes().data() + offset), width);
}

TEST(UseDecimalComma, TurnsTheFirstPointOfEachResultField) {
  tolv::ShipmentRecord r;
  r.bytes().fill('.');
  // Header fields at their record offsets (header offset + 1).
  Put(r, 113, "0012.50");    // minimum charge
  Put(r, 120, "0034.10");    // deficit rate
  Put(r, 133, "000123.45");  // deficit charge
  Put(r, 142, "000987.65");  // charges
  Put(r, 220, "   123.45");  // discount amount
  Put(r, 229, "  12.00");    // minimum discount
  Put(r, 241, "25.00");      // discount percent
  Put(r, 236, "10000");      // adjustment factor: not a result, no point anyway
  Put(r, 265 + 11, "0045.67");            // slot 1 rate
  Put(r, 265 + 18, "000045.67");          // slot 1 charge
  Put(r, 265 + 7 * 30 + 11, "0001.00");   // slot 8 rate
  Put(r, 265 + 8 * 30 + 11, "0002.00");   // slot 9: not on the screen
  UseDecimalComma(r);
  EXPECT_EQ(Get(r, 113, 7), "0012,50");
  EXPECT_EQ(Get(r, 120, 7), "0034,10");
  EXPECT_EQ(Get(r, 133, 9), "000123,45");
  EXPECT_EQ(Get(r, 142, 9), "000987,65");
  EXPECT_EQ(Get(r, 220, 9), "   123,45");
  EXPECT_EQ(Get(r, 229, 7), "  12,00");
  EXPECT_EQ(Get(r, 241, 5), "25,00");
  EXPECT_EQ(Get(r, 265 + 11, 7), "0045,67");
  EXPECT_EQ(Get(r, 265 + 18, 9), "000045,67");
  EXPECT_EQ(Get(r, 265 + 7 * 30 + 11, 7), "0001,00");
  EXPECT_EQ(Get(r, 265 + 8 * 30 + 11, 7), "0002.00");
  // Bytes between the fields are left alone.
  EXPECT_EQ(Get(r, 112, 1), ".");
  EXPECT_EQ(Get(r, 265 + 27, 1), ".");
}

TEST(UseDecimalComma, OnlyTheFirstPointAndNoPointAtAll) {
  tolv::ShipmentRecord r;
  r.bytes().fill(' ');
  Put(r, 142, "1.2.3.4.5");
  Put(r, 113, "0001250");
  UseDecimalComma(r);
  EXPECT_EQ(Get(r, 142, 9), "1,2.3.4.5");
  EXPECT_EQ(Get(r, 113, 7), "0001250");
}

}  // namespace
}  // namespace frelane::modMain
