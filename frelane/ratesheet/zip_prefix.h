// Stepping through postal-code prefixes and suffixes on a rate sheet. A prefix is the first
// three characters of a code (three digits in the US, letter-digit-letter in Canada); a
// suffix is the two characters after it ("00".."99" under a numeric prefix, "0A".."9Z"
// under a letter prefix).
#ifndef FRELANE_RATESHEET_ZIP_PREFIX_H_
#define FRELANE_RATESHEET_ZIP_PREFIX_H_

#include <string>
#include <string_view>

namespace frelane::ratesheet {

// The successor of a 2-character suffix, a 3-character prefix or a 5-character code:
// "99" -> "00", "0Z" -> "1A", "K1Z" -> "K2A", "299" -> "300", "M1A0Z" -> "M1A1A". The
// numeric forms wrap ("999" -> "000"); a text of any other length comes back unchanged.
std::string NextZipPrefix(std::string_view s);

// The predecessor of a 2-character suffix: "10" -> "09", "1A" -> "0Z".
std::string PrevZipSuffix(std::string_view s);

// True when the prefix is numeric (a US prefix): its whole text reads as a number.
bool IsNumericPrefix(std::string_view prefix);

// The first and last suffix under a prefix: "00"/"99" when numeric, else "0A"/"9Z".
std::string FirstSuffix(std::string_view prefix);
std::string LastSuffix(std::string_view prefix);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_ZIP_PREFIX_H_
