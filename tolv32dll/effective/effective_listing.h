// The listing of the effective-date table that Tolv_GetEffectiveTable returns: one row
// per tariff and date, as 17 bytes of name, date digits and letter.
#ifndef TOLV32DLL_EFFECTIVE_EFFECTIVE_LISTING_H_
#define TOLV32DLL_EFFECTIVE_EFFECTIVE_LISTING_H_

#include <array>
#include <cstdint>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/effective/effective_entry.h"

namespace tolv {

// EffectiveTableRow: tariff name (8), date ccyymmdd (8), letter (1).
namespace effective_table_row {
inline constexpr os::Field kName = os::TextField(0, 8);
inline constexpr os::Field kDate = os::TextField(8, 8);
inline constexpr os::Field kLetter = os::TextField(16, 1);
inline constexpr std::size_t kSize = 17;
static_assert(os::FieldsTile({kName, kDate, kLetter}, kSize));
}  // namespace effective_table_row

using EffectiveTableRow = std::array<std::uint8_t, effective_table_row::kSize>;

// The rows of the sorted entries. Kind 'N' and 'P' tariffs give a row per name and date
// (letter 'I' for an intrastate one), kind 'X' one per 3-character prefix and date, kind
// 'Y' one "Bureau" row; names ending in "2A" and kind 'S' give none. Sorted by name and
// date.
std::vector<EffectiveTableRow> BuildEffectiveListing(const std::vector<EffectiveEntry>& entries);

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_EFFECTIVE_LISTING_H_
