// The arithmetic of the charge computation: factors on cells and the percent discount of a
// cell, kept exact in integers.
#ifndef TOLV32DLL_RATES_CHARGE_MATH_H_
#define TOLV32DLL_RATES_CHARGE_MATH_H_

#include <cstdint>

namespace tolv {

// ApplyFactor(cell, factor) (10000 = 1.0); a cell of 0 stays 0. Results
// beyond 32 bits are clamped so that later formatting refuses them instead of wrapping.
std::int32_t ScaleCell(std::int32_t cell, std::int64_t factor);

// The percent discount of an amount, U(U(amount x percent) x 0.01) with U(x) = floor(x +
// 0.51), worked in hundredths of a percent so that no float artefact moves a cent.
std::int64_t PercentOf(std::int64_t amount, float percent);

// cell - PercentOf(cell, percent).
std::int32_t DiscountCell(std::int32_t cell, float percent);

// U(x x 10000) as an integer factor: the factor text of a float.
std::int64_t FactorOf(float value);

}  // namespace tolv

#endif  // TOLV32DLL_RATES_CHARGE_MATH_H_
