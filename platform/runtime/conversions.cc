#include "platform/runtime/conversions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/runtime/error.h"
#include "platform/runtime/locale.h"

namespace runtime {
namespace {

// The general text with `decimal` as the decimal character.
std::string General(double value, char decimal) {
  if (value == 0 || !std::isfinite(value)) return "0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string digits;
  digits += buf[0];
  digits.append(buf + 2, 14);
  int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  digits.erase(digits.find_last_not_of('0') + 1);
  std::string out = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -4) {
    out += digits[0];
    if (digits.size() > 1) {
      out += decimal;
      out += digits.substr(1);
    }
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + e;
  }
  if (exponent >= 0) {
    std::size_t int_len = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= int_len) return out + digits + std::string(int_len - digits.size(), '0');
    return out + digits.substr(0, int_len) + decimal + digits.substr(int_len);
  }
  return out + "0" + decimal + std::string(-exponent - 1, '0') + digits;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::string CStr(double value) { return General(value, CurrentLocale().decimal); }

std::string Str(double value) {
  std::string s = General(value, '.');
  bool negative = !s.empty() && s[0] == '-';
  std::size_t digits_at = negative ? 1 : 0;
  if (s.compare(digits_at, 2, "0.") == 0) s.erase(digits_at, 1);
  return negative ? s : " " + s;
}

double Val(std::string_view text) {
  // The text without the blanks, which Val skips wherever they stand.
  std::string t;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') t += c;
  }
  if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
    int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
    long long v = 0;
    for (std::size_t i = 2; i < t.size(); ++i) {
      int d = std::isdigit(static_cast<unsigned char>(t[i])) ? t[i] - '0'
              : std::isxdigit(static_cast<unsigned char>(t[i])) && base == 16
                  ? (std::toupper(static_cast<unsigned char>(t[i])) - 'A' + 10)
                  : -1;
      if (d < 0 || d >= base) break;
      v = v * base + d;
      if (v > 0xFFFFFFFFLL) break;
    }
    // Eight hexadecimal digits are a 32-bit pattern, negative with the top bit set.
    if (v > 0x7FFFFFFFLL && v <= 0xFFFFFFFFLL) v -= 0x100000000LL;
    return static_cast<double>(v);
  }
  std::string number;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) number += t[i++];
  bool digits = false;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
    number += t[i++];
    digits = true;
  }
  if (i < t.size() && t[i] == '.') {
    number += t[i++];
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
      number += t[i++];
      digits = true;
    }
  }
  if (!digits) return 0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) exponent += t[j++];
    bool exponent_digits = false;
    while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) {
      exponent += t[j++];
      exponent_digits = true;
    }
    if (exponent_digits) number += exponent;
  }
  double v = std::strtod(number.c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

namespace {

// The text in C-locale form when it is numeric in the current locale.
bool ToCNumber(std::string_view text, std::string& out) {
  NumberLocale locale = CurrentLocale();
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  std::string_view t = text.substr(b, e - b);
  out.clear();
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
  bool digits = false;
  bool point = false;
  for (; i < t.size(); ++i) {
    char c = t[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      out += c;
      digits = true;
    } else if (c == locale.decimal && !point) {
      out += '.';
      point = true;
    } else if (c == locale.thousands && !point && digits && i + 1 < t.size() &&
               std::isdigit(static_cast<unsigned char>(t[i + 1]))) {
      // a group separator between digits
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
    out += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) out += t[i++];
    bool exponent_digits = false;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
      out += t[i++];
      exponent_digits = true;
    }
    if (!exponent_digits) return false;
  }
  if (i != t.size()) return false;
  return std::isfinite(std::strtod(out.c_str(), nullptr));
}

}  // namespace

bool IsNumeric(std::string_view text) {
  std::string c;
  return ToCNumber(text, c);
}

double CDbl(std::string_view text) {
  std::string c;
  if (!ToCNumber(text, c)) Raise(kErrTypeMismatch);
  return std::strtod(c.c_str(), nullptr);
}

}  // namespace runtime
