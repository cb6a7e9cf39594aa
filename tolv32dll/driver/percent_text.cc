#include "tolv32dll/driver/percent_text.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

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
  // Below 100 the exponent is negative; 99.995 and above print with three whole digits.
  if (!(percent >= 0.0f && percent < 100.0f) || std::signbit(percent)) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%05.2f", static_cast<double>(percent));
    if (n != 5) return false;
    std::memcpy(out.data(), text, 5);
    return true;
  }
  const std::uint32_t hundredths = RoundedHundredths(percent);
  if (hundredths > 9999) return false;
  out = {static_cast<char>('0' + hundredths / 1000), static_cast<char>('0' + hundredths / 100 % 10),
         '.', static_cast<char>('0' + hundredths / 10 % 10),
         static_cast<char>('0' + hundredths % 10)};
  return true;
}

}  // namespace tolv
