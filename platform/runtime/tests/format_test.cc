#include "platform/runtime/format.h"

#include <gtest/gtest.h>

#include "platform/runtime/locale.h"

namespace runtime {
namespace {

struct FormatCase {
  const char* name;
  double value;
  const char* pattern;
  const char* expected;
};

// Rows cover each pattern the program uses and the rounding rule: 15 significant digits,
// then half away from zero (printf would give 2.67 and 0.12).
constexpr FormatCase kCases[] = {
    {"two_decimals", 12.5, "0.00", "12.50"},
    {"half_up_where_binary_is_below", 2.675, "0.00", "2.68"},
    {"half_up_exact_binary_half", 0.125, "0.00", "0.13"},
    {"negative_half_away_from_zero", -0.125, "0.00", "-0.13"},
    {"fifteen_digit_cut", 5699.999999999999, "0", "5700"},
    {"money_with_trailing_blank", 1234.5, "0.00 ", "1234.50 "},
    {"zero_with_trailing_blank", 0, "0.00 ", "0.00 "},
    {"optional_integer_digit", 0.5, "#0.00", "0.50"},
    {"three_decimals", 1.0005, "0.000", "1.001"},
    {"padded_percent_hundreds", 2500, "0000", "2500"},
    {"zero_padded", 7, "0000000", "0000007"},
    {"zero_padded_decimals", 3.14159, "00.00", "03.14"},
    {"leading_literal_blank", 42, " 0000", " 0042"},
    {"dollar_prefix", 5, "$0.00", "$5.00"},
    {"negative_before_prefix", -5, "$0.00", "-$5.00"},
    {"percent_multiplies", 0.25, "0.00%", "25.00%"},
    {"thousands", 1234567, "#,###", "1,234,567"},
    {"thousands_zero_is_empty", 0, "#,###", ""},
    {"thousands_small", 12, "###,###", "12"},
    {"optional_decimals_drop_zeros", 1.5, "#.######", "1.5"},
    {"rounds_up_into_integer", 9.999, "0.00", "10.00"},
    {"negative_zero_after_rounding", -0.001, "0.00", "0.00"},
    {"trailing_blanks_literal", 3, "0    ", "3    "},
    {"big_integer", 123456789012.345, "00000000000.00", "123456789012.35"},
    {"negative_section", -2, "0.00;(0.00)", "(2.00)"},
    {"escaped_literal", 7, "\\#0", "#7"},
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, FormatsAsTheProgramShowsIt) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(Format(c.value, c.pattern), c.expected) << c.value << " with \"" << c.pattern << "\"";
}

INSTANTIATE_TEST_SUITE_P(Patterns, FormatTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormatLocaleTest, DecimalAndThousandsFollowTheLocale) {
  ScopedLocale comma({.decimal = ',', .thousands = '.'});
  EXPECT_EQ(Format(1234.5, "0.00 "), "1234,50 ");
  EXPECT_EQ(Format(1234567, "#,###"), "1.234.567");
}

TEST(FormatDateTest, MonthDayYearWithLiteralBlank) {
  DateTime d{.year = 2026, .month = 3, .day = 7, .hour = 9, .minute = 5, .second = 0};
  EXPECT_EQ(FormatDate(d, "mm-dd-yyyy "), "03-07-2026 ");
  EXPECT_EQ(FormatDate(d, "m/d/yy"), "3/7/26");
  // "mm" after an hour is minutes.
  EXPECT_EQ(FormatDate(d, "hh:mm:ss"), "09:05:00");
}

TEST(RoundDecimalTest, CarriesThroughAllNines) {
  DecimalDigits d = RoundDecimal(999.995, 2);
  EXPECT_EQ(d.integer, "1000");
  EXPECT_EQ(d.fraction, "00");
  DecimalDigits tiny = RoundDecimal(0.004, 2);
  EXPECT_TRUE(tiny.IsZero());
  EXPECT_FALSE(tiny.negative);
  DecimalDigits just_half = RoundDecimal(0.005, 2);
  EXPECT_EQ(just_half.fraction, "01");
}

}  // namespace
}  // namespace runtime
