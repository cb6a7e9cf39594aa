#include "KMLIB/packed_zip.h"

#include "platform/os/ascii_text.h"

namespace kmlib {

ZipText UnpackZipText(std::span<const std::uint8_t> packed) {
  ZipText text;
  if (packed[0] < 10) {
    std::uint32_t v = (static_cast<std::uint32_t>(packed[0]) << 16) |
                      (static_cast<std::uint32_t>(packed[1]) << 8) | packed[2];
    for (int i = 4; i >= 0; --i) {
      text.chars[static_cast<std::size_t>(i)] = static_cast<char>((v & 0x0F) | 0x30);
      v >>= 4;
    }
    text.size = 5;
    return text;
  }
  text.chars[0] = os::AsciiUpper(static_cast<char>(packed[0]));
  text.chars[1] = static_cast<char>(packed[1]);
  text.chars[2] = os::AsciiUpper(static_cast<char>(packed[2]));
  text.size = 3;
  return text;
}

std::string UnpackZip(std::span<const std::uint8_t> packed) {
  return std::string(UnpackZipText(packed).view());
}

}  // namespace kmlib
