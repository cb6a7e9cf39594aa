// The packed encodings of the tariff files and the engine's one rounding rule. The
// encodings are file formats, bit-exact; multi-byte values are most significant byte first
// except the 24-bit table entries, which are little-endian. The codecs do not validate:
// a non-digit in a digit field gives whatever its code minus '0' yields (kept to 4 bits).
#ifndef TOLV32DLL_TARIFF_CODECS_H_
#define TOLV32DLL_TARIFF_CODECS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/bytes.h"

namespace tolv {

using PackedZip = std::array<std::uint8_t, 3>;

// A code whose first character is a digit packs its first 5 characters as nibbles
// ("12345" -> 01 23 45); a code whose first character is a letter keeps 3 characters, the
// first and third upper-cased ("k1a0b1" -> 'K' '1' 'A'). Missing characters count as
// blanks. nullopt for any other first character (nothing packs; a search finds nothing).
std::optional<PackedZip> Zip_Pack(std::string_view code);
// kmlib::UnpackZip (KMLIB/packed_zip.h) reads a packed code back.

// n digits (n is cut to 1..8) as nibbles, first digit most significant, into ceil(n/2)
// bytes; an odd count leaves a leading zero nibble. Missing digits count as '0'.
// Does not check bounds. REQUIRES: target has ceil(n/2) writable bytes.
void Bcd_Pack(std::uint8_t* target, std::string_view digits, int n);
// The n digits of ceil(n/2) packed bytes. Does not check bounds.
// REQUIRES: source has ceil(n/2) readable bytes.
std::string Bcd_Unpack(const std::uint8_t* source, int n);

// A 6-character code in 3 bytes: the first character in base 36 ('0'-'9', 'A'-'Z') times
// 100000 plus characters 1-5 read as a decimal number (leading blanks skipped, stopping at
// the first non-digit). Does not check bounds. REQUIRES: target has 3 writable bytes.
void Code6_Pack(std::uint8_t* target, std::string_view code);
// The 6 characters of a packed code. Does not check bounds.
// REQUIRES: source has 3 readable bytes.
std::string Code6_Unpack(const std::uint8_t* source);

// Entry i of the run of 3-byte little-endian values that begins 10 bytes into a record;
// 0 when the entry lies outside the record (checks bounds).
std::uint32_t Util_Get24(os::ByteSpan record, int i);

// The position of the unordered pair (a, b) in a triangular table: lo + hi * (hi + 1) / 2.
std::int32_t Util_PairIndex(std::int32_t a, std::int32_t b);

// floor(value * 10^n + 0.51) / 10^n, computed in double from the float argument and
// returned as float. The addend 0.51 rounds up a scaled fraction of 0.49 or more. Amounts
// above 2^24 have already lost precision in the float argument.
float Util_RoundDecimals(float value, int n);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_CODECS_H_
