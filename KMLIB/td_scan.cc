#include "KMLIB/td_scan.h"

#include <algorithm>

#include "platform/os/ascii_text.h"

namespace kmlib {

namespace {
using os::IsAsciiDigit;
using os::IsAsciiSpace;
}  // namespace

void FieldScanner::SkipSpace() {
  while (!rest_.empty() && IsAsciiSpace(rest_.front())) rest_.remove_prefix(1);
}

std::optional<std::int16_t> FieldScanner::Short(int width) {
  SkipSpace();
  std::size_t i = 0;
  bool negative = false;
  std::size_t limit = std::min<std::size_t>(static_cast<std::size_t>(width), rest_.size());
  if (i < limit && (rest_[i] == '-' || rest_[i] == '+')) {
    negative = rest_[i] == '-';
    ++i;
  }
  std::size_t first_digit = i;
  int value = 0;
  while (i < limit && IsAsciiDigit(rest_[i])) {
    value = value * 10 + (rest_[i] - '0');
    ++i;
  }
  if (i == first_digit) return std::nullopt;
  rest_.remove_prefix(i);
  // Widths here are at most 3 digits, so the value always fits 16 bits.
  return static_cast<std::int16_t>(negative ? -value : value);
}

std::optional<std::string> FieldScanner::Word(int width) {
  SkipSpace();
  std::size_t i = 0;
  while (i < rest_.size() && i < static_cast<std::size_t>(width) && !IsAsciiSpace(rest_[i])) ++i;
  if (i == 0) return std::nullopt;
  std::string word(rest_.substr(0, i));
  rest_.remove_prefix(i);
  return word;
}

bool ReadLinePiece(std::FILE* stream, std::size_t max_chars, std::string* line) {
  line->clear();
  int c;
  while (line->size() < max_chars && (c = std::fgetc(stream)) != EOF) {
    line->push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  if (line->empty()) return false;
  while (!line->empty() && (line->back() == '\n' || line->back() == '\r')) line->pop_back();
  return true;
}

}  // namespace kmlib
