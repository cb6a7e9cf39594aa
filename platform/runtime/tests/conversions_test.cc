#include "platform/runtime/conversions.h"

#include <gtest/gtest.h>

#include "platform/runtime/currency.h"
#include "platform/runtime/error.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/locale.h"

namespace runtime {
namespace {

TEST(CStrTest, FifteenSignificantDigitsWithoutTrailingPoint) {
  EXPECT_EQ(CStr(0.57 * 10000), "5700");
  EXPECT_EQ(CStr(1.13 * 10000), "11300");
  EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(CStr(0.25), "0.25");
  EXPECT_EQ(CStr(-1.5), "-1.5");
  EXPECT_EQ(CStr(0), "0");
  EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(CStr(1e15), "1E+15");
  EXPECT_EQ(CStr(0.0001), "0.0001");
  EXPECT_EQ(CStr(0.00001), "1E-05");
  EXPECT_EQ(CStr(1.5e-7), "1.5E-07");
}

TEST(CStrTest, UsesTheLocaleDecimalButStrDoesNot) {
  ScopedLocale comma({.decimal = ',', .thousands = '.'});
  EXPECT_EQ(CStr(2.5), "2,5");
  EXPECT_EQ(Str(2.5), " 2.5");
}

TEST(StrTest, LeadingBlankAndNoLeadingZero) {
  EXPECT_EQ(Str(7), " 7");
  EXPECT_EQ(Str(0.25), " .25");
  EXPECT_EQ(Str(-0.25), "-.25");
  EXPECT_EQ(Str(0), " 0");
}

TEST(ValTest, ReadsTheLeadingNumberOnly) {
  EXPECT_EQ(Val("  1 2 3"), 123);
  EXPECT_EQ(Val("12.5 lbs"), 12.5);
  EXPECT_EQ(Val("-3.25e2x"), -325);
  EXPECT_EQ(Val("1D3"), 1000);
  EXPECT_EQ(Val("2e"), 2);  // an exponent without digits is not read
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val(".5"), 0.5);
  EXPECT_EQ(Val("&HFF"), 255);
  EXPECT_EQ(Val("&HFFFFFFFF"), -1);
  EXPECT_EQ(Val("&O17"), 15);
}

TEST(ValTest, IgnoresTheLocale) {
  ScopedLocale comma({.decimal = ',', .thousands = '.'});
  EXPECT_EQ(Val("1,5"), 1);
  EXPECT_EQ(Val("1.5"), 1.5);
}

TEST(IsNumericTest, FollowsTheLocale) {
  EXPECT_TRUE(IsNumeric(" 12.50 "));
  EXPECT_TRUE(IsNumeric("-1,234.5"));
  EXPECT_TRUE(IsNumeric("1e3"));
  EXPECT_FALSE(IsNumeric(""));
  EXPECT_FALSE(IsNumeric("."));
  EXPECT_FALSE(IsNumeric("12a"));
  EXPECT_FALSE(IsNumeric("1.2.3"));
  EXPECT_FALSE(IsNumeric("1e"));
  ScopedLocale comma({.decimal = ',', .thousands = '.'});
  EXPECT_TRUE(IsNumeric("12,5"));
  EXPECT_DOUBLE_EQ(CDbl("1.234,5"), 1234.5);
}

TEST(CDblTest, NonNumericTextIsTypeMismatch) {
  try {
    CDbl("x1");
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), kErrTypeMismatch);
  }
}

TEST(CurrencyTest, ExactSumsAndHalfAwayRounding) {
  Currency a = Currency::FromDouble(0.1);
  Currency b = Currency::FromDouble(0.2);
  EXPECT_EQ((a + b).units(), 3000);
  EXPECT_EQ(Currency::FromDouble(1.00005).units(), 10001);
  EXPECT_EQ(Currency::FromDouble(-1.00005).units(), -10001);
  EXPECT_EQ(Currency::FromCents(1999).ToDouble(), 19.99);
  EXPECT_LT(Currency::FromCents(1), Currency::FromCents(2));
}

TEST(CurrencyTest, OverflowIsError6) {
  Currency max = Currency::FromUnits(INT64_MAX);
  EXPECT_THROW(max + Currency::FromUnits(1), RuntimeError);
  EXPECT_THROW(Currency::FromDouble(1e300), RuntimeError);
  EXPECT_THROW(Currency::FromUnits(INT64_MIN) - Currency::FromUnits(1), RuntimeError);
}

TEST(FixedStringTest, PadsCutsAndTrimsBlanksAndNuls) {
  FixedString<5> s("ab");
  EXPECT_EQ(s.value(), "ab   ");
  s = "abcdefg";
  EXPECT_EQ(s.value(), "abcde");
  EXPECT_EQ(Trim(std::string(" a\0 ", 4)), "a");
  EXPECT_EQ(Trim("\tx "), "\tx");  // tabs are not blanks
  EXPECT_EQ(FitToWidth("", 3), "   ");
}

}  // namespace
}  // namespace runtime
