// The 3-byte packed ZIP or postal code of the tariff files. A first byte below 10 means
// five digits held as nibbles (12345 is 01 23 45); otherwise the bytes are the first three
// characters of a postal code.
#ifndef KMLIB_PACKED_ZIP_H_
#define KMLIB_PACKED_ZIP_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kmlib {

// A code whose first character is a digit packs its first 5 characters as nibbles
// ("12345" -> 01 23 45); a code whose first character is a letter keeps 3 characters, the
// first and third upper-cased ("k1a0b1" -> 'K' '1' 'A'). Missing characters count as
// blanks. nullopt for any other first character (nothing packs; a search finds nothing).
std::optional<std::array<std::uint8_t, 3>> PackZip(std::string_view code);

// An unpacked code held in place, so that searches compare codes without allocating.
struct ZipText {
  std::array<char, 5> chars{};  // NUL after a 3-character code
  std::size_t size = 0;         // 5 or 3
  std::string_view view() const { return {chars.data(), size}; }
};

// The code as text: 5 digits, or 3 characters (first and third upper-cased, ASCII only).
// Does not check bounds. REQUIRES: packed holds at least 3 bytes.
ZipText UnpackZipText(std::span<const std::uint8_t> packed);
std::string UnpackZip(std::span<const std::uint8_t> packed);

// The first five characters are digits.
bool IsFiveDigitZip(std::string_view code);

// Five digits compare against an end packed as digits as the packed numbers do: the
// unpacked characters are the nibbles plus '0' in order, so no unpacking is needed.
// The first five characters of code as the files pack them; nullopt unless they are digits.
std::optional<std::uint32_t> PackedDigits(std::string_view code);
// The number an end packed as digits holds; nullopt for an end packed as characters.
// REQUIRES: packed holds at least 3 bytes.
inline std::optional<std::uint32_t> PackedDigitsOf(std::span<const std::uint8_t> packed) {
  if (packed[0] >= 10) return std::nullopt;
  return (static_cast<std::uint32_t>(packed[0]) << 16) |
         (static_cast<std::uint32_t>(packed[1]) << 8) | packed[2];
}
// Letter, digit, letter: the prefix of a Canadian postal code.
bool IsPostalPrefix(std::string_view code);

// Whether a code lies between two packed ends, both included, taken in whichever order
// they are stored. Five digits compare on 5 characters, a postal prefix on 3 (its letters
// upper-cased); a code of neither form is outside. REQUIRES: each end holds 3 bytes.
bool CodeInPackedRange(std::string_view code, std::span<const std::uint8_t> one_end,
                       std::span<const std::uint8_t> other_end);

}  // namespace kmlib

#endif  // KMLIB_PACKED_ZIP_H_
