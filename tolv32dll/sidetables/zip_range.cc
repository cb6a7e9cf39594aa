#include "tolv32dll/sidetables/zip_range.h"

#include <algorithm>

#include "KMLIB/packed_zip.h"
#include "platform/os/ascii_text.h"

namespace tolv {
namespace {

// The first n (at most 5) characters of a code, blank-padded.
ZipRangeKey HeadOf(std::string_view code, std::size_t n) {
  ZipRangeKey h;
  h.n = n;
  h.text.fill(' ');
  if (!code.empty()) std::memcpy(h.text.data(), code.data(), std::min(n, code.size()));
  if (n == 5) h.digits = kmlib::PackedDigits(std::string_view(h.text.data(), n));
  return h;
}

// Orders the key against the head of a packed code as it unpacks, blank-padded to the
// key's width; bytes compare unsigned, as memcmp does.
int CompareWithPacked(const ZipRangeKey& key, const std::uint8_t* packed) {
  if (key.digits) {
    const std::optional<std::uint32_t> end =
        kmlib::PackedDigitsOf(std::span<const std::uint8_t>(packed, 3));
    if (end) return *key.digits < *end ? -1 : (*key.digits > *end ? 1 : 0);
  }
  const kmlib::ZipText text = kmlib::UnpackZipText(std::span<const std::uint8_t>(packed, 3));
  for (std::size_t i = 0; i < key.n; ++i) {
    const auto a = static_cast<unsigned char>(key.text[i]);
    const auto b = static_cast<unsigned char>(i < text.size ? text.chars[i] : ' ');
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

}  // namespace

ZipRangeKey ZipRangeKeyOf(std::string_view code) {
  return HeadOf(code, !code.empty() && os::IsAsciiDigit(code[0]) ? 5 : 3);
}

int CompareZipWithRange(const ZipRangeKey& key, const std::uint8_t* low, const std::uint8_t* high) {
  if (CompareWithPacked(key, low) < 0) return -1;
  if (CompareWithPacked(key, high) > 0) return 1;
  return 0;
}

}  // namespace tolv
