// The records of the lane-adjustment files: the ".A" adjustment records in their four
// forms and the binary ".L" lane records. Integers are little-endian i16 unless said.
#ifndef TOLV32DLL_LANES_LANE_RECORDS_H_
#define TOLV32DLL_LANES_LANE_RECORDS_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace tolv {

// ".A" record by code (kinds L, A and G): a 3-character code, then i16 values: value 0 for
// the minimum charges, value k + 1 for rate-matrix cell k. The values run into the i16 and
// the flag at the record's end, so only those that end before the i16 are read.
namespace adj_by_code_record {
inline constexpr os::Field kCode = os::TextField(0, 3);
inline constexpr os::Field kValue = os::I16Field(3, 170);
inline constexpr os::Field kValueTail = os::RawField(343, 1);  // half a value, not read
inline constexpr os::Field kTrailer = os::I16Field(344);       // not used by the rating
inline constexpr os::Field kFlag = os::TextField(346, 1);
inline constexpr std::size_t kSize = 347;
inline constexpr std::size_t kValueCount = kValue.count;
static_assert(os::FieldsTile({kCode, kValue, kValueTail, kTrailer, kFlag}, kSize));
}  // namespace adj_by_code_record

// ".A" record by number, 32 bytes (kind Y): number, a mode for the minimum charge and one
// per weight break ('0' none, '1' factor, '2' amount), the minimum-charge value and one
// value per break.
namespace adj_by_number32_record {
inline constexpr os::Field kNumber = os::I16Field(0);
inline constexpr os::Field kMinimumMode = os::TextField(2, 1);
inline constexpr os::Field kBreakMode = os::TextField(3, 1, 9);
inline constexpr os::Field kMinimumValue = os::I16Field(12);
inline constexpr os::Field kBreakValue = os::I16Field(14, 9);
inline constexpr std::size_t kSize = 32;
inline constexpr std::size_t kBreakCount = kBreakMode.count;
static_assert(os::FieldsTile({kNumber, kMinimumMode, kBreakMode, kMinimumValue, kBreakValue},
                             kSize));
static_assert(kBreakValue.count == kBreakCount);
}  // namespace adj_by_number32_record

// ".A" record by number, 350 bytes (kind T and the E base): number, the minimum-charge and
// the rate operator ('*' factor, '+' add, '-' subtract, 'F' fixed, '0' none), two
// minimum-charge values (for a first bracket of another kind, and for an ordinary one),
// then one i16 per rate-matrix cell, read while it ends before the closing i16. The i16
// numbers from kValues on are also the links of the E base search.
namespace adj_record350 {
inline constexpr os::Field kNumber = os::I16Field(0);
inline constexpr os::Field kMinimumOperator = os::TextField(2, 1);
inline constexpr os::Field kRateOperator = os::TextField(3, 1);
inline constexpr os::Field kMinimumOther = os::I16Field(4);
inline constexpr os::Field kMinimumOrdinary = os::I16Field(6);
inline constexpr os::Field kValue = os::I16Field(8, 170);
inline constexpr os::Field kTrailer = os::I16Field(348);
inline constexpr std::size_t kSize = 350;
inline constexpr std::size_t kValueCount = kValue.count;
static_assert(os::FieldsTile({kNumber, kMinimumOperator, kRateOperator, kMinimumOther,
                              kMinimumOrdinary, kValue, kTrailer},
                             kSize));
}  // namespace adj_record350

// ".A" record by area pair, 33 bytes (kind C): the packed pair, the minimum-charge mode and
// the break modes ('0' none, '1' factor, other: amount; the first break's mode doubles as
// the "break mode" byte), then i16 values: the minimum charge and one per break.
namespace adj_by_pair_record {
inline constexpr os::Field kPair = os::RawField(0, 3);
inline constexpr os::Field kMinimumMode = os::TextField(3, 1);
inline constexpr os::Field kBreakMode = os::TextField(4, 1, 9);
inline constexpr os::Field kMinimumValue = os::I16Field(13);
inline constexpr os::Field kBreakValue = os::I16Field(15, 9);
inline constexpr std::size_t kSize = 33;
inline constexpr std::size_t kBreakCount = kBreakMode.count;
static_assert(os::FieldsTile({kPair, kMinimumMode, kBreakMode, kMinimumValue, kBreakValue}, kSize));
static_assert(kBreakValue.count == kBreakCount);
}  // namespace adj_by_pair_record

