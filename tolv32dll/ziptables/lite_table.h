// The Lite table: it maps a rate basis letter and a threshold to a Lite table number (a
// factor set) and an add-on flag. Every engine starts with the built-in rows; a tariff's
// Lite E base ".B" may carry its own table in its last rows. (The Lite code list lives
// with the weight types, which may rename its codes.)
#ifndef TOLV32DLL_ZIPTABLES_LITE_TABLE_H_
#define TOLV32DLL_ZIPTABLES_LITE_TABLE_H_

#include <array>
#include <cstdint>
#include <vector>

#include "tolv32dll/points/file_view.h"

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

// A row from its 10 bytes.
LiteTableRow LiteTableRowFrom(const std::uint8_t* bytes);

// The table at the tail of ".B": read backwards from the last row, past rows until the end
// row (table number "000", kept last; letter 'X' becomes '*'), then the rows before it up
// to and including the start row ("000"), at most 250 rows in all. With a start row of
// letter 'X' the table is the rows after it through the end row; otherwise (and for a
// file shorter than one row, or one without both rows) it is the built-in table.
std::vector<LiteTableRow> LoadLiteTable(const FileView& base);

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_LITE_TABLE_H_
