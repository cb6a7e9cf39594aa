// One record of the weight-type file (".T"): 30 bytes, binary, integers little-endian.
// Each record adds a slot of break index and amounts to the table entry of its weight-type
// code; the code "000" also replaces the weight break at its index. Shared by the reader
// and the testkit writer.
#ifndef TOLV32DLL_TARIFF_WEIGHT_TYPE_RECORD_H_
#define TOLV32DLL_TARIFF_WEIGHT_TYPE_RECORD_H_

#include <cstddef>

namespace tolv::weight_type_record {

inline constexpr std::size_t kTypeDigit = 0;   // 1 byte
inline constexpr std::size_t kBreakIndex = 1;  // int16
inline constexpr std::size_t kLiteCode = 3;    // 4 bytes: Lite code text of that index
inline constexpr std::size_t kUnused = 7;      // 2 bytes, not read
inline constexpr std::size_t kCode = 9;        // 3 bytes: weight-type code
inline constexpr std::size_t kAmount1 = 12;    // int32
inline constexpr std::size_t kCode1 = 16;      // 3 bytes
inline constexpr std::size_t kAmount2 = 19;    // int32
inline constexpr std::size_t kCode2 = 23;      // 3 bytes
inline constexpr std::size_t kAmount3 = 26;    // int32
inline constexpr std::size_t kSize = 1 + 2 + 4 + 2 + 3 + 4 + 3 + 4 + 3 + 4;

static_assert(kBreakIndex == kTypeDigit + 1 && kLiteCode == kBreakIndex + 2 &&
              kUnused == kLiteCode + 4 && kCode == kUnused + 2 && kAmount1 == kCode + 3 &&
              kCode1 == kAmount1 + 4 && kAmount2 == kCode1 + 3 && kCode2 == kAmount2 + 4 &&
              kAmount3 == kCode2 + 3 && kSize == kAmount3 + 4 && kSize == 30);

}  // namespace tolv::weight_type_record

#endif  // TOLV32DLL_TARIFF_WEIGHT_TYPE_RECORD_H_