// Binary ".L" of kind Y, sorted by origin point number: origin, the destination range and
// the adjustment number of the ".A" record by number.
namespace lane_by_point_record {
inline constexpr os::Field kOrigin = os::I16Field(0);
inline constexpr os::Field kDestinationLow = os::I16Field(2);
inline constexpr os::Field kDestinationHigh = os::I16Field(4);
inline constexpr os::Field kNumber = os::I16Field(6);
inline constexpr std::size_t kSize = 8;
static_assert(os::FieldsTile({kOrigin, kDestinationLow, kDestinationHigh, kNumber}, kSize));
}  // namespace lane_by_point_record

// Binary ".L" of kind C: a head the size of one area record (the number of area records,
// the byte position of the range records, a multiple of their length; 0 when there are
// none), the area records sorted by packed ZIP (a ZIP may have several, one per area
// index), then the range records to the end of the file.
namespace lane_area_file_head {
inline constexpr os::Field kAreaCount = os::I16Field(0);
inline constexpr os::Field kRangePosition = os::I32Field(2);
inline constexpr os::Field kUnused = os::RawField(6, 1);
inline constexpr std::size_t kSize = 7;
static_assert(os::FieldsTile({kAreaCount, kRangePosition, kUnused}, kSize));
}  // namespace lane_area_file_head
namespace lane_area_record {
inline constexpr os::Field kZip = os::RawField(0, 3);
inline constexpr os::Field kAreaIndex = os::RawField(3, 1);  // 1-10 are taken
inline constexpr os::Field kArea = os::TextField(4, 3);
inline constexpr std::size_t kSize = 7;
inline constexpr int kMaxAreaIndex = 10;
inline constexpr std::size_t kMaxAreas = 14;  // per end
static_assert(os::FieldsTile({kZip, kAreaIndex, kArea}, kSize));
}  // namespace lane_area_record
static_assert(lane_area_file_head::kSize == lane_area_record::kSize);

// Range record of the ".L" record form: an inclusive range of 10-character lane keys and
// the range code of the lanes in it (present when byte kCode is 1-127).
namespace lane_range_record {
inline constexpr os::Field kLow = os::TextField(0, 10);
inline constexpr os::Field kHigh = os::TextField(10, 10);
inline constexpr os::Field kCode = os::TextField(20, 3);
inline constexpr std::size_t kSize = 23;
static_assert(os::FieldsTile({kLow, kHigh, kCode}, kSize));
}  // namespace lane_range_record

