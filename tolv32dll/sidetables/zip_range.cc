#include "tolv32dll/sidetables/zip_range.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/os/ascii_text.h"
#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

using os::IsAsciiAlpha;
using os::IsAsciiDigit;

// The first n (at most 5) characters of a code, blank-padded.
ZipRangeKey HeadOf(std::string_view code, std::size_t n) {
  ZipRangeKey h;
  h.n = n;
  h.text.fill(' ');
  if (!code.empty()) std::memcpy(h.text.data(), code.data(), std::min(n, code.size()));
  return h;
}

// The head of a packed code as Zip_Unpack gives it.
ZipRangeKey UnpackedHead(const std::uint8_t* packed, std::size_t n) {
  ZipRangeKey h;
  h.n = n;
  h.text.fill(' ');
  Zip_UnpackInto(packed, h.text.data());
  return h;
}

}  // namespace

bool Zip_IsFiveDigits(std::string_view code) {
  if (code.size() < 5) return false;
  return std::all_of(code.begin(), code.begin() + 5, IsAsciiDigit);
}

bool Zip_IsCanadianPrefix(std::string_view code) {
  return code.size() >= 3 && IsAsciiAlpha(code[0]) && IsAsciiDigit(code[1]) &&
         IsAsciiAlpha(code[2]);
}

int Zip_InRange(std::string_view code, os::ByteSpan range) {
  ZipRangeKey key;
  if (Zip_IsFiveDigits(code)) {
    key = HeadOf(code, 5);
  } else if (Zip_IsCanadianPrefix(code)) {
    key = HeadOf(code, 3);
    key.text[0] = os::AsciiUpper(key.text[0]);
    key.text[2] = os::AsciiUpper(key.text[2]);
  } else {
    return -1;
  }
  ZipRangeKey a = UnpackedHead(range.data(), key.n);
  ZipRangeKey b = UnpackedHead(range.data() + 3, key.n);
  if (b.Compare(a) < 0) std::swap(a, b);
  return a.Compare(key) <= 0 && key.Compare(b) <= 0 ? 0 : -1;
}

ZipRangeKey ZipRangeKeyOf(std::string_view code) {
  return HeadOf(code, !code.empty() && IsAsciiDigit(code[0]) ? 5 : 3);
}

int CompareZipWithRange(const ZipRangeKey& key, const std::uint8_t* low, const std::uint8_t* high) {
  if (key.Compare(UnpackedHead(low, key.n)) < 0) return -1;
  if (key.Compare(UnpackedHead(high, key.n)) > 0) return 1;
  return 0;
}

}  // namespace tolv
