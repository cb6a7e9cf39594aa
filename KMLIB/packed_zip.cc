#include "KMLIB/packed_zip.h"

#include <algorithm>

#include "platform/os/ascii_text.h"

namespace kmlib {

namespace {

char At(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : ' '; }

}  // namespace

std::optional<std::array<std::uint8_t, 3>> PackZip(std::string_view code) {
  const char first = At(code, 0);
  if (os::IsAsciiDigit(first)) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 5; ++i) {
      const auto c = static_cast<unsigned char>(os::AsciiUpper(At(code, i)));
      value = (value << 4) | ((c - '0') & 0xFu);
    }
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(value >> 16),
                                       static_cast<std::uint8_t>(value >> 8),
                                       static_cast<std::uint8_t>(value)};
  }
  if (os::IsAsciiAlpha(first)) {
    return std::array<std::uint8_t, 3>{static_cast<std::uint8_t>(os::AsciiUpper(first)),
                                       static_cast<std::uint8_t>(At(code, 1)),
                                       static_cast<std::uint8_t>(os::AsciiUpper(At(code, 2)))};
  }
  return std::nullopt;
}

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

bool IsFiveDigitZip(std::string_view code) {
  return code.size() >= 5 && std::all_of(code.begin(), code.begin() + 5, os::IsAsciiDigit);
}

std::optional<std::uint32_t> PackedDigits(std::string_view code) {
  if (code.size() < 5) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 5; ++i) {
    if (!os::IsAsciiDigit(code[i])) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(code[i] - '0');
  }
  return value;
}

bool IsPostalPrefix(std::string_view code) {
  return code.size() >= 3 && os::IsAsciiAlpha(code[0]) && os::IsAsciiDigit(code[1]) &&
         os::IsAsciiAlpha(code[2]);
}

bool CodeInPackedRange(std::string_view code, std::span<const std::uint8_t> one_end,
                       std::span<const std::uint8_t> other_end) {
  if (const std::optional<std::uint32_t> key = PackedDigits(code)) {
    const std::optional<std::uint32_t> one = PackedDigitsOf(one_end);
    const std::optional<std::uint32_t> other = PackedDigitsOf(other_end);
    if (one && other) return std::min(*one, *other) <= *key && *key <= std::max(*one, *other);
  }
  std::size_t width;
  if (IsFiveDigitZip(code)) {
    width = 5;
  } else if (IsPostalPrefix(code)) {
    width = 3;
  } else {
    return false;
  }
  std::array<char, 5> key_chars;
  std::copy_n(code.begin(), width, key_chars.begin());
  if (width == 3) {
    key_chars[0] = os::AsciiUpper(key_chars[0]);
    key_chars[2] = os::AsciiUpper(key_chars[2]);
  }
  const std::string_view key(key_chars.data(), width);
  // A 3-character end against a 5-digit key compares as the shorter text: below it when
  // it is its prefix, as a blank-padded end would.
  const ZipText one_text = UnpackZipText(one_end);
  const ZipText other_text = UnpackZipText(other_end);
  const std::string_view a = one_text.view().substr(0, width);
  const std::string_view b = other_text.view().substr(0, width);
  return std::min(a, b) <= key && key <= std::max(a, b);
}

}  // namespace kmlib
