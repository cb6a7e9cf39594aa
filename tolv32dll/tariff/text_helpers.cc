#include "tolv32dll/tariff/text_helpers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

namespace tolv {

std::int32_t Util_AtoiN(std::string_view field, int n) {
  std::size_t count =
      std::min<std::size_t>(field.size(), static_cast<std::size_t>(std::clamp(n, 0, 28)));
  std::string_view text = field.substr(0, count);
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), std::int64_t{1} << 40);
  }
  if (negative) value = -value;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::string Util_FormatZeroPadded(std::int32_t value, int width) {
  char buffer[48];
  width = std::clamp(width, 0, 40);
  std::snprintf(buffer, sizeof buffer, "%0*d", width, static_cast<int>(value));
  return buffer;
}

void Util_NulsToBlanks(char* field, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    if (field[i] == '\0') field[i] = ' ';
  }
}

std::string Util_TrimPath(std::string_view path) {
  std::string result(path.substr(0, std::min<std::size_t>(path.size(), 259)));
  while (!result.empty() &&
         (result.back() == ' ' || result.back() == '\t' || result.back() == '\0')) {
    result.pop_back();
  }
  std::replace(result.begin(), result.end(), '\\', '/');
  std::size_t last = result.rfind('/');
  result.resize(last == std::string::npos ? 0 : last + 1);
  return result;
}

std::optional<std::string_view> Util_NextToken(std::string_view* rest,
                                               std::string_view delimiters) {
  std::string_view line = rest->substr(0, std::min(rest->size(), rest->find('\0')));
  std::size_t i = line.find_first_not_of(" \t\r\n");
  if (i != std::string_view::npos) {
    while (i < line.size() && delimiters.find(line[i]) != std::string_view::npos) ++i;
  }
  if (i == std::string_view::npos || i >= line.size()) {
    *rest = std::string_view();
    return std::nullopt;
  }
  std::size_t end = line.find_first_of(delimiters, i);
  std::string_view token = line.substr(i, end == std::string_view::npos ? end : end - i);
  *rest = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
  return token;
}

}  // namespace tolv
