// Records of the ".E" EXP file: a point code the tariff rates as another (substitute) code,
// chosen by city. Sorted by key; records with equal keys follow each other. A city that
// begins with "**" matches every city.
#ifndef TOLV32DLL_POINTS_EXP_RECORD_H_
#define TOLV32DLL_POINTS_EXP_RECORD_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace tolv {

// ZIP form (first character of the EXP file number not 'A'): packed codes.
namespace exp_zip_record {
inline constexpr os::Field kCode = os::RawField(0, 3);
inline constexpr os::Field kSubstitute = os::RawField(3, 3);
inline constexpr os::Field kCity = os::TextField(6, 19);
inline constexpr std::size_t kSize = 25;
static_assert(os::FieldsTile({kCode, kSubstitute, kCity}, kSize));
}  // namespace exp_zip_record

// Postal form (first character of the EXP file number 'A'): codes as characters.
namespace exp_postal_record {
inline constexpr os::Field kCode = os::TextField(0, 6);
inline constexpr os::Field kSubstitute = os::TextField(6, 6);
inline constexpr os::Field kCity = os::TextField(12, 19);
inline constexpr std::size_t kSize = 31;
static_assert(os::FieldsTile({kCode, kSubstitute, kCity}, kSize));
}  // namespace exp_postal_record

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_EXP_RECORD_H_
