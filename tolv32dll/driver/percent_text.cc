#include "tolv32dll/driver/percent_text.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace tolv {
namespace {

// The hundredths of a finite, non-negative float below 100, rounded to nearest with ties
// to even, computed exactly: the value is mantissa x 2^exponent with exponent < 0 there.
std::uint32_t RoundedHundredths(float value) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
  const std::uint32_t biased = bits >> 23;
  const std::uint64_t mantissa =
      biased == 0 ? (bits & 0x7fffffu) : ((bits & 0x7fffffu) | 0x800000u);
  const int shift = biased == 0 ? 149 : 150 - static_cast<int>(biased);
  const std::uint64_t scaled = mantissa * 100;  // below 2^31
  // Below half a hundredth: 2^31 is less than half of 2^shift from 33 on.
  if (shift > 32) return 0;
  const std::uint64_t whole = scaled >> shift;
  const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  const bool up = rest > half || (rest == half && (whole & 1) != 0);
  return static_cast<std::uint32_t>(whole + (up ? 1 : 0));
}

}  // namespace

bool PercentText(float percent, std::array<char, 5>& out) {
  // The C library's "%05.2f" would print the locale's decimal character; this is the C
  // locale's text whatever the process has set.
  if (std::isnan(percent) || std::isinf(percent)) {
    const std::string_view word = std::isnan(percent) ? "nan" : "inf";
    const bool minus = std::signbit(percent);
    out.fill(' ');
    if (minus) out[1] = '-';
    std::copy(word.begin(), word.end(), out.begin() + 2);
    return true;
  }
  const bool minus = std::signbit(percent);
  // Below 100 the exponent is negative; 99.995 and above print with three whole digits.
  const float magnitude = std::fabs(percent);
  if (!(magnitude < 100.0f)) return false;
  const std::uint32_t hundredths = RoundedHundredths(magnitude);
  // A minus sign leaves room for one whole digit.
  if (hundredths > (minus ? 999u : 9999u)) return false;
  if (minus) {
    out = {'-', static_cast<char>('0' + hundredths / 100), '.',
           static_cast<char>('0' + hundredths / 10 % 10), static_cast<char>('0' + hundredths % 10)};
    return true;
  }
  out = {static_cast<char>('0' + hundredths / 1000), static_cast<char>('0' + hundredths / 100 % 10),
         '.', static_cast<char>('0' + hundredths / 10 % 10),
         static_cast<char>('0' + hundredths % 10)};
  return true;
}

}  // namespace tolv
