#include "tolv32dll/tariff/factor_numbers.h"

#include <limits>

#include "platform/os/ascii_text.h"

namespace tolv {
namespace {

bool IsLineEnd(char c) { return c == '\0' || c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

}  // namespace

void FactorLineCursor::SkipBlanks() {
  while (IsBlank(Peek())) ++pos_;
}

bool FactorLineCursor::AtEnd() {
  SkipBlanks();
  return IsLineEnd(Peek());
}

std::uint16_t FactorLineCursor::Parm_ReadShort() {
  SkipBlanks();
  std::uint32_t value = 0;
  while (os::IsAsciiDigit(Peek()))
    value = (value * 10 + static_cast<std::uint32_t>(line_[pos_++] - '0')) & 0xFFFF;
  return static_cast<std::uint16_t>(value);
}

std::optional<std::int32_t> FactorLineCursor::Parm_ReadInt() {
  if (AtEnd()) return std::nullopt;
  bool negative = false;
  if (Peek() == '-' || Peek() == '+') negative = line_[pos_++] == '-';
  if (!os::IsAsciiDigit(Peek())) {
    bad_ = true;
    return std::nullopt;
  }
  std::int64_t value = 0;
  while (os::IsAsciiDigit(Peek())) {
    value = value * 10 + (line_[pos_++] - '0');
    if (value > kMax32) {
      bad_ = true;
      return std::nullopt;
    }
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<std::int32_t> FactorLineCursor::Parm_ReadFixed4() {
  if (AtEnd()) return std::nullopt;
  std::int64_t value = 0;
  int decimals = 0;
  bool seen_point = false;
  bool seen_digit = false;
  for (char c = Peek(); os::IsAsciiDigit(c) || c == '.'; c = Peek()) {
    ++pos_;
    if (c == '.') {
      seen_point = true;
      continue;
    }
    seen_digit = true;
    value = value * 10 + (c - '0');
    if (seen_point) ++decimals;
    if (value > kMax32) {
      bad_ = true;
      return std::nullopt;
    }
  }
  if (!seen_digit) {
    bad_ = true;
    return std::nullopt;
  }
  for (int i = decimals; i < 4; ++i) {
    value *= 10;
    if (value > kMax32) {
      bad_ = true;
      return std::nullopt;
    }
  }
  return static_cast<std::int32_t>(value);
}

std::optional<ClassCode> FactorLineCursor::Parm_ReadClassCode(bool package_codes) {
  if (AtEnd()) return std::nullopt;
  ClassCode code = {};
  std::string_view rest = line_.substr(pos_);
  if (rest.substr(0, 3) == "FAK" || package_codes) {
    for (std::size_t i = 0; i < 3 && !IsLineEnd(Peek()); ++i) code[i] = line_[pos_++];
    return code;
  }
  std::size_t n = 0;
  if (os::IsAsciiDigit(Peek())) {
    while (os::IsAsciiDigit(Peek())) {
      char c = line_[pos_++];
      if (n < 5) code[n++] = c;
    }
  } else {
    while (!IsBlank(Peek()) && !IsLineEnd(Peek())) {
      char c = line_[pos_++];
      if (n < 5) code[n++] = c;
    }
  }
  return code;
}

}  // namespace tolv
