#include "platform/os/bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace os {
namespace {

TEST(BytesTest, IntegersAreLittleEndian) {
  std::array<std::uint8_t, 8> b{};
  StoreI32Le(b.data(), -2);
  EXPECT_EQ((std::array<std::uint8_t, 4>{0xFE, 0xFF, 0xFF, 0xFF}),
            (std::array<std::uint8_t, 4>{b[0], b[1], b[2], b[3]}));
  EXPECT_EQ(-2, LoadI32Le(b.data()));
  StoreU16Le(b.data(), 0x1234);
  EXPECT_EQ(0x34, b[0]);
  EXPECT_EQ(0x12, b[1]);
  StoreI16Le(b.data(), std::numeric_limits<std::int16_t>::min());
  EXPECT_EQ(std::numeric_limits<std::int16_t>::min(), LoadI16Le(b.data()));
}

TEST(BytesTest, DoublesAreIeeeLittleEndian) {
  std::array<std::uint8_t, 8> b{};
  StoreF64Le(b.data(), 1.0);  // 0x3FF0000000000000
  EXPECT_EQ(0x3F, b[7]);
  EXPECT_EQ(0xF0, b[6]);
  EXPECT_EQ(0x00, b[0]);
  EXPECT_EQ(1.0, LoadF64Le(b.data()));
}

TEST(BytesTest, TextIsPaddedAndNulReadsAsBlank) {
  std::array<std::uint8_t, 6> b{};
  StoreText(b.data(), b.size(), "AB");
  EXPECT_EQ("AB    ", LoadRaw(b.data(), b.size()));
  StoreText(b.data(), b.size(), "ABCDEFGH");
  EXPECT_EQ("ABCDEF", LoadRaw(b.data(), b.size()));
  std::array<std::uint8_t, 4> n{'X', 0, 'Y', 0};
  EXPECT_EQ("X Y", LoadText(n.data(), n.size()));
}

}  // namespace
}  // namespace os
