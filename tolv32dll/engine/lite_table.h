// The Lite code list and the default Lite table every engine starts with. The table maps a
// letter and a threshold to a Lite table number; the ZIP-keyed tariff tables read it.
#ifndef TOLV32DLL_ENGINE_LITE_TABLE_H_
#define TOLV32DLL_ENGINE_LITE_TABLE_H_

#include <array>
#include <string_view>
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

// The nine Lite codes, "L5C" to "M40M".
inline constexpr std::array<std::string_view, 9> kLiteCodes = {"L5C",  "M5C",  "M1M",  "M2M", "M5M",
                                                               "M10M", "M20M", "M30M", "M40M"};

// The 24 default rows followed by the end row (letter 'X').
std::vector<LiteTableRow> DefaultLiteTable();

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_LITE_TABLE_H_
