#include "KMLIB/packed_zip.h"

#include <cctype>

namespace kmlib {

std::string UnpackZip(std::span<const std::uint8_t> packed) {
  if (packed[0] < 10) {
    std::uint32_t v = (static_cast<std::uint32_t>(packed[0]) << 16) |
                      (static_cast<std::uint32_t>(packed[1]) << 8) | packed[2];
    std::string digits(5, '0');
    for (int i = 4; i >= 0; --i) {
      digits[static_cast<std::size_t>(i)] = static_cast<char>((v & 0x0F) | 0x30);
      v >>= 4;
    }
    return digits;
  }
  std::string code(3, ' ');
  code[0] = static_cast<char>(std::toupper(packed[0]));
  code[1] = static_cast<char>(packed[1]);
  code[2] = static_cast<char>(std::toupper(packed[2]));
  return code;
}

}  // namespace kmlib
