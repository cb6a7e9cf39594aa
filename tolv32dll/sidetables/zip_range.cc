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
  return h;
}

// The head of a packed code as it unpacks.
ZipRangeKey UnpackedHead(const std::uint8_t* packed, std::size_t n) {
  ZipRangeKey h;
  h.n = n;
  h.text.fill(' ');
  const kmlib::ZipText text = kmlib::UnpackZipText(std::span<const std::uint8_t>(packed, 3));
  std::copy_n(text.chars.data(), text.size, h.text.data());
  return h;
}

}  // namespace

ZipRangeKey ZipRangeKeyOf(std::string_view code) {
  return HeadOf(code, !code.empty() && os::IsAsciiDigit(code[0]) ? 5 : 3);
}

int CompareZipWithRange(const ZipRangeKey& key, const std::uint8_t* low, const std::uint8_t* high) {
  if (key.Compare(UnpackedHead(low, key.n)) < 0) return -1;
  if (key.Compare(UnpackedHead(high, key.n)) > 0) return 1;
  return 0;
}

}  // namespace tolv
