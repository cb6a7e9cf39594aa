// The 3-byte packed ZIP or postal code of the TD binary files. A first byte below 10
// means five digits held as nibbles (12345 is 01 23 45); otherwise the bytes are the
// first three characters of a postal code.
#ifndef KMLIB_PACKED_ZIP_H_
#define KMLIB_PACKED_ZIP_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kmlib {

// An unpacked code held in place, so that searches compare codes without allocating.
struct ZipText {
  std::array<char, 5> chars{};  // NUL after a 3-character code
  std::size_t size = 0;         // 5 or 3
  std::string_view view() const { return {chars.data(), size}; }
};

// The code as text: 5 digits, or 3 characters (first and third upper-cased).
// REQUIRES: packed holds at least 3 bytes.
ZipText UnpackZipText(std::span<const std::uint8_t> packed);
std::string UnpackZip(std::span<const std::uint8_t> packed);

}  // namespace kmlib

#endif  // KMLIB_PACKED_ZIP_H_
