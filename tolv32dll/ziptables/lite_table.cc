#include "tolv32dll/ziptables/lite_table.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "tolv32dll/ziptables/zip_records.h"

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

LiteTableRow LiteTableRowFrom(const std::uint8_t* bytes) {
  namespace T = lite_table_row;
  LiteTableRow row{};
  row.letter = static_cast<char>(bytes[T::kLetter.offset]);
  std::memcpy(row.threshold.data(), bytes + T::kThreshold.offset, T::kThreshold.width);
  std::memcpy(row.table.data(), bytes + T::kTable.offset, T::kTable.width);
  row.flag = static_cast<char>(bytes[T::kFlag.offset]);
  return row;
}

std::vector<LiteTableRow> LoadLiteTable(const FileView& base) {
  namespace T = lite_table_row;
  const std::int64_t size = base.Size();
  const auto row_size = static_cast<std::int64_t>(T::kSize);
  std::array<std::uint8_t, T::kSize> bytes{};
  auto is_bound = [&]() { return std::memcmp(bytes.data() + T::kTable.offset, "000", 3) == 0; };
  std::int64_t at = size - row_size;
  std::size_t read = 0;
  // Past the rows that follow the end row.
  bool found_end = false;
  for (; at >= 0 && read < T::kSlots; at -= row_size) {
    if (!ReadExact(base, at, bytes)) return DefaultLiteTable();
    ++read;
    if (is_bound()) {
      found_end = true;
      break;
    }
  }
  if (!found_end) return DefaultLiteTable();
  std::vector<LiteTableRow> rows{LiteTableRowFrom(bytes.data())};
  if (rows.back().letter == 'X') rows.back().letter = '*';
  // The rows before it, back to the start row.
  for (at -= row_size; at >= 0 && read < T::kSlots; at -= row_size) {
    if (!ReadExact(base, at, bytes)) return DefaultLiteTable();
    ++read;
    if (is_bound()) {
      if (bytes[T::kLetter.offset] != 'X') return DefaultLiteTable();
      std::reverse(rows.begin(), rows.end());
      return rows;
    }
    rows.push_back(LiteTableRowFrom(bytes.data()));
  }
  return DefaultLiteTable();
}

}  // namespace tolv
