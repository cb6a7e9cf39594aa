#include "frelane/bol/bol_dates.h"

#include "frelane/core/field_helpers.h"

namespace frelane::bol {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '-'; }

int DigitsValue(std::string_view digits) {
  int v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int month, int year) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool IsValidShipDate(std::string_view text) {
  if (modMain::Trim(text).empty()) return true;
  const std::size_t n = text.size();
  if (n < 6 || !IsSeparator(text[2]) || !IsSeparator(text[5])) return false;
  if (n < 5 || !IsSeparator(text[n - 5])) return false;
  if (modMain::SafeValue(text.substr(0, 2)) < 1 || modMain::SafeValue(text.substr(0, 2)) > 12) {
    return false;
  }
  std::string_view month = text.substr(0, 2);
  std::string_view day = text.substr(3, 2);
  std::string_view year = text.substr(6);
  if (!modMain::AllDigits(month) || !modMain::AllDigits(day) || !modMain::AllDigits(year) ||
      year.size() != 4) {
    return false;
  }
  int m = DigitsValue(month);
  int d = DigitsValue(day);
  int y = DigitsValue(year);
  return y >= 1 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(m, y);
}

}  // namespace frelane::bol
