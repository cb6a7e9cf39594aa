#include "tolv32dll/engine/lite_table.h"

#include <algorithm>
#include <string_view>

namespace tolv {
namespace {

LiteTableRow Row(char letter, std::string_view threshold, std::string_view table, char flag) {
  LiteTableRow row{letter, {' ', ' ', ' ', ' ', ' '}, {'0', '0', '0'}, flag};
  std::copy_n(threshold.begin(), std::min<std::size_t>(threshold.size(), 5), row.threshold.begin());
  std::copy_n(table.begin(), 3, row.table.begin());
  return row;
}

}  // namespace

std::vector<LiteTableRow> DefaultLiteTable() {
  return {
      Row('A', "00", "001", 'N'), Row('A', "01", "001", 'Y'), Row('A', "9", "001", 'N'),
      Row('B', "", "002", 'N'),   Row('C', "", "003", 'N'),   Row('D', "", "004", 'N'),
      Row('E', "1", "005", 'N'),  Row('E', "2", "006", 'N'),  Row('E', "3", "007", 'N'),
      Row('E', "4", "008", 'N'),  Row('E', "9", "008", 'N'),  Row('F', "0", "009", 'Y'),
      Row('F', "5", "010", 'Y'),  Row('F', "9", "010", 'Y'),  Row('G', "", "011", 'N'),
      Row('H', "", "012", 'N'),   Row('J', "1", "013", 'N'),  Row('J', "2", "014", 'N'),
      Row('J', "3", "015", 'N'),  Row('J', "9", "015", 'N'),  Row('K', "0", "016", 'N'),
      Row('K', "5", "017", 'N'),  Row('K', "6", "018", 'N'),  Row('K', "9", "018", 'N'),
      Row('X', "", "000", 'X'),
  };
}

}  // namespace tolv
