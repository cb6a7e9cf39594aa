// The 3-byte packed form of a ZIP or postal code used by the tariff files: a code that
// begins with a digit is 5 BCD nibbles (12345 -> 01 23 45); a code that begins with a
// letter keeps its first 3 characters (K1A -> 'K' '1' 'A', first and third upper-cased).
#ifndef TOLV32DLL_POINTS_PACKED_ZIP_H_
#define TOLV32DLL_POINTS_PACKED_ZIP_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolv {

using PackedZip = std::array<std::uint8_t, 3>;

// nullopt when the code begins with neither a digit nor a letter (it packs to nothing, and
// a search with it finds nothing).
std::optional<PackedZip> PackZip(std::string_view code);
// 5 digits when the first byte is below 10, else 3 characters. Does not check bounds.
// REQUIRES: p points at 3 readable bytes.
std::string UnpackZip(const std::uint8_t* p);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_PACKED_ZIP_H_
