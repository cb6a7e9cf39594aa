// One record of the weight-type file (".T"): 30 bytes, binary, integers little-endian.
// Each record adds a slot of break index and amounts to the table entry of its weight-type
// code; the code "000" also replaces the weight break at its index. The testkit writer lays
// the record out by hand, so its tests check these offsets.
#ifndef TOLV32DLL_TARIFF_WEIGHT_TYPE_RECORD_H_
#define TOLV32DLL_TARIFF_WEIGHT_TYPE_RECORD_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace tolv::weight_type_record {

inline constexpr os::Field kTypeDigit = os::TextField(0, 1);
inline constexpr os::Field kBreakIndex = os::I16Field(1);
inline constexpr os::Field kLiteCode = os::RawField(3, 4);  // Lite code text of that index
inline constexpr os::Field kUnused = os::RawField(7, 2);    // not read
inline constexpr os::Field kCode = os::RawField(9, 3);      // weight-type code
inline constexpr os::Field kAmount1 = os::I32Field(12);
inline constexpr os::Field kCode1 = os::RawField(16, 3);
inline constexpr os::Field kAmount2 = os::I32Field(19);
inline constexpr os::Field kCode2 = os::RawField(23, 3);
inline constexpr os::Field kAmount3 = os::I32Field(26);
inline constexpr std::size_t kSize = 30;
static_assert(os::FieldsTile({kTypeDigit, kBreakIndex, kLiteCode, kUnused, kCode, kAmount1, kCode1,
                              kAmount2, kCode2, kAmount3},
                             kSize));

}  // namespace tolv::weight_type_record

#endif  // TOLV32DLL_TARIFF_WEIGHT_TYPE_RECORD_H_
