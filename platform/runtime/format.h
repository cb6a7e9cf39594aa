// Format: numbers and dates as text through a pattern, the one formatting routine of the
// desktop program.
//
// Number patterns: "0" a digit always shown, "#" a digit shown when significant, "." the
// locale's decimal character, "," between integer placeholders groups thousands, "%"
// multiplies by 100 and shows a percent sign; other characters, "\x" and "quoted" text are
// literal ("$0.00", "0.00 ", " 0000"). A second section after ";" formats negative numbers.
// The value is first cut to 15 significant digits, then rounded half away from zero to the
// pattern's decimals, so 2.675 gives "2.68" with "0.00" and 0.125 gives "0.13".
#ifndef FRELANE_PLATFORM_RUNTIME_FORMAT_H_
#define FRELANE_PLATFORM_RUNTIME_FORMAT_H_

#include <string>
#include <string_view>

namespace runtime {

std::string Format(double value, std::string_view pattern);

// A calendar date and time of day.
struct DateTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Date patterns: "yyyy", "yy", "mm" (the month, or minutes right after "h"/"hh"), "m",
// "dd", "d", "hh", "h", "nn", "ss"; other characters literal ("mm-dd-yyyy ").
std::string FormatDate(const DateTime& date, std::string_view pattern);

// The decimal digits of |value| to 15 significant digits, rounded half away from zero at
// `decimals` places after the point: integer digits (no leading zeros, "0" for none) and
// exactly `decimals` fraction digits. Shared by Format and the conversions.
struct DecimalDigits {
  std::string integer;
  std::string fraction;
  bool negative = false;
  bool IsZero() const;
};
DecimalDigits RoundDecimal(double value, int decimals);

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_FORMAT_H_
