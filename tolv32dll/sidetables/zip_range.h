// Postal-code forms and range tests shared by the side tables and tariff determination:
// 5-digit US ZIP codes and 3-character Canadian prefixes (letter, digit, letter).
#ifndef TOLV32DLL_SIDETABLES_ZIP_RANGE_H_
#define TOLV32DLL_SIDETABLES_ZIP_RANGE_H_

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "platform/os/bytes.h"

namespace tolv {

bool Zip_IsFiveDigits(std::string_view code);
bool Zip_IsCanadianPrefix(std::string_view code);

// 0 when the code lies inside a 6-byte range of two packed ends, -1 outside or when the code
// is of neither form. A ZIP compares on 5 characters, a Canadian prefix on 3. The ends are
// taken in either order, since the files that hold such ranges store them differently.
// REQUIRES: range.size() >= 6.
int Zip_InRange(std::string_view code, os::ByteSpan range);

// A code as a range comparison sees it: its first n characters, blank-padded, n being 5
// for a code beginning with a digit, else 3.
struct ZipRangeKey {
  std::array<char, 5> text{};
  std::size_t n = 0;
  int Compare(const ZipRangeKey& other) const {
    return std::memcmp(text.data(), other.text.data(), n);
  }
};
ZipRangeKey ZipRangeKeyOf(std::string_view code);

// Orders a key against a range given by its low and high packed ends: -1 below, 1 above,
// 0 inside.
int CompareZipWithRange(const ZipRangeKey& key, const std::uint8_t* low, const std::uint8_t* high);

}  // namespace tolv

#endif  // TOLV32DLL_SIDETABLES_ZIP_RANGE_H_
