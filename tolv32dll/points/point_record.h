// Records of the point files ".P", ".Q" and ".Y": each maps a range of ZIP codes to a
// point index and the point's add-on factor. Full records are 14 bytes (16 with a second
// add-on factor); point types '1' and '3' use 5-byte compact records.
#ifndef TOLV32DLL_POINTS_POINT_RECORD_H_
#define TOLV32DLL_POINTS_POINT_RECORD_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/os/bytes.h"
#include "platform/os/record_layout.h"

namespace tolv {

// A point record decoded from either layout. The ZIPs are 5 characters.
struct PointRecord {
  std::string high_zip;
  std::string low_zip;
  std::int16_t index = 0;
  std::int16_t addon_factor = 0;
  std::int16_t second_addon_factor = 0;  // only in 16-byte records
};

// Full record: high ZIP, low ZIP (characters), point index, add-on factor, and in the
// 16-byte form a second add-on factor.
namespace point_record {
inline constexpr os::Field kHighZip = os::TextField(0, 5);
inline constexpr os::Field kLowZip = os::TextField(5, 5);
inline constexpr os::Field kIndex = os::I16Field(10);
inline constexpr os::Field kAddonFactor = os::I16Field(12);
inline constexpr std::size_t kSize = 14;
inline constexpr os::Field kSecondAddonFactor = os::I16Field(14);
inline constexpr std::size_t kSizeWithSecondFactor = 16;
static_assert(os::FieldsTile({kHighZip, kLowZip, kIndex, kAddonFactor}, kSize));
static_assert(os::FieldsTile({kHighZip, kLowZip, kIndex, kAddonFactor, kSecondAddonFactor},
                             kSizeWithSecondFactor));
}  // namespace point_record

// Compact record: bytes 0-2 a 24-bit little-endian value v (low ZIP = v >> 7, range width
// = v & 127), bytes 3-4 a 16-bit value w (point index = w & 1023, add-on factor = w >> 10).
namespace compact_point_record {
inline constexpr os::Field kRange = os::RawField(0, 3);
inline constexpr os::Field kPoint = os::RawField(3, 2);
inline constexpr std::size_t kSize = 5;
static_assert(os::FieldsTile({kRange, kPoint}, kSize));
}  // namespace compact_point_record

// REQUIRES: record.size() >= point_record::kSize (kSizeWithSecondFactor for the
// second factor, which is read only when the span holds it).
PointRecord DecodePointRecord(os::ByteSpan record);
// REQUIRES: record.size() >= compact_point_record::kSize.
PointRecord DecodeCompactPointRecord(os::ByteSpan record);

// A point as the work area holds it: the 16-byte full layout, both layouts unpacked into
// it (the second add-on factor 0 unless the record had one).
std::array<std::uint8_t, point_record::kSizeWithSecondFactor> EncodePointSlot(
    const PointRecord& point);

// Orders a 5-character code against a full record's range: -1 below the low ZIP, 1 above
// the high ZIP, 0 inside.
int CompareCodeWithPointRange(std::string_view code, os::ByteSpan record);
// The first five characters of a code, blank-padded: what the range comparisons compare.
using PointRangeKey = std::array<char, 5>;
PointRangeKey PointRangeKeyOf(std::string_view code);
// CompareCodeWithPointRange with the code's key made once for a whole search.
int ComparePointRangeKey(const PointRangeKey& key, os::ByteSpan record);
// The same against a compact record.
int CompareCodeWithCompactRange(std::string_view code, os::ByteSpan record);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_POINT_RECORD_H_
