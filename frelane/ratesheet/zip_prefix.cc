#include "frelane/ratesheet/zip_prefix.h"

#include <cstdio>

#include "platform/runtime/conversions.h"

namespace frelane::ratesheet {

namespace {

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// The last `width` digits of the number of s plus one: numeric steps wrap at the width.
std::string NextNumber(std::string_view s, int width) {
  const long long n = static_cast<long long>(runtime::Val(s)) + 100001;
  std::string text = std::to_string(n);
  return text.size() > static_cast<std::size_t>(width) ? text.substr(text.size() - width)
                                                       : text;
}

// Advances a letter with carry: true when it wrapped from "Z" to "A".
bool StepLetter(char& c) {
  if (c == 'Z') {
    c = 'A';
    return true;
  }
  ++c;
  return false;
}

// Advances a digit with carry: true when it wrapped from "9" to "0".
bool StepDigit(char& c) {
  if (c == '9') {
    c = '0';
    return true;
  }
  ++c;
  return false;
}

}  // namespace

std::string NextZipPrefix(std::string_view s) {
  std::string t(s);
  switch (t.size()) {
    case 2:
      if (!IsUpperLetter(t[1])) return NextNumber(t, 2);
      if (StepLetter(t[1])) ++t[0];
      return t;
    case 3:
      if (!IsUpperLetter(t[0])) return NextNumber(t, 3);
      if (StepLetter(t[2]) && StepDigit(t[1])) ++t[0];
      return t;
    case 5:
      if (!IsUpperLetter(t[0])) return NextNumber(t, 5);
      if (StepLetter(t[4]) && StepDigit(t[3]) && StepLetter(t[2]) && StepDigit(t[1])) ++t[0];
      return t;
    default:
      return t;
  }
}

std::string PrevZipSuffix(std::string_view s) {
  std::string t(s);
  if (t.size() == 2 && IsUpperLetter(t[1])) {
    if (t[1] == 'A') {
      t[1] = 'Z';
      --t[0];
    } else {
      --t[1];
    }
    return t;
  }
  const int n = static_cast<int>(runtime::Val(t)) - 1;
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

bool IsNumericPrefix(std::string_view prefix) { return runtime::IsNumeric(prefix); }

std::string FirstSuffix(std::string_view prefix) {
  return IsNumericPrefix(prefix) ? "00" : "0A";
}
std::string LastSuffix(std::string_view prefix) {
  return IsNumericPrefix(prefix) ? "99" : "9Z";
}

}  // namespace frelane::ratesheet
