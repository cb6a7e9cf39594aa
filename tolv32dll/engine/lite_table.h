// The default Lite table every engine starts with: it maps a letter and a threshold to a
// Lite table number; the ZIP-keyed tariff tables read it. (The Lite code list lives with
// the weight types, which may rename its codes.)
#ifndef TOLV32DLL_ENGINE_LITE_TABLE_H_
#define TOLV32DLL_ENGINE_LITE_TABLE_H_

#include <array>
#include <vector>

namespace tolv {

// One 10-byte row: letter, 5-character threshold, 3-digit table number, flag.
struct LiteTableRow {
  char letter;
  std::array<char, 5> threshold;
  std::array<char, 3> table;
  char flag;

  bool operator==(const LiteTableRow&) const = default;
};

// The 24 default rows followed by the end row (letter 'X').
std::vector<LiteTableRow> DefaultLiteTable();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_LITE_TABLE_H_
