#include "platform/runtime/fixed_string.h"

namespace runtime {
namespace {

bool IsBlankOrNul(char c) { return c == ' ' || c == '\0'; }

}  // namespace

std::string FitToWidth(std::string_view text, std::size_t width) {
  std::string s(text.substr(0, width));
  s.resize(width, ' ');
  return s;
}

std::string LTrim(std::string_view text) {
  std::size_t b = 0;
  while (b < text.size() && IsBlankOrNul(text[b])) ++b;
  return std::string(text.substr(b));
}

std::string RTrim(std::string_view text) {
  std::size_t e = text.size();
  while (e > 0 && IsBlankOrNul(text[e - 1])) --e;
  return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

}  // namespace runtime
