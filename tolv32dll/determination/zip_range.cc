#include "tolv32dll/determination/zip_range.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "KMLIB/packed_zip.h"

namespace tolv {

namespace {
bool Digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool Alpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
}  // namespace

bool ZipInRange(std::string_view code, const kmlib::TdzRecord& record) {
  std::size_t width;
  if (code.size() >= 5 && std::all_of(code.begin(), code.begin() + 5, Digit)) {
    width = 5;
  } else if (code.size() >= 3 && Alpha(code[0]) && Digit(code[1]) && Alpha(code[2])) {
    width = 3;
  } else {
    return false;
  }
  std::string key(code.substr(0, width));
  if (width == 3) {
    key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    key[2] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[2])));
  }
  std::string a = kmlib::UnpackZip(record.low_zip()).substr(0, width);
  std::string b = kmlib::UnpackZip(record.high_zip()).substr(0, width);
  const std::string& low = std::min(a, b);
  const std::string& high = std::max(a, b);
  return low <= key && key <= high;
}

}  // namespace tolv
