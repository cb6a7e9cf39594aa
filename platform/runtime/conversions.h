// Numbers to text and back with the rules the program's stored texts and screens depend on:
// the same text for the same number everywhere, and the same number for the same text.
#ifndef FRELANE_PLATFORM_RUNTIME_CONVERSIONS_H_
#define FRELANE_PLATFORM_RUNTIME_CONVERSIONS_H_

#include <string>
#include <string_view>

namespace runtime {

// The general text of a number: at most 15 significant digits, no trailing zeros and no
// trailing point, the locale's decimal character, "0.25" with its leading zero;
// scientific ("1E+15", "1E-05") outside 1e-4 .. 1e15. 5699.999999999999 gives "5700".
std::string CStr(double value);
// The same with "." always, a leading blank for positive numbers and no leading zero
// (" .25", "-1.5").
std::string Str(double value);

// The leading number of a text, "." as decimal point, whatever the locale: blanks, tabs and
// line feeds are skipped anywhere, a sign, digits, a point, an exponent ("E" or "D"), or
// "&H" hexadecimal / "&O" octal integers; reading stops at the first other character.
// "" and text without a number give 0.
double Val(std::string_view text);

// True when the whole text (blanks around it allowed) is a number in the locale's format:
// a sign, digits with the locale's thousands character between them, one decimal character,
// an exponent.
bool IsNumeric(std::string_view text);
// The number of such a text. REQUIRES: nothing; throws RuntimeError 13 (type mismatch)
// when the text is not numeric.
double CDbl(std::string_view text);

}  // namespace runtime

#endif  // FRELANE_PLATFORM_RUNTIME_CONVERSIONS_H_
