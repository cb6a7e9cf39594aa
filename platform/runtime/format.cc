#include "platform/runtime/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/runtime/conversions.h"
#include "platform/runtime/locale.h"

namespace runtime {
namespace {

// Significant digits a double is cut to before it is rounded or shown.
constexpr int kSignificantDigits = 15;

// Adds one to a string of decimal digits ("" counts as 0).
std::string Increment(std::string digits) {
  int i = static_cast<int>(digits.size()) - 1;
  while (i >= 0 && digits[i] == '9') digits[i--] = '0';
  if (i < 0) return "1" + digits;
  ++digits[i];
  return digits;
}

struct Section {
  std::string prefix;  // literals before the first placeholder
  std::string suffix;  // literals after the last
  int int_zeros = 0;
  int frac_zeros = 0;
  int frac_places = 0;
  bool has_point = false;
  bool thousands = false;
  bool percent = false;
  bool any_placeholder = false;
};

Section ParseSection(std::string_view p) {
  Section s;
  bool after_point = false;
  bool seen_placeholder = false;
  std::string pending;  // literals since the last placeholder
  for (std::size_t i = 0; i < p.size(); ++i) {
    char c = p[i];
    if (c == '0' || c == '#') {
      if (!seen_placeholder) s.prefix = pending;
      pending.clear();
      seen_placeholder = true;
      if (after_point) {
        ++s.frac_places;
        if (c == '0') s.frac_zeros = s.frac_places;
      } else if (c == '0') {
        ++s.int_zeros;
      }
    } else if (c == '.' && !after_point) {
      if (!seen_placeholder) s.prefix = pending;
      pending.clear();
      seen_placeholder = true;
      after_point = true;
      s.has_point = true;
    } else if (c == ',' && seen_placeholder && !after_point) {
      s.thousands = true;
    } else if (c == '\\' && i + 1 < p.size()) {
      pending += p[++i];
    } else if (c == '"') {
      std::size_t close = p.find('"', i + 1);
      if (close == std::string_view::npos) close = p.size();
      pending += p.substr(i + 1, close - i - 1);
      i = close;
    } else {
      if (c == '%') s.percent = true;
      pending += c;
    }
  }
  s.any_placeholder = seen_placeholder;
  if (seen_placeholder) {
    s.suffix = pending;
  } else {
    s.prefix = pending;
  }
  return s;
}

std::vector<std::string_view> SplitSections(std::string_view pattern) {
  std::vector<std::string_view> out;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '"') quoted = !quoted;
    if (pattern[i] == '\\') {
      ++i;
      continue;
    }
    if (pattern[i] == ';' && !quoted) {
      out.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(pattern.substr(start));
  return out;
}

std::string GroupThousands(const std::string& digits, char separator) {
  std::string out;
  int n = static_cast<int>(digits.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace

bool DecimalDigits::IsZero() const {
  return integer.find_first_not_of('0') == std::string::npos &&
         fraction.find_first_not_of('0') == std::string::npos;
}

DecimalDigits RoundDecimal(double value, int decimals) {
  DecimalDigits r;
  if (decimals < 0) decimals = 0;
  if (!std::isfinite(value) || value == 0) {
    r.integer = "0";
    r.fraction.assign(decimals, '0');
    return r;
  }
  r.negative = value < 0;
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, std::fabs(value));
  std::string digits;
  digits += buf[0];
  digits.append(buf + 2, kSignificantDigits - 1);
  int exponent = std::atoi(std::strchr(buf, 'e') + 1);
  // digits[i] stands for 10^(exponent - i); keep those down to 10^-decimals.
  int keep = exponent + decimals + 1;
  std::string kept;
  bool round_up = false;
  if (keep <= 0) {
    round_up = keep == 0 && digits[0] >= '5';
  } else if (keep >= kSignificantDigits) {
    kept = digits + std::string(keep - kSignificantDigits, '0');
  } else {
    kept = digits.substr(0, keep);
    round_up = digits[keep] >= '5';
  }
  if (round_up) kept = Increment(kept);
  if (static_cast<int>(kept.size()) < decimals + 1) {
    kept.insert(0, decimals + 1 - kept.size(), '0');
  }
  r.integer = kept.substr(0, kept.size() - decimals);
  r.fraction = kept.substr(kept.size() - decimals);
  r.integer.erase(0, std::min(r.integer.find_first_not_of('0'), r.integer.size() - 1));
  if (r.IsZero()) r.negative = false;
  return r;
}

std::string Format(double value, std::string_view pattern) {
  if (pattern.empty()) return CStr(value);
  std::vector<std::string_view> sections = SplitSections(pattern);
  bool use_negative_section = value < 0 && sections.size() >= 2 && !sections[1].empty();
  Section s = ParseSection(use_negative_section ? sections[1] : sections[0]);
  double v = use_negative_section ? -value : value;
  if (s.percent) v *= 100;
  if (!s.any_placeholder) return s.prefix;

  NumberLocale locale = CurrentLocale();
  DecimalDigits d = RoundDecimal(v, s.frac_places);
  std::string fraction = d.fraction;
  while (static_cast<int>(fraction.size()) > s.frac_zeros && fraction.back() == '0') {
    fraction.pop_back();
  }
  std::string integer = d.integer == "0" ? "" : d.integer;
  if (static_cast<int>(integer.size()) < s.int_zeros) {
    integer.insert(0, s.int_zeros - integer.size(), '0');
  }
  if (s.thousands) integer = GroupThousands(integer, locale.thousands);

  std::string out;
  if (d.negative) out += '-';
  out += s.prefix;
  out += integer;
  if (s.has_point) {
    out += locale.decimal;
    out += fraction;
  }
  out += s.suffix;
  return out;
}

std::string FormatDate(const DateTime& date, std::string_view p) {
  auto two = [](int v) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", v);
    return std::string(b);
  };
  std::string out;
  bool after_hour = false;
  for (std::size_t i = 0; i < p.size();) {
    auto run = [&](char c) {
      std::size_t n = 0;
      while (i + n < p.size() && (p[i + n] == c || p[i + n] == c - 'a' + 'A')) ++n;
      return n;
    };
    char c = static_cast<char>(p[i] | 0x20);
    std::size_t n = (c >= 'a' && c <= 'z') ? run(c) : 0;
    if (c == 'y' && n >= 3) {
      char b[16];
      std::snprintf(b, sizeof b, "%04d", date.year);
      out += b;
    } else if (c == 'y' && n >= 1) {
      out += two(date.year % 100);
    } else if (c == 'm' && n >= 1) {
      int v = after_hour ? date.minute : date.month;
      out += n >= 2 ? two(v) : std::to_string(v);
      after_hour = false;
    } else if (c == 'd' && n >= 1) {
      out += n >= 2 ? two(date.day) : std::to_string(date.day);
    } else if (c == 'h' && n >= 1) {
      out += n >= 2 ? two(date.hour) : std::to_string(date.hour);
      after_hour = true;
    } else if (c == 'n' && n >= 1) {
      out += n >= 2 ? two(date.minute) : std::to_string(date.minute);
    } else if (c == 's' && n >= 1) {
      out += n >= 2 ? two(date.second) : std::to_string(date.second);
    } else {
      out += p[i];
      n = 1;
    }
    i += n;
  }
  return out;
}

}  // namespace runtime
