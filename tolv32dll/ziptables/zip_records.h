// The records of the ZIP-keyed tariff tables. ZIPs are packed digits (5 digits in 3 bytes,
// most significant first), which sort like the numbers, so ranges compare byte-wise.
//   ".Z" ZIP pair -> rate basis range and the pair's minimum-charge data (40 bytes)
//   ".C" class-factor ranges, at most 20 (11 bytes)
//   ".H" RBNO add-on amounts of point type 'I' (15 bytes)
//   ".B" Lite E base: add-on point and amount of a ZIP range (12 bytes; 17 in text form)
//   ".K" Lite E matrix: rate basis number and letter of a pair of add-on points (12; 17)
// ".B" and ".K" begin with a directory of 20 entries (type code, byte offset of the type's
// records); ".B" ends with the Lite table (rows of 10 bytes).
#ifndef TOLV32DLL_ZIPTABLES_ZIP_RECORDS_H_
#define TOLV32DLL_ZIPTABLES_ZIP_RECORDS_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/os/bytes.h"

namespace tolv {

struct ZipPairLayout {
  static constexpr std::size_t kDirection = 0;  // 'F' forward, 'B' both ways
  static constexpr std::size_t kOriginLow = 1, kOriginHigh = 4;
  static constexpr std::size_t kDestinationLow = 7, kDestinationHigh = 10;
  static constexpr std::size_t kZipWidth = 3;
  static constexpr std::size_t kRateBasisLow = 13, kRateBasisHigh = 19, kRateBasisWidth = 6;
  static constexpr std::size_t kData = 25, kDataWidth = 15;
  // The pair's data as the charge step reads it.
  static constexpr std::size_t kMinimumMethod = 25;  // method number (a byte)
  static constexpr std::size_t kBracketCount = 26;   // a byte
  static constexpr std::size_t kMode = 27;           // '*', 'R' or 'M'
  static constexpr std::size_t kCharges = 28;        // four 24-bit little-endian values
  static constexpr std::size_t kSize = kData + kDataWidth;
};
static_assert(ZipPairLayout::kRateBasisHigh + ZipPairLayout::kRateBasisWidth == ZipPairLayout::kData);
static_assert(ZipPairLayout::kCharges + 4 * 3 == ZipPairLayout::kSize);
static_assert(ZipPairLayout::kSize == 40);

struct ClassFactorRangeLayout {
  static constexpr std::size_t kLow = 0, kHigh = 3, kZipWidth = 3;
  static constexpr std::size_t kFactors = 6, kFactorsWidth = 5;
  static constexpr std::size_t kBreakFactor = 9;  // i16 little-endian, inside the factors
  static constexpr std::size_t kSize = kFactors + kFactorsWidth;
  static constexpr std::size_t kMaxRanges = 20;
};
static_assert(ClassFactorRangeLayout::kSize == 11);

struct RbnoAddonLayout {
  static constexpr std::size_t kLetter = 0;
  static constexpr std::size_t kOriginLow = 1;       // 3 bytes
  static constexpr std::size_t kOriginHighTail = 4;  // last 2 digits of the high ZIP
  static constexpr std::size_t kDestinationLow = 5, kDestinationHigh = 8;  // 3 bytes each
  static constexpr std::size_t kSign = 11;
  static constexpr std::size_t kAmount = 12;  // 5 packed digits
  static constexpr std::size_t kSize = kAmount + 3;
};
static_assert(RbnoAddonLayout::kSize == 15);

// The two forms of a Lite E base record: packed (12 bytes) and text (17 bytes, point type
// 'M'). Offsets and widths differ; the roles are the same.
struct LiteBaseLayout {
  std::size_t type;           // 2 characters
  std::size_t zip_low;        // packed (3) or 5 characters
  std::size_t zip_width;
  std::size_t zip_high_tail;  // last 2 digits: packed (1) or 2 characters
  std::size_t tail_width;
  std::size_t point;          // add-on point code: 3 bytes or 5 characters
  std::size_t point_width;
  std::size_t amount;         // 5 packed digits in both forms
  std::size_t size;
};
inline constexpr LiteBaseLayout kLiteBasePacked{0, 2, 3, 5, 1, 6, 3, 9, 12};
inline constexpr LiteBaseLayout kLiteBaseText{0, 2, 5, 7, 2, 9, 5, 14, 17};
static_assert(kLiteBasePacked.amount + 3 == kLiteBasePacked.size);
static_assert(kLiteBaseText.amount + 3 == kLiteBaseText.size);
static_assert(kLiteBaseText.point + kLiteBaseText.point_width == kLiteBaseText.amount);

struct LiteMatrixLayout {
  std::size_t type;          // 2 characters
  std::size_t first_point;   // the lower add-on point code
  std::size_t second_point;  // the higher one
  std::size_t point_width;
  std::size_t number;        // rate basis number, 5 packed digits
  std::size_t letter;        // the last byte
  std::size_t size;
  std::size_t key_width() const { return second_point + point_width; }
};
inline constexpr LiteMatrixLayout kLiteMatrixPacked{0, 2, 5, 3, 8, 11, 12};
// The text form leaves byte 15 unused.
inline constexpr LiteMatrixLayout kLiteMatrixText{0, 2, 7, 5, 12, 16, 17};
static_assert(kLiteMatrixPacked.number + 3 == kLiteMatrixPacked.letter);
static_assert(kLiteMatrixPacked.letter + 1 == kLiteMatrixPacked.size);
static_assert(kLiteMatrixText.letter + 1 == kLiteMatrixText.size);

struct TypeDirectoryLayout {
  static constexpr std::size_t kType = 0, kTypeWidth = 2;
  static constexpr std::size_t kOffset = 2;  // i32 little-endian
  static constexpr std::size_t kEntrySize = 6;
  static constexpr std::size_t kEntries = 20;
  static constexpr std::size_t kSize = kEntrySize * kEntries;
};
static_assert(TypeDirectoryLayout::kSize == 120);

struct LiteTableRowLayout {
  static constexpr std::size_t kLetter = 0;
  static constexpr std::size_t kThreshold = 1, kThresholdWidth = 5;
  static constexpr std::size_t kTable = 6, kTableWidth = 3;
  static constexpr std::size_t kFlag = 9;
  static constexpr std::size_t kSize = 10;
  static constexpr std::size_t kSlots = 250;
};
static_assert(LiteTableRowLayout::kFlag + 1 == LiteTableRowLayout::kSize);

// The value of n packed digits (ceil(n/2) bytes); a nibble above 9 counts as its value.
std::int32_t PackedDigitsValue(const std::uint8_t* p, int n);

// The first 3 of the 5 digits of a packed ZIP, as a number.
inline std::uint32_t PackedPrefix(const std::uint8_t* zip) {
  return (static_cast<std::uint32_t>(zip[0]) << 8) | zip[1];
}

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ZIP_RECORDS_H_
