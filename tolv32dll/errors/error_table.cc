#include "tolv32dll/errors/error_table.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/os/ascii_text.h"

namespace tolv {
namespace {

// Rows that stand for a range of per-detail numbers: the detail line is number - row.
bool MatchesDetailRange(std::int32_t row, std::int32_t number) {
  return (row == 400 && number >= 401 && number <= 498) ||
         (row == 500 && number >= 501 && number <= 598);
}

// The number in the first four bytes as the engine reads "%4d": white space, then a sign
// and digits within four characters, a NUL ending the text; 0 when there is no digit.
std::int32_t ReadNumber(const std::uint8_t* record) {
  const auto* bytes = reinterpret_cast<const char*>(record);
  const std::string_view text(bytes,
                              std::find(bytes, bytes + kErrorStringNumberWidth, '\0') - bytes);
  std::size_t i = 0;
  while (i < text.size() && os::IsAsciiSpace(text[i])) ++i;
  const std::string_view field = text.substr(i, 4);  // the skipped space is not counted
  std::size_t j = 0;
  const bool negative = j < field.size() && field[j] == '-';
  if (j < field.size() && (field[j] == '-' || field[j] == '+')) ++j;
  if (j == field.size() || !os::IsAsciiDigit(field[j])) return 0;
  std::int32_t value = 0;
  for (; j < field.size() && os::IsAsciiDigit(field[j]); ++j) value = value * 10 + (field[j] - '0');
  return negative ? -value : value;
}

}  // namespace

std::string ErrorMessage(std::int32_t number) {
  if (number == 0) return "";
  for (const ErrorTableRow& row : kErrorTable) {
    if (row.number == number) return row.message;
    if (MatchesDetailRange(row.number, number)) {
      // "-%2.2d" of the line number, which is 1 to 98 here.
      std::int32_t line = number - row.number;
      return std::string(row.message) + "-" + static_cast<char>('0' + line / 10) +
             static_cast<char>('0' + line % 10);
    }
  }
  return "";
}

void FillErrorString(std::uint8_t* record) {
  std::int32_t number = ReadNumber(record);
  std::string message = ErrorMessage(number);
  constexpr std::size_t kRoom = kErrorStringRecordSize - kErrorStringNumberWidth;
  std::uint8_t* out = record + kErrorStringNumberWidth;
  std::memset(out, 0, kRoom);
  std::memcpy(out, message.data(), std::min(message.size(), kRoom));
}

}  // namespace tolv