// The 54-byte heads of the binary ".L" of kinds U and G. Counts, sub-kinds and lengths are
// binary bytes; positions are i32 byte positions.
namespace zip_lane_head {
inline constexpr os::Field kUnused0 = os::RawField(0, 1);
inline constexpr os::Field kOptionCount = os::RawField(1, 1);      // 0-2 option records after it
inline constexpr os::Field kUsePostalCodes = os::TextField(2, 1);  // 'B': the ZIPs, else points
inline constexpr os::Field kCheckOn = os::TextField(3, 1);         // 'Y': the secondary check
inline constexpr os::Field kCheckChar = os::TextField(4, 1);       // 'I': kept only when not found
inline constexpr os::Field kSubKind = os::RawField(5, 1);    // 1 as Y, 2 as C, 3 as T, else as L
inline constexpr os::Field kSortHits = os::TextField(6, 1);  // 'Y'
inline constexpr os::Field kUnused7 = os::RawField(7, 30);
inline constexpr os::Field kRecordLength = os::RawField(37, 1);  // of the lane and check records
inline constexpr os::Field kLanePosition = os::I32Field(38);     // the first lane section
inline constexpr os::Field kUnused42 = os::RawField(42, 12);
inline constexpr std::size_t kSize = 54;
inline constexpr std::size_t kOptionRecordSize = 54;
static_assert(os::FieldsTile({kUnused0, kOptionCount, kUsePostalCodes, kCheckOn, kCheckChar,
                              kSubKind, kSortHits, kUnused7, kRecordLength, kLanePosition,
                              kUnused42},
                             kSize));
}  // namespace zip_lane_head
namespace global_lane_head {
inline constexpr os::Field kUnused0 = os::RawField(0, 3);
inline constexpr os::Field kByAreas = os::TextField(3, 1);  // 'B': area codes from ".U", ".V"
inline constexpr os::Field kCheck = os::TextField(4, 1);    // not 'N': the secondary check
inline constexpr os::Field kInvert = os::TextField(5, 1);   // 'I'
inline constexpr os::Field kSubKind = os::RawField(6, 1);
inline constexpr os::Field kSortERecords = os::TextField(7, 1);  // 'Y'
inline constexpr os::Field kAreaTable = os::I32Field(8);         // position of the numbered blocks
inline constexpr os::Field kBlockLength = os::I32Field(12);      // bytes of one block of codes
inline constexpr os::Field kKeyedTable = os::I32Field(16);       // position of the keyed blocks
inline constexpr os::Field kKeyedCount = os::I32Field(20);
inline constexpr os::Field kPairTable = os::I32Field(24);  // position of the pair records
inline constexpr os::Field kPairCount = os::I32Field(28);
inline constexpr os::Field kCheckPosition = os::I32Field(32);  // position of the check records
inline constexpr os::Field kUnused36 = os::RawField(36, 1);
inline constexpr os::Field kRecordLength = os::RawField(37, 1);  // of the check records
inline constexpr os::Field kUnused38 = os::RawField(38, 16);
inline constexpr std::size_t kSize = 54;
static_assert(os::FieldsTile({kUnused0, kByAreas, kCheck, kInvert, kSubKind, kSortERecords,
                              kAreaTable, kBlockLength, kKeyedTable, kKeyedCount, kPairTable,
                              kPairCount, kCheckPosition, kUnused36, kRecordLength, kUnused38},
                             kSize));
}  // namespace global_lane_head

// A lane record of kind U (record length from the head, at least kHits + the hit width):
// '4', 'B' when the lane also matches reversed, the origin and destination ranges, the hit
// slot (1-10, 0 appends) and the hit data. A record of kind '2' (bytes 1-4: i32 position)
// continues the section elsewhere.
namespace zip_lane_record {
inline constexpr os::Field kKind = os::TextField(0, 1);
inline constexpr os::Field kBothWays = os::TextField(1, 1);
inline constexpr os::Field kOriginLow = os::TextField(2, 5);
inline constexpr os::Field kOriginHigh = os::TextField(7, 5);
inline constexpr os::Field kDestinationLow = os::TextField(12, 5);
inline constexpr os::Field kDestinationHigh = os::TextField(17, 5);
inline constexpr os::Field kSlot = os::RawField(22, 1);
inline constexpr std::size_t kHits = 23;                     // the hit data, to the record's end
inline constexpr os::Field kNextPosition = os::I32Field(1);  // kind '2'
inline constexpr std::size_t kZipWidth = kOriginLow.width;
static_assert(os::FieldsTile({kKind, kBothWays, kOriginLow, kOriginHigh, kDestinationLow,
                              kDestinationHigh, kSlot},
                             kHits));
}  // namespace zip_lane_record

// The key of a secondary-check record: '6', 7 characters of the rate record (its rate basis
// text), 7 blanks, 8 dots, then the hit data.
namespace check_record_key {
inline constexpr os::Field kMarker = os::TextField(0, 1);
inline constexpr os::Field kRateText = os::TextField(1, 7);
inline constexpr os::Field kBlanks = os::TextField(8, 7);
inline constexpr os::Field kDots = os::TextField(15, 8);
inline constexpr std::size_t kData = 23;
static_assert(os::FieldsTile({kMarker, kRateText, kBlanks, kDots}, kData));
}  // namespace check_record_key

// ".U" and ".V" of kind G (36 bytes), sorted by ZIP: a ZIP range and the area code of the
// ZIPs in it.
namespace lane_base_record {
inline constexpr os::Field kUnused0 = os::RawField(0, 2);
inline constexpr os::Field kLow = os::TextField(2, 5);
inline constexpr os::Field kHigh = os::TextField(7, 5);
inline constexpr os::Field kArea = os::TextField(12, 5);
inline constexpr os::Field kUnused17 = os::RawField(17, 19);
inline constexpr std::size_t kSize = 36;
static_assert(os::FieldsTile({kUnused0, kLow, kHigh, kArea, kUnused17}, kSize));
}  // namespace lane_base_record

