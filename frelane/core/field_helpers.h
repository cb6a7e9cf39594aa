// modMain's field helpers that every entry field of the program leans on: the key filters
// of numeric and postal-code boxes, the postal-code format check and the one conversion
// of field text to a number. The filters work on what a key would do to a box (its text
// and selection), so the form bindings (form_helpers.h) and the tests share one rule.
#ifndef FRELANE_CORE_FIELD_HELPERS_H_
#define FRELANE_CORE_FIELD_HELPERS_H_

#include <string>
#include <string_view>

#include "platform/runtime/fixed_string.h"

namespace frelane::modMain {

inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEnter = 13;

inline constexpr char kBadNumericKeyParameters[] =
    "Invalid function parameters passed cCommon - SetNumericKey";

// A text box as a key filter sees it. sel_start is the caret when nothing is selected.
struct EditState {
  std::string text;
  int sel_start = 0;
  int sel_length = 0;
};

// The text with leading and trailing blanks removed; a NUL counts as a blank, as record
// text reads it. The program's one trim.
using runtime::Trim;

// True when the text is not empty and holds only the digits "0" to "9".
bool AllDigits(std::string_view text);

// The text as a number by the locale's rules: optional blanks around it, an optional sign,
// digits with at most one locale decimal character. Anything else (empty text, letters,
// exponents, a second separator, overflow) gives 0.
double SafeValue(std::string_view text);
inline double SafeValue(double value) { return value; }
// The same with the decimal character given (the one above uses the program's).
double SafeValueWith(std::string_view text, char decimal_character);

// Format check of a 5- or 3-digit US ZIP code or a Canadian postal code of alternating
// upper-case letters and digits (3 or more characters). The text is not trimmed.
bool IsValidZip(std::string_view text);

// The key code of the character's upper-case form; other codes unchanged.
void UpperCaseKey(int& key);

// Key filter of numeric boxes: key becomes 0 when refused. Returns false, refusing the key,
// when the parameters leave no room for an integer digit (maximum length - 2 <= decimals);
// the caller shows kBadNumericKeyParameters then.
[[nodiscard]] bool FilterNumericKey(const EditState& field, int& key, int max_length,
                                    int decimals, char decimal_character);

// Key filter of postal-code boxes: key becomes 0 when refused; an accepted letter is
// raised to upper case. letters_after_first lets a letter follow the first letter.
void FilterZipKey(const EditState& field, int& key, bool letters_after_first);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_FIELD_HELPERS_H_
