// Records of the ".E" EXP file: a point code the tariff rates as another (substitute) code,
// chosen by city. Sorted by key; records with equal keys follow each other. A city that
// begins with "**" matches every city.
#ifndef TOLV32DLL_POINTS_EXP_RECORD_H_
#define TOLV32DLL_POINTS_EXP_RECORD_H_

#include <cstddef>

namespace tolv {

// ZIP form (first character of the EXP file number not 'A'): packed codes.
struct ExpZipRecordLayout {
  static constexpr std::size_t kCode = 0, kCodeWidth = 3;
  static constexpr std::size_t kSubstitute = kCode + kCodeWidth, kSubstituteWidth = 3;
  static constexpr std::size_t kCity = kSubstitute + kSubstituteWidth, kCityWidth = 19;
  static constexpr std::size_t kSize = kCity + kCityWidth;
};
static_assert(ExpZipRecordLayout::kSize == 25);

// Postal form (first character of the EXP file number 'A'): codes as characters.
struct ExpPostalRecordLayout {
  static constexpr std::size_t kCode = 0, kCodeWidth = 6;
  static constexpr std::size_t kSubstitute = kCode + kCodeWidth, kSubstituteWidth = 6;
  static constexpr std::size_t kCity = kSubstitute + kSubstituteWidth, kCityWidth = 19;
  static constexpr std::size_t kSize = kCity + kCityWidth;
};
static_assert(ExpPostalRecordLayout::kSize == 31);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_EXP_RECORD_H_
