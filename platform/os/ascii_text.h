// Character classes and case of the engine's text rules. Data-file text is bytes: only
// ASCII letters, digits and C white space count as such, whatever locale the process has
// set (the C library's <cctype> follows it, and upper-cases 'i' to no 'I' in Turkish).
#ifndef FRELANE_PLATFORM_OS_ASCII_TEXT_H_
#define FRELANE_PLATFORM_OS_ASCII_TEXT_H_

#include <string_view>

namespace os {

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool IsAsciiAlpha(char c) { return IsAsciiUpper(c) || IsAsciiLower(c); }
// Blank, tab, line feed, vertical tab, form feed and carriage return.
constexpr bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr char AsciiUpper(char c) { return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// Equal length and equal bytes once ASCII letters are folded.
constexpr bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_ASCII_TEXT_H_
