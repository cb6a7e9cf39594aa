// Small rules the lane readers and appliers share: fixed-width keys, amounts within
// 0..9999999, and only the priced cells and the brackets in use touched.
#ifndef TOLV32DLL_LANES_LANE_COMMON_H_
#define TOLV32DLL_LANES_LANE_COMMON_H_

#include <algorithm>
#include <cstdint>
#include <string>

#include "tolv32dll/charges/charge_result.h"

namespace tolv::lane_apply {

// The text cut or blank-padded to width.
inline std::string Padded(const std::string& text, std::size_t width) {
  std::string out = text.substr(0, std::min(text.size(), width));
  out.resize(width, ' ');
  return out;
}

inline std::int32_t Clamped(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, ChargeResult::kUnpriced));
}

// The priced cells: rows x breaks, within the matrix.
inline std::size_t CellCount(int rows, int breaks) {
  if (rows <= 0 || breaks <= 0) return 0;
  return std::min<std::size_t>(static_cast<std::size_t>(rows) * static_cast<std::size_t>(breaks),
                               RateMatrix::kCells);
}

inline std::size_t BracketCount(const ChargeResult& result) {
  return std::min<std::size_t>(
      static_cast<std::size_t>(std::max<std::int16_t>(result.brackets.count, 0)),
      MinimumBrackets::kMax);
}

// Break j of every priced row: fn(cell) for each.
template <typename Fn>
void ForBreakColumn(ChargeResult& result, int rows, int breaks, int j, Fn fn) {
  for (int c = 0; c < rows; ++c) {
    const std::size_t k = static_cast<std::size_t>(c * breaks + j);
    if (k >= RateMatrix::kCells) break;
    fn(result.matrix.cells[k]);
  }
}

}  // namespace tolv::lane_apply

#endif  // TOLV32DLL_LANES_LANE_COMMON_H_
