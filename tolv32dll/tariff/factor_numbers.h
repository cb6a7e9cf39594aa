// The number readers of the factor file's data lines. A cursor walks one line; each read
// skips leading blanks and takes one number. Reads other than ReadShort give nullopt at
// the end of the line (NUL, CR or LF). A value that is no number, or that does not fit
// 32 bits, marks the cursor bad: the file is corrupt.
#ifndef TOLV32DLL_TARIFF_FACTOR_NUMBERS_H_
#define TOLV32DLL_TARIFF_FACTOR_NUMBERS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tolv {

// A class code in a 6-character slot, NUL-terminated (at most 5 characters).
using ClassCode = std::array<char, 6>;

class FactorLineCursor {
 public:
  explicit FactorLineCursor(std::string_view line) : line_(line) {}

  // Unsigned decimal to 16 bits; 0 when there is no digit. Never nullopt.
  std::uint16_t Parm_ReadShort();
  // Decimal (optional sign) to 32 bits.
  std::optional<std::int32_t> Parm_ReadInt();
  // Decimal with an optional point, scaled to 4 implied decimals: "12.5" gives 125000,
  // "7" 70000; more than 4 decimals are not cut ("1.23456" gives 123456).
  std::optional<std::int32_t> Parm_ReadFixed4();
  // "FAK..." or, with package_codes, the next 3 characters as they stand; else the run of
  // digits ("92" stays "92"). Any other token is taken up to the next blank. At most 5
  // characters are kept.
  std::optional<ClassCode> Parm_ReadClassCode(bool package_codes);

  bool bad() const { return bad_; }
  bool AtEnd();

 private:
  void SkipBlanks();
  char Peek() const { return pos_ < line_.size() ? line_[pos_] : '\0'; }

  std::string_view line_;
  std::size_t pos_ = 0;
  bool bad_ = false;
};

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_FACTOR_NUMBERS_H_
