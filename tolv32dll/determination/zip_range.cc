#include "tolv32dll/determination/zip_range.h"

#include <algorithm>
#include <array>

#include "KMLIB/packed_zip.h"
#include "platform/os/ascii_text.h"

namespace tolv {

namespace {
using os::IsAsciiAlpha;
using os::IsAsciiDigit;
}  // namespace

bool ZipInRange(std::string_view code, const kmlib::TdzRecord& record) {
  std::size_t width;
  if (code.size() >= 5 && std::all_of(code.begin(), code.begin() + 5, IsAsciiDigit)) {
    width = 5;
  } else if (code.size() >= 3 && IsAsciiAlpha(code[0]) && IsAsciiDigit(code[1]) &&
             IsAsciiAlpha(code[2])) {
    width = 3;
  } else {
    return false;
  }
  std::array<char, 5> key_chars;
  std::copy_n(code.begin(), width, key_chars.begin());
  if (width == 3) {
    key_chars[0] = os::AsciiUpper(key_chars[0]);
    key_chars[2] = os::AsciiUpper(key_chars[2]);
  }
  const std::string_view key(key_chars.data(), width);
  const kmlib::ZipText low_text = kmlib::UnpackZipText(record.low_zip());
  const kmlib::ZipText high_text = kmlib::UnpackZipText(record.high_zip());
  const std::string_view a = low_text.view().substr(0, width);
  const std::string_view b = high_text.view().substr(0, width);
  const std::string_view low = std::min(a, b);
  const std::string_view high = std::max(a, b);
  return low <= key && key <= high;
}

}  // namespace tolv
