#include "tolv32dll/sidetables/zip_range.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// The first n characters, blank-padded.
std::string Head(std::string_view s, std::size_t n) {
  std::string h(s.substr(0, std::min(n, s.size())));
  h.resize(n, ' ');
  return h;
}

}  // namespace

bool Zip_IsFiveDigits(std::string_view code) {
  if (code.size() < 5) return false;
  return std::all_of(code.begin(), code.begin() + 5, IsDigit);
}

bool Zip_IsCanadianPrefix(std::string_view code) {
  return code.size() >= 3 && IsLetter(code[0]) && IsDigit(code[1]) && IsLetter(code[2]);
}

int Zip_InRange(std::string_view code, os::ByteSpan range) {
  std::size_t n;
  std::string key;
  if (Zip_IsFiveDigits(code)) {
    n = 5;
    key = Head(code, 5);
  } else if (Zip_IsCanadianPrefix(code)) {
    n = 3;
    key = Head(code, 3);
    key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    key[2] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[2])));
  } else {
    return -1;
  }
  std::string a = Head(Zip_Unpack(range.data()), n);
  std::string b = Head(Zip_Unpack(range.data() + 3), n);
  const std::string& low = std::min(a, b);
  const std::string& high = std::max(a, b);
  return low <= key && key <= high ? 0 : -1;
}

int CompareZipWithRange(std::string_view code, const std::uint8_t* low, const std::uint8_t* high) {
  std::size_t n = !code.empty() && IsDigit(code[0]) ? 5 : 3;
  std::string key = Head(code, n);
  if (key < Head(Zip_Unpack(low), n)) return -1;
  if (key > Head(Zip_Unpack(high), n)) return 1;
  return 0;
}

}  // namespace tolv
