// Small text helpers shared by the engine's readers: fixed-width numbers, padded numbers,
// NUL-filled fields, directory paths and the tokenizer of option lines.
#ifndef TOLV32DLL_TARIFF_TEXT_HELPERS_H_
#define TOLV32DLL_TARIFF_TEXT_HELPERS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tolv {

// The decimal value of the first n characters of a field that need not end in NUL (n is
// cut to 0..28 and to the field): leading blanks and one sign allowed, stops at the first
// non-digit; 0 when there is no digit. Saturates at the int32 limits.
std::int32_t Util_AtoiN(std::string_view field, int n);

// value as decimal, zero-padded to width (a negative value keeps its sign in front).
std::string Util_FormatZeroPadded(std::int32_t value, int width);

// Every NUL byte of the field becomes a blank.
void Util_NulsToBlanks(char* field, std::size_t n);

// The directory part of a path: at most 259 characters are taken, trailing blanks, tabs and
// NULs removed, then everything up to and including the last separator ("/" or "\\") is
// kept, with every "\\" turned into "/". A path without a separator gives an empty result;
// a non-empty result always ends in "/".
std::string Util_TrimPath(std::string_view path);

// The next token of a line, cut off the front of *rest: blanks, tabs, CR and LF are
// skipped, then any delimiter characters; the token runs to the next delimiter, which is
// consumed. nullopt when the line is used up. A NUL ends the line.
std::optional<std::string_view> Util_NextToken(std::string_view* rest, std::string_view delimiters);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_TEXT_HELPERS_H_
