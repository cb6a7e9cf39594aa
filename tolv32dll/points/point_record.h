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
struct PointRecordLayout {
  static constexpr std::size_t kHighZip = 0, kZipWidth = 5;
  static constexpr std::size_t kLowZip = kHighZip + kZipWidth;
  static constexpr std::size_t kIndex = kLowZip + kZipWidth;
  static constexpr std::size_t kAddonFactor = kIndex + 2;
  static constexpr std::size_t kSize = kAddonFactor + 2;
  static constexpr std::size_t kSecondAddonFactor = kSize;
  static constexpr std::size_t kSizeWithSecondFactor = kSecondAddonFactor + 2;
};
static_assert(PointRecordLayout::kSize == 14);
static_assert(PointRecordLayout::kSizeWithSecondFactor == 16);

// Compact record: bytes 0-2 a 24-bit little-endian value v (low ZIP = v >> 7, range width
// = v & 127), bytes 3-4 a 16-bit value w (point index = w & 1023, add-on factor = w >> 10).
struct CompactPointRecordLayout {
  static constexpr std::size_t kRange = 0, kRangeWidth = 3;
  static constexpr std::size_t kPoint = kRange + kRangeWidth;
  static constexpr std::size_t kSize = kPoint + 2;
};
static_assert(CompactPointRecordLayout::kSize == 5);

// REQUIRES: record.size() >= PointRecordLayout::kSize (kSizeWithSecondFactor for the
// second factor, which is read only when the span holds it).
PointRecord DecodePointRecord(os::ByteSpan record);
// REQUIRES: record.size() >= CompactPointRecordLayout::kSize.
PointRecord DecodeCompactPointRecord(os::ByteSpan record);

// A point as the work area holds it: the 16-byte full layout, both layouts unpacked into
// it (the second add-on factor 0 unless the record had one).
std::array<std::uint8_t, PointRecordLayout::kSizeWithSecondFactor> EncodePointSlot(
    const PointRecord& point);

// Orders a 5-character code against a full record's range: -1 below the low ZIP, 1 above
// the high ZIP, 0 inside.
int CompareCodeWithPointRange(std::string_view code, os::ByteSpan record);
// The same against a compact record.
int CompareCodeWithCompactRange(std::string_view code, os::ByteSpan record);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_POINT_RECORD_H_
