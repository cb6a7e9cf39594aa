// Comparisons of fixed-width single-byte text fields.
#ifndef TOLV32DLL_POINTS_TEXT_COMPARE_H_
#define TOLV32DLL_POINTS_TEXT_COMPARE_H_

#include <cctype>
#include <string_view>

namespace tolv {

// Equal length and equal characters without regard to ASCII case.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_TEXT_COMPARE_H_
