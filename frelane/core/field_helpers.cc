#include "frelane/core/field_helpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "frelane/core/main_module.h"

namespace frelane::modMain {

namespace {

bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsUpperLetter(int c) { return c >= 'A' && c <= 'Z'; }
bool IsLowerLetter(int c) { return c >= 'a' && c <= 'z'; }

// The text the box would hold after the key: the selection replaced by the key's character
// at its start, or the character inserted at the caret.
std::string TextAfterKey(const EditState& field, char c) {
  const std::string& text = field.text;
  int size = static_cast<int>(text.size());
  if (size == field.sel_length) return std::string(1, c);
  int start = std::clamp(field.sel_start, 0, size);
  int length = std::clamp(field.sel_length, 0, size - start);
  std::string result = text;
  result.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), 1, c);
  return result;
}

}  // namespace

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); });
}

double SafeValueWith(std::string_view text, char decimal_character) {
  std::string t = Trim(text);
  std::string_view body = t;
  bool negative = false;
  if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
    negative = body.front() == '-';
    body.remove_prefix(1);
  }
  // Digits with at most one separator and at least one digit; nothing else.
  std::string plain;
  bool seen_separator = false;
  bool seen_digit = false;
  for (char c : body) {
    if (IsDigit(c)) {
      seen_digit = true;
      plain.push_back(c);
    } else if (c == decimal_character && !seen_separator) {
      seen_separator = true;
      plain.push_back('.');
    } else {
      return 0;
    }
  }
  if (!seen_digit) return 0;
  double value = 0;
  auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return 0;
  }
  return negative ? -value : value;
}

double SafeValue(std::string_view text) { return SafeValueWith(text, DecimalCharacter()); }

bool IsValidZip(std::string_view text) {
  const std::size_t n = text.size();
  const double v = SafeValue(text);
  bool valid = true;
  if (!(n == 3 || n == 5 || v <= 0)) valid = false;
  if (!(n >= 3 || v != 0)) valid = false;
  if (n == 0) valid = false;
  if (AllDigits(text)) {
    // Digits alone are a ZIP code or its 3-digit prefix: "0000" or "000000" are neither.
    return valid && (n == 3 || n == 5);
  }
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    bool letter_place = i % 2 == 0;  // positions 1, 3, 5, ... counting from 1
    if (letter_place ? !IsUpperLetter(c) : !IsDigit(c)) valid = false;
  }
  return valid;
}

void UpperCaseKey(int& key) {
  if (IsLowerLetter(key)) key -= 'a' - 'A';
}

bool FilterNumericKey(const EditState& field, int& key, int max_length, int decimals,
                      char decimal_character) {
  if (max_length - 2 <= decimals) {
    key = 0;
    return false;
  }
  if (key == kKeyBackspace || key == kKeyTab || key == kKeyEnter) return true;
  const bool is_separator = key == static_cast<unsigned char>(decimal_character);
  if (static_cast<int>(Trim(field.text).size()) >= max_length && field.sel_length <= 0) {
    key = 0;
    return true;
  }
  if (is_separator && field.text.find(decimal_character) != std::string::npos) {
    key = 0;
    return true;
  }
  if (!IsDigit(key) && !is_separator) {
    key = 0;
    return true;
  }
  std::string after = TextAfterKey(field, static_cast<char>(key));
  std::size_t separator = after.find(decimal_character);
  std::size_t integer_digits = separator == std::string::npos ? after.size() : separator;
  std::size_t decimal_digits = separator == std::string::npos ? 0 : after.size() - separator - 1;
  std::size_t integer_limit =
      static_cast<std::size_t>(decimals > 0 ? max_length - decimals - 1 : max_length);
  bool fits = integer_digits <= integer_limit &&
              decimal_digits <= static_cast<std::size_t>(decimals);
  if (!fits || (is_separator && decimals == 0)) key = 0;
  return true;
}

void FilterZipKey(const EditState& field, int& key, bool letters_after_first) {
  if (key == kKeyBackspace || key == kKeyTab || key == kKeyEnter) return;
  UpperCaseKey(key);
  if (static_cast<int>(field.text.size()) == field.sel_length) {
    if (!IsDigit(key) && !IsUpperLetter(key)) key = 0;
    return;
  }
  const std::string trimmed = Trim(field.text);
  const std::size_t n = trimmed.size();
  int first = field.text.empty() ? 0 : static_cast<unsigned char>(field.text.front());
  UpperCaseKey(first);
  const bool postal_mode = IsUpperLetter(first) || (n == 0 && IsUpperLetter(key));
  bool accepted;
  if (postal_mode) {
    if (n > 5) {
      accepted = false;
    } else if (n == 1) {
      accepted = IsDigit(key) || (letters_after_first && IsUpperLetter(key));
    } else if (n == 3 || n == 5) {
      accepted = IsDigit(key);
    } else {
      accepted = IsUpperLetter(key);
    }
  } else {
    accepted = n <= 4 && IsDigit(key);
  }
  if (!accepted) key = 0;
}

}  // namespace frelane::modMain
