#include "platform/os/record_layout.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>

#include <gtest/gtest.h>

namespace os {
namespace {

// A small record: a 4-byte name, a 16-bit count, three 8-byte amounts.
inline constexpr Field kName = TextField(0, 4);
inline constexpr Field kCount = I16Field(4);
inline constexpr Field kAmounts = F64Field(6, 3);
static_assert(FieldsTile({kName, kCount, kAmounts}, 30));
static_assert(!FieldsTile({kName, kAmounts}, 30), "a gap must not tile");

TEST(RecordLayoutTest, FieldsReadAndWriteTheirBytesExactly) {
  std::array<std::uint8_t, 30> bytes{};
  RecordView view(bytes);
  view.SetText(kName, "AB");
  view.SetI16(kCount, -2);
  view.SetF64(kAmounts.Element(2), 1.5);
  EXPECT_EQ(bytes[0], 'A');
  EXPECT_EQ(bytes[2], ' ');
  EXPECT_EQ(bytes[4], 0xFE);
  EXPECT_EQ(bytes[5], 0xFF);
  // 1.5 is 0x3FF8000000000000, stored low byte first at offset 6 + 8.
  EXPECT_EQ(bytes[14 + 6], 0xF8);
  EXPECT_EQ(bytes[14 + 7], 0x3F);
  ConstRecordView read(view);
  EXPECT_EQ(read.Text(kName), "AB");
  EXPECT_TRUE(read.TextIs(kName, "AB"));
  EXPECT_EQ(read.I16(kCount), -2);
  EXPECT_EQ(read.F64(kAmounts.Element(2)), 1.5);
  EXPECT_EQ(read.F64(kAmounts.Element(1)), 0.0);
}

TEST(RecordLayoutTest, TextConvertsAtTheBoundaryAndNulsReadAsBlanks) {
  std::array<std::uint8_t, 30> bytes{};
  RecordView view(bytes);
  view.SetUtf8Text(kName, "\xC3\xA9t\xC3\xA9");  // "été"
  EXPECT_EQ(bytes[0], 0xE9);
  EXPECT_EQ(view.Utf8Text(kName), "\xC3\xA9t\xC3\xA9");
  bytes[0] = 'X';
  bytes[1] = 0;
  bytes[2] = 0;
  bytes[3] = 0;
  EXPECT_EQ(view.Text(kName), "X");
  EXPECT_EQ(view.Raw(kName).size(), 4u);
}

TEST(RecordLayoutTest, NonFiniteDoublesReadAsZeroWhereAsked) {
  std::array<std::uint8_t, 30> bytes{};
  RecordView view(bytes);
  view.SetF64(kAmounts.Element(3), std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(std::isnan(view.F64(kAmounts.Element(3))));
  EXPECT_EQ(view.FiniteF64(kAmounts.Element(3)), 0.0);
}

// Text comparisons without a string must agree with comparing the Text.
TEST(RecordLayoutTest, TextIsAgreesWithText) {
  const std::string_view kCandidates[] = {"", "D", "D%", " D", "D ", "D%%", "  ", "\t"};
  const std::uint8_t kBytes[] = {0, ' ', 'D', '%', '\t'};
  std::uint8_t b[3];
  ConstRecordView v(b);
  constexpr Field f = TextField(0, 3);
  for (std::uint8_t x : kBytes) {
    for (std::uint8_t y : kBytes) {
      for (std::uint8_t z : kBytes) {
        b[0] = x;
        b[1] = y;
        b[2] = z;
        for (std::string_view text : kCandidates) {
          ASSERT_EQ(v.TextIs(f, text), v.Text(f) == text) << v.Raw(f) << "|" << text;
        }
      }
    }
  }
}

}  // namespace
}  // namespace os
