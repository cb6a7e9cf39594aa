// The kind table: for each point-type letter, the record length of the tariff's rate file
// and the width of its rate-index entries in bits (0: 2-byte entries).
#ifndef TOLV32DLL_RATEBASIS_KIND_TABLE_H_
#define TOLV32DLL_RATEBASIS_KIND_TABLE_H_

#include <array>
#include <cstdint>
#include <optional>

namespace tolv {

struct KindRow {
  char letter;
  std::int16_t record_length;
  std::int16_t index_bits;
};

inline constexpr std::array<KindRow, 23> kKindTable{{
    {'0', 526, 0}, {'1', 25, 10}, {'2', 40, 11}, {'3', 526, 10}, {'4', 631, 0},
    {'5', 257, 0}, {'6', 593, 8},  {'7', 16, 0},  {'A', 40, 0},   {'B', 40, 0},
    {'C', 40, 0},  {'D', 25, 0},  {'E', 40, 0},  {'F', 52, 0},   {'G', 52, 0},
    {'H', 43, 0},  {'I', 52, 0},  {'J', 52, 0},  {'K', 52, 0},   {'L', 52, 0},
    {'M', 52, 0},  {'N', 52, 0},  {'Y', 52, 0},
}};

inline std::optional<KindRow> FindKindRow(char letter) {
  for (const KindRow& row : kKindTable) {
    if (row.letter == letter) return row;
  }
  return std::nullopt;
}

}  // namespace tolv

#endif  // TOLV32DLL_RATEBASIS_KIND_TABLE_H_
