#include "tolv32dll/sidetables/zip_range.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <string_view>

namespace tolv {
namespace {

using Packed = std::array<std::uint8_t, 3>;

// Five digits as packed nibbles.
Packed Digits(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v / 10000),
          static_cast<std::uint8_t>((v / 1000 % 10) << 4 | (v / 100 % 10)),
          static_cast<std::uint8_t>((v / 10 % 10) << 4 | (v % 10))};
}
// A 3-character code as it is stored.
Packed Letters(std::string_view code) {
  return {static_cast<std::uint8_t>(code[0]), static_cast<std::uint8_t>(code[1]),
          static_cast<std::uint8_t>(code[2])};
}

// The order as the key's width of blank-padded text gives it, byte by byte.
int Model(const ZipRangeKey& key, std::string low, std::string high) {
  low.resize(5, ' ');
  high.resize(5, ' ');
  if (std::memcmp(key.text.data(), low.data(), key.n) < 0) return -1;
  if (std::memcmp(key.text.data(), high.data(), key.n) > 0) return 1;
  return 0;
}

TEST(ZipRangeTest, OrdersCodesAgainstPackedEndsAsTheirTextWould) {
  struct Case {
    std::string code;
    Packed low;
    std::string low_text;
    Packed high;
    std::string high_text;
    int expected;
  };
  const Case cases[] = {
      {"15000", Digits(10000), "10000", Digits(19999), "19999", 0},
      {"10000", Digits(10000), "10000", Digits(19999), "19999", 0},
      {"19999", Digits(10000), "10000", Digits(19999), "19999", 0},
      {"09999", Digits(10000), "10000", Digits(19999), "19999", -1},
      {"20000", Digits(10000), "10000", Digits(19999), "19999", 1},
      // Letters order after digits; a 5-digit key meets a 3-character end blank-padded.
      {"99999", Letters("A0A"), "A0A", Letters("Z9Z"), "Z9Z", -1},
      {"T2P", Letters("T0A"), "T0A", Letters("T9Z"), "T9Z", 0},
      {"T2P", Letters("T3A"), "T3A", Letters("T9Z"), "T9Z", -1},
      {"V5K", Letters("T0A"), "T0A", Letters("T9Z"), "T9Z", 1},
      // A 3-character key reads only the head of a 5-digit end.
      {"A0A", Digits(10000), "10000", Digits(99999), "99999", 1},
      {"T2P", Digits(10000), "10000", Digits(99999), "99999", 1},
      // Bytes past ASCII order above every letter, as unsigned bytes do.
      {"\xC9" "0A", Letters("A0A"), "A0A", Letters("Z9Z"), "Z9Z", 1},
      // A code that begins with a digit is read 5 wide, blank-padded.
      {"15", Digits(15000), "15000", Digits(15099), "15099", -1},
  };
  for (const Case& c : cases) {
    const ZipRangeKey key = ZipRangeKeyOf(c.code);
    SCOPED_TRACE(c.code);
    EXPECT_EQ(Model(key, c.low_text, c.high_text), c.expected) << "the model itself";
    EXPECT_EQ(c.expected, CompareZipWithRange(key, c.low.data(), c.high.data()));
  }
}

TEST(ZipRangeTest, DigitKeysAgainstDigitEndsOrderAsTheirTexts) {
  // Ends packed as digits, some with nibbles above 9 (which unpack past '9').
  const Packed ends[] = {Digits(15000), Digits(15999), {0x01, 0x5A, 0x00}, {0x09, 0xFF, 0xFF}};
  auto text_of = [](const Packed& p) {
    std::string t;
    for (int shift = 16; shift >= 0; shift -= 4) {
      const std::uint32_t v = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
      t += static_cast<char>(((v >> shift) & 0x0F) | 0x30);
    }
    return t;
  };
  for (const char* code : {"14999", "15000", "15500", "15999", "16000", "99999"}) {
    for (const Packed& low : ends) {
      for (const Packed& high : ends) {
        const ZipRangeKey key = ZipRangeKeyOf(code);
        EXPECT_EQ(Model(key, text_of(low), text_of(high)),
                  CompareZipWithRange(key, low.data(), high.data()))
            << code << " " << text_of(low) << " " << text_of(high);
      }
    }
  }
}

}  // namespace
}  // namespace tolv
