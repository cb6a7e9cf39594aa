#include "tolv32dll/rates/charge_math.h"

#include <cmath>
#include <limits>

#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {
namespace {

std::int32_t Clamp32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

// floor(n / d + 0.51) for d = 100, exact for either sign.
std::int64_t RoundHundredths(std::int64_t n) {
  std::int64_t shifted = n + 51;
  std::int64_t q = shifted / 100;
  if (shifted % 100 != 0 && shifted < 0) --q;
  return q;
}

}  // namespace

std::int32_t ScaleCell(std::int32_t cell, std::int64_t factor) {
  if (cell == 0) return 0;
  return Clamp32(ApplyFactor(cell, factor));
}

std::int64_t PercentOf(std::int64_t amount, float percent) {
  if (percent == 0.0f) return 0;  // most amounts carry no discount
  // Percent texts carry two decimals ("2500 " = 25.00 %).
  const std::int64_t hundredths = std::llround(static_cast<double>(percent) * 100.0);
  // U(amount x percent) = floor((amount x hundredths + 51) / 100); then U(that x 0.01).
  return RoundHundredths(RoundHundredths(amount * hundredths));
}

std::int32_t DiscountCell(std::int32_t cell, float percent) {
  return Clamp32(cell - PercentOf(cell, percent));
}

std::int64_t FactorOf(float value) {
  return static_cast<std::int64_t>(std::floor(static_cast<double>(value) * 10000.0 + 0.51));
}

}  // namespace tolv