// Kind G: a block of 5-character codes (five blanks end the list); a keyed block is an
// 11-character key followed by a block. Pair records (15 bytes) sorted by the two codes name
// one E record each.
namespace global_lane {
inline constexpr std::size_t kCodeWidth = 5;
inline constexpr std::size_t kBlockKey = 11;
inline constexpr std::size_t kERecordSize = 660;
inline constexpr std::size_t kMaxERecords = 15;
}  // namespace global_lane
namespace global_lane_pair {
inline constexpr os::Field kOrigin = os::TextField(0, global_lane::kCodeWidth);
inline constexpr os::Field kDestination = os::TextField(5, global_lane::kCodeWidth);
inline constexpr os::Field kNumber = os::I32Field(10);  // of the E record
inline constexpr os::Field kUnused14 = os::RawField(14, 1);
inline constexpr std::size_t kSize = 15;
inline constexpr std::size_t kKeyWidth = kNumber.offset;
static_assert(os::FieldsTile({kOrigin, kDestination, kNumber, kUnused14}, kSize));
}  // namespace global_lane_pair

// A row of the lane-adjustment rows that rating logs (kind 4): an E record's first 8 bytes
// (the key character at 7) and its position in ".A". 60 rows in the log record.
namespace lane_adj_row {
inline constexpr os::Field kHead = os::RawField(0, 8);
inline constexpr os::Field kPosition = os::I32Field(8);
inline constexpr os::Field kUnused = os::RawField(12, 1);
inline constexpr std::size_t kSize = 13;
inline constexpr std::size_t kRows = 60;
static_assert(os::FieldsTile({kHead, kPosition, kUnused}, kSize));
static_assert(kSize * kRows == 780);
}  // namespace lane_adj_row

// A hit list as rating logs it (kinds 11 and 12): 15 entries of 7 bytes. List A: the code
// (3) and its i32 position; list B: the kind character, the i16 number and the i32 position.
namespace lane_hit_log {
inline constexpr std::size_t kEntrySize = 7;
inline constexpr std::size_t kEntries = 15;
inline constexpr std::size_t kSize = kEntrySize * kEntries;
static_assert(kSize == 105);
}  // namespace lane_hit_log
namespace lane_code_hit_entry {
inline constexpr os::Field kCode = os::TextField(0, 3);
inline constexpr os::Field kPosition = os::I32Field(3);
static_assert(os::FieldsTile({kCode, kPosition}, lane_hit_log::kEntrySize));
}  // namespace lane_code_hit_entry
namespace lane_number_hit_entry {
inline constexpr os::Field kKind = os::TextField(0, 1);
inline constexpr os::Field kNumber = os::I16Field(1);
inline constexpr os::Field kPosition = os::I32Field(3);
static_assert(os::FieldsTile({kKind, kNumber, kPosition}, lane_hit_log::kEntrySize));
}  // namespace lane_number_hit_entry

// The point sections of ".A" that codes beginning with "4" need: records of the by-code form
// whose code is "999" (origin ZIPs) or "***" (destination ZIPs), each holding 10-character
// ZIP ranges (low 5, high 5) from byte 3 up to its closing i16; a blank range ends a record.
namespace point_section_record {
inline constexpr os::Field kCode = os::TextField(0, 3);
inline constexpr os::Field kRange = os::TextField(3, 10, 34);  // low ZIP 5, high ZIP 5
inline constexpr os::Field kRangeTail = os::RawField(343, 1);
inline constexpr os::Field kTrailer = os::I16Field(344);
inline constexpr os::Field kFlag = os::TextField(346, 1);
inline constexpr std::size_t kZipWidth = 5;
inline constexpr std::size_t kRangeCount = kRange.count;
static_assert(os::FieldsTile({kCode, kRange, kRangeTail, kTrailer, kFlag},
                             adj_by_code_record::kSize));
}  // namespace point_section_record

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_RECORDS_H_
