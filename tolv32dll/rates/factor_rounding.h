// The engine's rounding of scaled integers: factors hold ten-thousandths (10000 = 1.0)
// and rates are per 100 lbs. Half rounds up and the division truncates toward zero, as C
// division does; the files hold no negative amounts or factors, and none of these wraps
// for the products of two 32-bit values.
#ifndef TOLV32DLL_RATES_FACTOR_ROUNDING_H_
#define TOLV32DLL_RATES_FACTOR_ROUNDING_H_

#include <cstdint>

namespace tolv {

// R(x) = (x + 5000) / 10000. REQUIRES: x <= INT64_MAX - 5000.
constexpr std::int64_t Rounded10000(std::int64_t x) { return (x + 5000) / 10000; }
// R100(x) = (x + 50) / 100. REQUIRES: x <= INT64_MAX - 50.
constexpr std::int64_t Rounded100(std::int64_t x) { return (x + 50) / 100; }

// An amount times a factor: R(amount x factor).
constexpr std::int64_t ApplyFactor(std::int64_t amount, std::int64_t factor) {
  return Rounded10000(amount * factor);
}
// Cents of a weight in lbs at a rate in cents per 100 lbs: R100(weight x rate).
constexpr std::int64_t LineCharge(std::int64_t weight, std::int64_t rate) {
  return Rounded100(weight * rate);
}

}  // namespace tolv

#endif  // TOLV32DLL_RATES_FACTOR_ROUNDING_H_
