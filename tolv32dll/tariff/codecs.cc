#include "tolv32dll/tariff/codecs.h"

#include <algorithm>
#include <cmath>

#include "KMLIB/packed_zip.h"
#include "platform/os/ascii_text.h"

namespace tolv {
namespace {

char At(std::string_view text, std::size_t i, char missing) {
  return i < text.size() ? text[i] : missing;
}

std::uint32_t Nibble(char c) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(c) - '0') & 0xF;
}

char Base36Digit(std::uint32_t v) { return static_cast<char>(v < 10 ? '0' + v : 'A' + (v - 10)); }

}  // namespace

std::optional<PackedZip> Zip_Pack(std::string_view code) { return kmlib::PackZip(code); }

void Bcd_Pack(std::uint8_t* target, std::string_view digits, int n) {
  n = std::clamp(n, 1, 8);
  std::uint32_t value = 0;
  for (int i = 0; i < n; ++i) value = (value << 4) | Nibble(At(digits, i, '0'));
  int bytes = (n + 1) / 2;
  for (int i = bytes - 1; i >= 0; --i, value >>= 8) target[i] = static_cast<std::uint8_t>(value);
}

std::string Bcd_Unpack(const std::uint8_t* source, int n) {
  n = std::clamp(n, 1, 8);
  int bytes = (n + 1) / 2;
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | source[i];
  std::string digits(n, '0');
  for (int i = n - 1; i >= 0; --i, value >>= 4) digits[i] = static_cast<char>((value & 0xF) | 0x30);
  return digits;
}

void Code6_Pack(std::uint8_t* target, std::string_view code) {
  char first = At(code, 0, '0');
  std::int64_t d0 =
      (first >= 'A' && first <= 'Z') ? first - 'A' + 10 : static_cast<unsigned char>(first) - '0';
  std::size_t i = 1;
  while (i < 6 && At(code, i, '\0') == ' ') ++i;
  std::int64_t rest = 0;
  for (; i < 6; ++i) {
    char c = At(code, i, '\0');
    if (c < '0' || c > '9') break;
    rest = rest * 10 + (c - '0');
  }
  auto value = static_cast<std::uint32_t>(d0 * 100000 + rest) & 0xFFFFFF;
  target[0] = static_cast<std::uint8_t>(value >> 16);
  target[1] = static_cast<std::uint8_t>(value >> 8);
  target[2] = static_cast<std::uint8_t>(value);
}

std::string Code6_Unpack(const std::uint8_t* source) {
  std::uint32_t value = (static_cast<std::uint32_t>(source[0]) << 16) |
                        (static_cast<std::uint32_t>(source[1]) << 8) | source[2];
  std::string code(6, '0');
  for (int i = 5; i >= 1; --i, value /= 10) code[i] = static_cast<char>('0' + value % 10);
  code[0] = Base36Digit(value % 36);
  return code;
}

std::uint32_t Util_Get24(os::ByteSpan record, int i) {
  if (i < 0) return 0;
  std::size_t at = 10 + 3 * static_cast<std::size_t>(i);
  if (at + 3 > record.size()) return 0;
  return static_cast<std::uint32_t>(record[at]) |
         (static_cast<std::uint32_t>(record[at + 1]) << 8) |
         (static_cast<std::uint32_t>(record[at + 2]) << 16);
}

std::int32_t Util_PairIndex(std::int32_t a, std::int32_t b) {
  std::int64_t lo = std::min(a, b);
  std::int64_t hi = std::max(a, b);
  return static_cast<std::int32_t>(lo + hi * (hi + 1) / 2);
}

float Util_RoundDecimals(float value, int n) {
  double p = 1.0;
  for (int i = 0; i < n; ++i) p *= 10.0;
  return static_cast<float>(std::floor(static_cast<double>(value) * p + 0.51) / p);
}

}  // namespace tolv
