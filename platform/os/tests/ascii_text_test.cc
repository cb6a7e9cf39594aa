// The engine's character rules against the C library's in the C locale, for every byte:
// the program may have set any other locale by the time the engine runs.
#include "platform/os/ascii_text.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cctype>

namespace os {
namespace {

TEST(AsciiTextTest, EveryByteClassifiesAndFoldsAsInTheCLocale) {
  const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
  ASSERT_NE(c, locale_t{});
  for (int b = 0; b < 256; ++b) {
    const char ch = static_cast<char>(b);
    EXPECT_EQ(IsAsciiDigit(ch), isdigit_l(b, c) != 0) << b;
    EXPECT_EQ(IsAsciiAlpha(ch), isalpha_l(b, c) != 0) << b;
    EXPECT_EQ(IsAsciiUpper(ch), isupper_l(b, c) != 0) << b;
    EXPECT_EQ(IsAsciiLower(ch), islower_l(b, c) != 0) << b;
    EXPECT_EQ(IsAsciiSpace(ch), isspace_l(b, c) != 0) << b;
    EXPECT_EQ(static_cast<unsigned char>(AsciiUpper(ch)), toupper_l(b, c)) << b;
    EXPECT_EQ(static_cast<unsigned char>(AsciiLower(ch)), tolower_l(b, c)) << b;
  }
  freelocale(c);
}

TEST(AsciiTextTest, NoCaseEqualityFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualAsciiNoCase("Brindle", "BRINDLE"));
  EXPECT_TRUE(EqualAsciiNoCase("", ""));
  EXPECT_FALSE(EqualAsciiNoCase("BRINDLE", "BRINDLE "));
  EXPECT_FALSE(EqualAsciiNoCase("\xE9T\xC9", "\xC9T\xC9"));
  EXPECT_FALSE(EqualAsciiNoCase("@", "`"));  // 0x40 and 0x60 sit beside the letters
  EXPECT_FALSE(EqualAsciiNoCase("[", "{"));
}

}  // namespace
}  // namespace os
