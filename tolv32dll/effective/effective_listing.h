// The listing of the effective-date table that Tolv_GetEffectiveTable returns: one row
// per tariff and date, as 17 bytes of name, date digits and letter.
#ifndef TOLV32DLL_EFFECTIVE_EFFECTIVE_LISTING_H_
#define TOLV32DLL_EFFECTIVE_EFFECTIVE_LISTING_H_

#include <array>
#include <cstdint>
#include <vector>

#include "tolv32dll/effective/effective_entry.h"

namespace tolv {

// EffectiveTableRow: tariff name (8), date ccyymmdd (8), letter (1).
struct EffectiveTableRowLayout {
  static constexpr std::size_t kName = 0;
  static constexpr std::size_t kDate = 8;
  static constexpr std::size_t kLetter = 16;
  static constexpr std::size_t kSize = 8 + 8 + 1;
};
static_assert(EffectiveTableRowLayout::kLetter + 1 == EffectiveTableRowLayout::kSize);

using EffectiveTableRow = std::array<std::uint8_t, EffectiveTableRowLayout::kSize>;

// The rows of the sorted entries. Kind 'N' and 'P' tariffs give a row per name and date
// (letter 'I' for an intrastate one), kind 'X' one per 3-character prefix and date, kind
// 'Y' one "Bureau" row; names ending in "2A" and kind 'S' give none. Sorted by name and
// date.
std::vector<EffectiveTableRow> BuildEffectiveListing(const std::vector<EffectiveEntry>& entries);

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_EFFECTIVE_LISTING_H_
