#include "tolv32dll/points/packed_zip.h"

#include <cctype>

namespace tolv {

std::optional<PackedZip> PackZip(std::string_view code) {
  if (code.empty()) return std::nullopt;
  unsigned char first = static_cast<unsigned char>(code[0]);
  auto at = [&](std::size_t i) -> unsigned char {
    return i < code.size() ? static_cast<unsigned char>(code[i]) : ' ';
  };
  if (first >= '0' && first <= '9') {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 5; ++i) {
      std::uint32_t nibble = static_cast<std::uint32_t>(std::toupper(at(i)) - '0') & 0xF;
      value = (value << 4) | nibble;
    }
    return PackedZip{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value)};
  }
  if (std::isalpha(first)) {
    return PackedZip{static_cast<std::uint8_t>(std::toupper(first)), at(1),
                     static_cast<std::uint8_t>(std::toupper(at(2)))};
  }
  return std::nullopt;
}

std::string UnpackZip(const std::uint8_t* p) {
  if (p[0] < 10) {
    std::uint32_t value = (static_cast<std::uint32_t>(p[0]) << 16) |
                          (static_cast<std::uint32_t>(p[1]) << 8) | p[2];
    std::string digits(5, '0');
    for (int i = 4; i >= 0; --i) {
      digits[i] = static_cast<char>((value & 0xF) | 0x30);
      value >>= 4;
    }
    return digits;
  }
  return std::string{static_cast<char>(std::toupper(p[0])), static_cast<char>(p[1]),
                     static_cast<char>(std::toupper(p[2]))};
}

}  // namespace tolv
