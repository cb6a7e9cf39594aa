#include "tolv32dll/errors/error_table.h"

#include <cstdio>
#include <cstring>

namespace tolv {
namespace {

// Rows that stand for a range of per-detail numbers: the detail line is number - row.
bool MatchesDetailRange(std::int32_t row, std::int32_t number) {
  return (row == 400 && number >= 401 && number <= 498) ||
         (row == 500 && number >= 501 && number <= 598);
}

// The number in the first four bytes as the engine reads "%04d": optional blanks, a sign
// and digits; 0 when there is no digit.
std::int32_t ReadNumber(const std::uint8_t* record) {
  char text[kErrorStringNumberWidth + 1] = {};
  std::memcpy(text, record, kErrorStringNumberWidth);
  int value = 0;
  if (std::sscanf(text, "%4d", &value) != 1) return 0;
  return value;
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
