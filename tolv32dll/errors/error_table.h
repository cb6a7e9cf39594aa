// The engine's error table: each error number with its mnemonic code and short message,
// and the look-up that turns a number into the text a caller shows.
#ifndef TOLV32DLL_ERRORS_ERROR_TABLE_H_
#define TOLV32DLL_ERRORS_ERROR_TABLE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tolv {

struct ErrorTableRow {
  const char* code;  // up to 7 characters; "NOTUSED" for service-guide numbers
  std::int32_t number;
  const char* message;  // up to 29 characters
};

inline constexpr std::size_t kErrorTableRows = 160;
extern const std::array<ErrorTableRow, kErrorTableRows> kErrorTable;

// The message of number: "" for 0 and for numbers without a row; the first row of the
// number otherwise. 401-498 give row 400's message and 501-598 row 500's, followed by "-"
// and the line number in two digits ("-03").
std::string ErrorMessage(std::int32_t number);

// The 80-byte error-string record: bytes 0-3 hold the number as four digits (in); the
// message goes from byte 4 (out), at most 76 characters, NUL-filled to the end.
inline constexpr std::size_t kErrorStringRecordSize = 80;
inline constexpr std::size_t kErrorStringNumberWidth = 4;

// Reads the number from record, writes its message. Bytes 0-3 that do not read as a
// number (the blanks of a rated record's status) count as 0, which has no message.
// REQUIRES: record points at kErrorStringRecordSize writable bytes.
void FillErrorString(std::uint8_t* record);

}  // namespace tolv

#endif  // TOLV32DLL_ERRORS_ERROR_TABLE_H_
