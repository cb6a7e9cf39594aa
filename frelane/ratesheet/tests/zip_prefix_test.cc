// Stepping through prefixes and suffixes, numeric and Canadian.
#include "frelane/ratesheet/zip_prefix.h"

#include <gtest/gtest.h>

namespace frelane::ratesheet {
namespace {

TEST(ZipPrefixTest, NextStepsEachLengthWithCarry) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"00", "01"},       {"09", "10"},       {"99", "00"},       {"0Y", "0Z"},
      {"0Z", "1A"},       {"12", "13"},       {"010", "011"},     {"299", "300"},
      {"999", "000"},     {"K1Z", "K2A"},     {"K9Z", "L0A"},     {"K1A", "K1B"},
      {"M1A0Z", "M1A1A"}, {"M1A9Z", "M1B0A"}, {"30399", "30400"}, {"1234", "1234"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NextZipPrefix(c.in), c.out) << c.in;
}

TEST(ZipPrefixTest, PrevUndoesNextInsideEachRun) {
  EXPECT_EQ(PrevZipSuffix("1A"), "0Z");
  EXPECT_EQ(PrevZipSuffix("0C"), "0B");
  EXPECT_EQ(PrevZipSuffix("10"), "09");
  EXPECT_EQ(PrevZipSuffix("50"), "49");
  for (int n = 1; n <= 98; ++n) {
    char s[3] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10), 0};
    EXPECT_EQ(NextZipPrefix(PrevZipSuffix(s)), s);
  }
  for (char d = '0'; d <= '9'; ++d) {
    for (char l = 'A'; l <= 'Z'; ++l) {
      const std::string s{d, l};
      if (s == "0A") continue;
      EXPECT_EQ(NextZipPrefix(PrevZipSuffix(s)), s);
    }
  }
}

TEST(ZipPrefixTest, SuffixBoundsFollowThePrefixKind) {
  EXPECT_EQ(FirstSuffix("303"), "00");
  EXPECT_EQ(LastSuffix("303"), "99");
  EXPECT_EQ(FirstSuffix("K1A"), "0A");
  EXPECT_EQ(LastSuffix("K1A"), "9Z");
}

}  // namespace
}  // namespace frelane::ratesheet
