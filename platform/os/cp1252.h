// Windows-1252 <-> UTF-8, and UTF-8 <-> code points. Records and data files hold single-byte
// Windows-1252 text; the form model and the terminal hold UTF-8. Conversion happens here and
// nowhere else.
#ifndef FRELANE_PLATFORM_OS_CP1252_H_
#define FRELANE_PLATFORM_OS_CP1252_H_

#include <string>
#include <string_view>

namespace os {

// Every byte becomes its character; the five bytes Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number, so that every
// byte survives a round trip through UTF-8.
std::string Cp1252ToUtf8(std::string_view text);

// Each character becomes its Windows-1252 byte; a character without one, and each byte
// of a malformed UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1252(std::string_view text);

// UTF-8 <-> code points, strictly: an overlong form, a surrogate, a value above U+10FFFF and
// a cut sequence are malformed. Decoding turns each byte of a malformed sequence into
// U+FFFD; encoding writes U+FFFD for a code point UTF-8 cannot hold.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace os

#endif  // FRELANE_PLATFORM_OS_CP1252_H_
