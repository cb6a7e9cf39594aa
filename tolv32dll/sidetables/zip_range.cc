#include "tolv32dll/sidetables/zip_range.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <utility>

#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// At most five characters compared as text: the first n of a code, blank-padded.
struct Head {
  std::array<char, 5> text{};
  std::size_t n = 0;
  int Compare(const Head& other) const { return std::memcmp(text.data(), other.text.data(), n); }
};

Head HeadOf(std::string_view code, std::size_t n) {
  Head h;
  h.n = n;
  for (std::size_t i = 0; i < n; ++i) h.text[i] = i < code.size() ? code[i] : ' ';
  return h;
}

// The head of a packed code as Zip_Unpack gives it.
Head UnpackedHead(const std::uint8_t* packed, std::size_t n) {
  char full[5];
  const std::size_t length = Zip_UnpackInto(packed, full);
  return HeadOf(std::string_view(full, length), n);
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
  Head key;
  if (Zip_IsFiveDigits(code)) {
    key = HeadOf(code, 5);
  } else if (Zip_IsCanadianPrefix(code)) {
    key = HeadOf(code, 3);
    key.text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key.text[0])));
    key.text[2] = static_cast<char>(std::toupper(static_cast<unsigned char>(key.text[2])));
  } else {
    return -1;
  }
  Head a = UnpackedHead(range.data(), key.n);
  Head b = UnpackedHead(range.data() + 3, key.n);
  if (b.Compare(a) < 0) std::swap(a, b);
  return a.Compare(key) <= 0 && key.Compare(b) <= 0 ? 0 : -1;
}

int CompareZipWithRange(std::string_view code, const std::uint8_t* low, const std::uint8_t* high) {
  const std::size_t n = !code.empty() && IsDigit(code[0]) ? 5 : 3;
  const Head key = HeadOf(code, n);
  if (key.Compare(UnpackedHead(low, n)) < 0) return -1;
  if (key.Compare(UnpackedHead(high, n)) > 0) return 1;
  return 0;
}

}  // namespace tolv
