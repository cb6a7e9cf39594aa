#include "tolv32dll/tariff/codecs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "KMLIB/packed_zip.h"

namespace tolv {
namespace {

TEST(ZipCodec, DigitsPackAsNibblesMostSignificantFirst) {
  auto packed = Zip_Pack("12345");
  ASSERT_TRUE(packed.has_value());
  EXPECT_EQ(*packed, (PackedZip{0x01, 0x23, 0x45}));
  const std::uint8_t bytes[] = {0x01, 0x23, 0x45};
  EXPECT_EQ(kmlib::UnpackZip(bytes), "12345");
  // Only the first five characters of a longer field count.
  EXPECT_EQ(*Zip_Pack("987654"), (PackedZip{0x09, 0x87, 0x65}));
}

TEST(ZipCodec, PostalCodeKeepsThreeCharactersFirstAndThirdUpperCased) {
  EXPECT_EQ(*Zip_Pack("k1a0b1"), (PackedZip{'K', '1', 'A'}));
  EXPECT_EQ(*Zip_Pack("ab c"), (PackedZip{'A', 'b', ' '}));
  const std::uint8_t bytes[] = {'k', 'x', 'a'};
  EXPECT_EQ(kmlib::UnpackZip(bytes), "KxA");
}

TEST(ZipCodec, OtherFirstCharacterPacksNothing) {
  EXPECT_FALSE(Zip_Pack(" 1234").has_value());
  EXPECT_FALSE(Zip_Pack("").has_value());
  EXPECT_FALSE(Zip_Pack("-1234").has_value());
}

TEST(ZipCodec, EveryFiveDigitCodeRoundTrips) {
  char text[8];
  for (int zip = 0; zip <= 99999; zip += 7) {
    std::snprintf(text, sizeof text, "%05d", zip);
    auto packed = Zip_Pack(text);
    ASSERT_TRUE(packed.has_value());
    EXPECT_LT((*packed)[0], 10);
    ASSERT_EQ(kmlib::UnpackZip(*packed), text);
  }
}

TEST(BcdCodec, OddCountLeavesLeadingZeroNibble) {
  std::uint8_t out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
  Bcd_Pack(out, "12345", 5);
  EXPECT_EQ(out[0], 0x01);
  EXPECT_EQ(out[1], 0x23);
  EXPECT_EQ(out[2], 0x45);
  EXPECT_EQ(out[3], 0xEE) << "writes ceil(n/2) bytes only";
  EXPECT_EQ(Bcd_Unpack(out, 5), "12345");
  Bcd_Pack(out, "87654321", 8);
  EXPECT_EQ(out[0], 0x87);
  EXPECT_EQ(out[3], 0x21);
  EXPECT_EQ(Bcd_Unpack(out, 8), "87654321");
  Bcd_Pack(out, "9", 1);
  EXPECT_EQ(out[0], 0x09);
}

TEST(Code6Codec, FirstCharacterInBase36) {
  std::uint8_t out[3];
  Code6_Pack(out, "Z99999");
  std::uint32_t value = (out[0] << 16) | (out[1] << 8) | out[2];
  EXPECT_EQ(value, 35u * 100000 + 99999);
  EXPECT_EQ(Code6_Unpack(out), "Z99999");
  Code6_Pack(out, "A00042");
  value = (out[0] << 16) | (out[1] << 8) | out[2];
  EXPECT_EQ(value, 10u * 100000 + 42);
  EXPECT_EQ(Code6_Unpack(out), "A00042");
  Code6_Pack(out, "300250");
  EXPECT_EQ(Code6_Unpack(out), "300250");
}

TEST(Get24, LittleEndianEntriesFromByteTen) {
  std::uint8_t record[16] = {};
  record[10] = 0x01;
  record[11] = 0x02;
  record[12] = 0x03;
  record[13] = 0xFF;
  record[14] = 0xFF;
  record[15] = 0xFF;
  EXPECT_EQ(Util_Get24(record, 0), 0x030201u);
  EXPECT_EQ(Util_Get24(record, 1), 0xFFFFFFu);
  EXPECT_EQ(Util_Get24(record, 2), 0u) << "past the record";
  EXPECT_EQ(Util_Get24(record, -1), 0u);
}

TEST(PairIndex, UnorderedTriangularPosition) {
  EXPECT_EQ(Util_PairIndex(0, 0), 0);
  EXPECT_EQ(Util_PairIndex(0, 1), 1);
  EXPECT_EQ(Util_PairIndex(1, 1), 2);
  EXPECT_EQ(Util_PairIndex(3, 2), Util_PairIndex(2, 3));
  EXPECT_EQ(Util_PairIndex(2, 3), 2 + 6);
}

TEST(RoundDecimals, AddsPointFiftyOneBeforeFloor) {
  EXPECT_FLOAT_EQ(Util_RoundDecimals(2.345f, 2), 2.35f);
  EXPECT_EQ(Util_RoundDecimals(1.49f, 0), 2.0f);
  EXPECT_EQ(Util_RoundDecimals(0.48f, 0), 0.0f);
  EXPECT_EQ(Util_RoundDecimals(0.5f, 0), 1.0f);
  EXPECT_EQ(Util_RoundDecimals(-0.2f, 0), 0.0f);
  EXPECT_EQ(Util_RoundDecimals(-0.6f, 0), -1.0f);
  // Pinned: the float argument is widened, so 1.005f (1.00499999523) scales to 100.4999
  // and still rounds up by the 0.51 addend.
  EXPECT_EQ(Util_RoundDecimals(1.005f, 2), 1.01f);
  EXPECT_EQ(Util_RoundDecimals(12345.678f, 1), 12345.7f);
}

}  // namespace
}  // namespace tolv
