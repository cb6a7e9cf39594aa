// Currency: a signed 64-bit count of ten-thousandths, the desktop program's fixed-point money.
// Sums and differences are exact; a result beyond the 64-bit range is run-time error 6
// (overflow). Conversion from a double rounds half away from zero at the fourth decimal.
#ifndef FRELANE_PLATFORM_RUNTIME_CURRENCY_H_
#define FRELANE_PLATFORM_RUNTIME_CURRENCY_H_

#include <compare>
#include <cstdint>

namespace runtime {

class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Currency() = default;
  static constexpr Currency FromUnits(std::int64_t ten_thousandths) {
    Currency c;
    c.units_ = ten_thousandths;
    return c;
  }
  static constexpr Currency FromCents(std::int64_t cents) { return FromUnits(cents * 100); }
  // Overflow (error 6) when the value does not fit.
  static Currency FromDouble(double value);

  constexpr std::int64_t units() const { return units_; }
  double ToDouble() const { return static_cast<double>(units_) / kScale; }

  Currency operator+(Currency other) const;
  Currency operator-(Currency other) const;
  Currency& operator+=(Currency other) { return *this = *this + other; }
  Currency& operator-=(Currency other) { return *this = *this - other; }
  friend constexpr auto operator<=>(Currency, Currency) = default;

 private:
  std::int64_t units_ = 0;
};

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_CURRENCY_H_
