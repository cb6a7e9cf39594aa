// The order of a code against the ranges of packed ends that the service-letter table
// searches: 5-digit US ZIP codes and 3-character Canadian prefixes.
#ifndef TOLV32DLL_SIDETABLES_ZIP_RANGE_H_
#define TOLV32DLL_SIDETABLES_ZIP_RANGE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace tolv {

// A code as a range comparison sees it: its first n characters, blank-padded, n being 5
// for a code beginning with a digit, else 3.
struct ZipRangeKey {
  std::array<char, 5> text{};
  std::size_t n = 0;
  std::optional<std::uint32_t> digits;  // a 5-character key of digits, packed
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
