#include "platform/os/cp1252.h"

#include <gtest/gtest.h>

namespace os {
namespace {

TEST(Cp1252Test, SpecialRangeAndLatin1MapBothWays) {
  EXPECT_EQ(Cp1252ToUtf8("Caf\xe9"), "Caf\xc3\xa9");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xe2\x82\xac");  // euro sign
  EXPECT_EQ(Cp1252ToUtf8("\x9f"), "\xc5\xb8");      // Y with diaeresis
  EXPECT_EQ(Cp1252ToUtf8("\x92"), "\xe2\x80\x99");  // right single quote
  EXPECT_EQ(Utf8ToCp1252("\xe2\x82\xac 5"), "\x80 5");
  EXPECT_EQ(Utf8ToCp1252("Caf\xc3\xa9"), "Caf\xe9");
}

TEST(Cp1252Test, EveryByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
  }
  // The five undefined bytes become the control characters of their number.
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xc2\x81");
}

TEST(Cp1252Test, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("\xe4\xb8\xad"), "?");        // a CJK character
  EXPECT_EQ(Utf8ToCp1252("\xf0\x9f\x98\x80!"), "?!");  // outside the BMP
  EXPECT_EQ(Utf8ToCp1252("a\xc3"), "a?");              // truncated sequence
  EXPECT_EQ(Utf8ToCp1252("\xc0\xaf"), "??");           // overlong
  EXPECT_EQ(Utf8ToCp1252("\xed\xa0\x80"), "???");      // surrogate
  EXPECT_EQ(Utf8ToCp1252("\xff"), "?");
}

TEST(Utf8Test, CodePointsAreDecodedStrictlyAndEncodedOnlyWhenValid) {
  EXPECT_EQ(DecodeUtf8("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"), U"a\u00e9\u20ac\U0001F600");
  EXPECT_EQ(EncodeUtf8(U"a\u00e9\u20ac\U0001F600"), "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
  // An overlong NUL must not slip into a text box as a real NUL.
  EXPECT_EQ(DecodeUtf8("\xc0\x80"), U"\uFFFD\uFFFD");
  EXPECT_EQ(DecodeUtf8("\xed\xa0\x80"), U"\uFFFD\uFFFD\uFFFD");  // surrogate
  EXPECT_EQ(DecodeUtf8("\xf4\x90\x80\x80"), std::u32string(4, U'\uFFFD'));  // above U+10FFFF
  EXPECT_EQ(DecodeUtf8("x\xe2\x82"), U"x\uFFFD\uFFFD");  // cut at the end
  EXPECT_EQ(EncodeUtf8(std::u32string{0xD800, 0x110000}), "\xef\xbf\xbd\xef\xbf\xbd");
  // What a text box holds converts to a record the way the record converter reads bytes.
  EXPECT_EQ(Utf8ToCp1252(EncodeUtf8(DecodeUtf8("\xc0\x80"))), "??");
}

}  // namespace
}  // namespace os
