#include "tolv32dll/points/point_record.h"

#include <array>

#include <gtest/gtest.h>

namespace tolv {
namespace {

TEST(PointRecordTest, FullRecordsDecodeFromHandBuiltBytes) {
  // "19999" high, "10000" low, index 0x0102, add-on factor 7, second factor -2.
  std::array<std::uint8_t, 16> r{'1', '9', '9', '9', '9', '1', '0', '0', '0', '0',
                                 0x02, 0x01, 0x07, 0x00, 0xFE, 0xFF};
  PointRecord p = DecodePointRecord(os::ByteSpan(r.data(), 14));
  EXPECT_EQ("19999", p.high_zip);
  EXPECT_EQ("10000", p.low_zip);
  EXPECT_EQ(0x0102, p.index);
  EXPECT_EQ(7, p.addon_factor);
  EXPECT_EQ(0, p.second_addon_factor) << "a 14-byte record has no second factor";
  EXPECT_EQ(-2, DecodePointRecord(r).second_addon_factor);

  EXPECT_EQ(-1, CompareCodeWithPointRange("09999 ", r));
  EXPECT_EQ(0, CompareCodeWithPointRange("10000", r));
  EXPECT_EQ(0, CompareCodeWithPointRange("19999", r));
  EXPECT_EQ(1, CompareCodeWithPointRange("20000", r));
}

TEST(PointRecordTest, CompactRecordsSplitTheirBits) {
  // v = 15000 << 7 | 99 = 1920099 = 0x1D4C63; w = 37 << 10 | 513 = 38401 = 0x9601.
  std::array<std::uint8_t, 5> r{0x63, 0x4C, 0x1D, 0x01, 0x96};
  PointRecord p = DecodeCompactPointRecord(r);
  EXPECT_EQ("15000", p.low_zip);
  EXPECT_EQ("15099", p.high_zip);
  EXPECT_EQ(513, p.index);
  EXPECT_EQ(37, p.addon_factor);
  EXPECT_EQ(-1, CompareCodeWithCompactRange("14999", r));
  EXPECT_EQ(0, CompareCodeWithCompactRange("15099", r));
  EXPECT_EQ(1, CompareCodeWithCompactRange("15100", r));
  // A low ZIP with leading zeros keeps them.
  std::array<std::uint8_t, 5> small{static_cast<std::uint8_t>(501 << 7), 501 >> 1, 0, 0, 0};
  EXPECT_EQ("00501", DecodeCompactPointRecord(small).low_zip);
}

}  // namespace
}  // namespace tolv
