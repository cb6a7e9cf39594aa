#include "platform/runtime/currency.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/runtime/error.h"
#include "platform/runtime/format.h"

namespace runtime {

Currency Currency::FromDouble(double value) {
  // Through the 15-digit decimal form, so 0.1 + 0.2 is 3000 units, not 2999.
  DecimalDigits d = RoundDecimal(value, 4);
  if (!std::isfinite(value) || d.integer.size() > 15) Raise(kErrOverflow);
  std::int64_t whole = std::stoll(d.integer);
  std::int64_t frac = std::stoll(d.fraction);
  if (whole > (INT64_MAX - frac) / kScale) Raise(kErrOverflow);
  std::int64_t units = whole * kScale + frac;
  return FromUnits(d.negative ? -units : units);
}

Currency Currency::operator+(Currency other) const {
  std::int64_t r;
  if (__builtin_add_overflow(units_, other.units_, &r)) Raise(kErrOverflow);
  return FromUnits(r);
}

Currency Currency::operator-(Currency other) const {
  std::int64_t r;
  if (__builtin_sub_overflow(units_, other.units_, &r)) Raise(kErrOverflow);
  return FromUnits(r);
}

}  // namespace runtime
