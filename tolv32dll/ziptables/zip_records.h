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
#include "platform/os/record_layout.h"

namespace tolv {

namespace zip_pair_record {
inline constexpr os::Field kDirection = os::TextField(0, 1);  // 'F' forward, 'B' both ways
inline constexpr os::Field kOriginLow = os::RawField(1, 3);
inline constexpr os::Field kOriginHigh = os::RawField(4, 3);
inline constexpr os::Field kDestinationLow = os::RawField(7, 3);
inline constexpr os::Field kDestinationHigh = os::RawField(10, 3);
inline constexpr os::Field kRateBasisLow = os::TextField(13, 6);
inline constexpr os::Field kRateBasisHigh = os::TextField(19, 6);
inline constexpr os::Field kData = os::RawField(25, 15);
// The pair's data as the charge step reads it.
inline constexpr os::Field kMinimumMethod = os::RawField(25, 1);  // method number (a byte)
inline constexpr os::Field kBracketCount = os::RawField(26, 1);   // a byte
inline constexpr os::Field kMode = os::TextField(27, 1);          // '*', 'R' or 'M'
inline constexpr os::Field kCharge = os::RawField(28, 3, 4);      // 24-bit little-endian
inline constexpr std::size_t kSize = 40;
static_assert(os::FieldsTile({kDirection, kOriginLow, kOriginHigh, kDestinationLow,
                              kDestinationHigh, kRateBasisLow, kRateBasisHigh, kData},
                             kSize));
static_assert(kMinimumMethod.offset == kData.offset &&
              kBracketCount.offset == kMinimumMethod.end() && kMode.offset == kBracketCount.end() &&
              kCharge.offset == kMode.end() && kCharge.end() == kData.end());
}  // namespace zip_pair_record

namespace class_factor_range_record {
inline constexpr os::Field kLow = os::RawField(0, 3);
inline constexpr os::Field kHigh = os::RawField(3, 3);
inline constexpr os::Field kFactors = os::RawField(6, 5);
inline constexpr os::Field kBreakFactor = os::I16Field(9);  // inside the factors
inline constexpr std::size_t kSize = 11;
inline constexpr std::size_t kMaxRanges = 20;
static_assert(os::FieldsTile({kLow, kHigh, kFactors}, kSize));
static_assert(kBreakFactor.end() == kFactors.end());
}  // namespace class_factor_range_record

namespace rbno_addon_record {
inline constexpr os::Field kLetter = os::TextField(0, 1);
inline constexpr os::Field kOriginLow = os::RawField(1, 3);
inline constexpr os::Field kOriginHighTail = os::RawField(4, 1);  // last 2 digits of the high ZIP
inline constexpr os::Field kDestinationLow = os::RawField(5, 3);
inline constexpr os::Field kDestinationHigh = os::RawField(8, 3);
inline constexpr os::Field kSign = os::TextField(11, 1);
inline constexpr os::Field kAmount = os::RawField(12, 3);  // 5 packed digits
inline constexpr std::size_t kSize = 15;
static_assert(os::FieldsTile({kLetter, kOriginLow, kOriginHighTail, kDestinationLow,
                              kDestinationHigh, kSign, kAmount},
                             kSize));
}  // namespace rbno_addon_record

// The two forms of a Lite E base record: packed (12 bytes) and text (17 bytes, point type
// 'M'). Offsets and widths differ; the roles are the same.
struct LiteBaseForm {
  os::Field type;           // 2 characters
  os::Field zip_low;        // packed (3) or 5 characters
  os::Field zip_high_tail;  // last 2 digits: packed (1) or 2 characters
  os::Field point;          // add-on point code: 3 bytes or 5 characters
  os::Field amount;         // 5 packed digits in both forms
  std::size_t size;
  constexpr bool Tiles() const {
    return os::FieldsTile({type, zip_low, zip_high_tail, point, amount}, size);
  }
};
inline constexpr LiteBaseForm kLiteBasePacked{os::TextField(0, 2), os::RawField(2, 3),
                                              os::RawField(5, 1),  os::RawField(6, 3),
                                              os::RawField(9, 3),  12};
inline constexpr LiteBaseForm kLiteBaseText{os::TextField(0, 2), os::TextField(2, 5),
                                            os::TextField(7, 2), os::TextField(9, 5),
                                            os::RawField(14, 3), 17};
static_assert(kLiteBasePacked.Tiles() && kLiteBaseText.Tiles());

// The two forms of a Lite E matrix record; the text form leaves byte 15 unused.
struct LiteMatrixForm {
  os::Field type;          // 2 characters
  os::Field first_point;   // the lower add-on point code
  os::Field second_point;  // the higher one
  os::Field number;        // rate basis number, 5 packed digits
  os::Field unused;
  os::Field letter;  // the last byte
  std::size_t size;
  constexpr std::size_t key_width() const { return second_point.end(); }
  constexpr bool Tiles() const {
    return os::FieldsTile({type, first_point, second_point, number, unused, letter}, size);
  }
};
inline constexpr LiteMatrixForm kLiteMatrixPacked{os::TextField(0, 2),
                                                  os::RawField(2, 3),
                                                  os::RawField(5, 3),
                                                  os::RawField(8, 3),
                                                  os::RawField(11, 0),
                                                  os::TextField(11, 1),
                                                  12};
inline constexpr LiteMatrixForm kLiteMatrixText{os::TextField(0, 2),
                                                os::TextField(2, 5),
                                                os::TextField(7, 5),
                                                os::RawField(12, 3),
                                                os::RawField(15, 1),
                                                os::TextField(16, 1),
                                                17};
static_assert(kLiteMatrixPacked.Tiles() && kLiteMatrixText.Tiles());

// The type directory: 20 entries of a type code and the byte offset of the type's records.
namespace type_directory_entry {
inline constexpr os::Field kType = os::TextField(0, 2);
inline constexpr os::Field kRecords = os::I32Field(2);
inline constexpr std::size_t kSize = 6;
static_assert(os::FieldsTile({kType, kRecords}, kSize));
inline constexpr std::size_t kEntries = 20;
inline constexpr std::size_t kDirectorySize = kSize * kEntries;
}  // namespace type_directory_entry

namespace lite_table_row {
inline constexpr os::Field kLetter = os::TextField(0, 1);
inline constexpr os::Field kThreshold = os::TextField(1, 5);
inline constexpr os::Field kTable = os::TextField(6, 3);
inline constexpr os::Field kFlag = os::TextField(9, 1);
inline constexpr std::size_t kSize = 10;
inline constexpr std::size_t kSlots = 250;
static_assert(os::FieldsTile({kLetter, kThreshold, kTable, kFlag}, kSize));
}  // namespace lite_table_row

// The value of n packed digits (ceil(n/2) bytes); a nibble above 9 counts as its value.
std::int32_t PackedDigitsValue(const std::uint8_t* p, int n);

// The first 3 of the 5 digits of a packed ZIP, as a number.
inline std::uint32_t PackedPrefix(const std::uint8_t* zip) {
  return (static_cast<std::uint32_t>(zip[0]) << 8) | zip[1];
}

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ZIP_RECORDS_H_
