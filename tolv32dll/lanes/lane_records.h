// The records of the lane-adjustment files: the ".A" adjustment records in their four
// forms and the binary ".L" lane records. Integers are little-endian i16 unless said.
#ifndef TOLV32DLL_LANES_LANE_RECORDS_H_
#define TOLV32DLL_LANES_LANE_RECORDS_H_

#include <cstddef>

namespace tolv {

// ".A" record by code (kinds L, A and G): a 3-character code, then i16 values: value 0 for
// the minimum charges, value k + 1 for rate-matrix cell k. The values run into the i16 and
// the flag at the record's end, so only those that end before the i16 are read.
struct AdjByCodeLayout {
  static constexpr std::size_t kCode = 0, kCodeWidth = 3;
  static constexpr std::size_t kValues = kCode + kCodeWidth;
  static constexpr std::size_t kTrailer = 344;  // i16, not used by the rating
  static constexpr std::size_t kFlag = kTrailer + 2;
  static constexpr std::size_t kSize = kFlag + 1;
  static constexpr std::size_t kValueCount = (kTrailer - kValues) / 2;  // 170
};
static_assert(AdjByCodeLayout::kSize == 347);

// ".A" record by number, 32 bytes (kind Y): number, a mode for the minimum charge and one
// per weight break ('0' none, '1' factor, '2' amount), the minimum-charge value and one
// value per break.
struct AdjByNumber32Layout {
  static constexpr std::size_t kNumber = 0;
  static constexpr std::size_t kMinimumMode = kNumber + 2;
  static constexpr std::size_t kBreakModes = kMinimumMode + 1, kBreakCount = 9;
  static constexpr std::size_t kMinimumValue = kBreakModes + kBreakCount;
  static constexpr std::size_t kBreakValues = kMinimumValue + 2;
  static constexpr std::size_t kSize = kBreakValues + 2 * kBreakCount;
};
static_assert(AdjByNumber32Layout::kSize == 32);

// ".A" record by number, 350 bytes (kind T and the E base): number, the minimum-charge and
// the rate operator ('*' factor, '+' add, '-' subtract, 'F' fixed, '0' none), two
// minimum-charge values (for a first bracket of another kind, and for an ordinary one),
// then one i16 per rate-matrix cell, read while it ends before the closing i16. The i16
// numbers from kValues on are also the links of the E base search.
struct AdjRecord350Layout {
  static constexpr std::size_t kNumber = 0;
  static constexpr std::size_t kMinimumOperator = kNumber + 2;
  static constexpr std::size_t kRateOperator = kMinimumOperator + 1;
  static constexpr std::size_t kMinimumOther = kRateOperator + 1;
  static constexpr std::size_t kMinimumOrdinary = kMinimumOther + 2;
  static constexpr std::size_t kValues = kMinimumOrdinary + 2;
  static constexpr std::size_t kTrailer = 348;
  static constexpr std::size_t kSize = kTrailer + 2;
  static constexpr std::size_t kValueCount = (kTrailer - kValues) / 2;  // 170
};
static_assert(AdjRecord350Layout::kSize == 350);

// ".A" record by area pair, 33 bytes (kind C): the packed pair, the minimum-charge mode and
// the break modes ('0' none, '1' factor, other: amount; the first break's mode doubles as
// the "break mode" byte), then i16 values: the minimum charge and one per break.
struct AdjByPairLayout {
  static constexpr std::size_t kPair = 0, kPairWidth = 3;
  static constexpr std::size_t kMinimumMode = kPair + kPairWidth;
  static constexpr std::size_t kBreakModes = kMinimumMode + 1, kBreakCount = 9;
  static constexpr std::size_t kMinimumValue = kBreakModes + kBreakCount;
  static constexpr std::size_t kBreakValues = kMinimumValue + 2;
  static constexpr std::size_t kSize = kBreakValues + 2 * kBreakCount;
};
static_assert(AdjByPairLayout::kSize == 33);

// Binary ".L" of kind Y, sorted by origin point number: origin, the destination range and
// the adjustment number of the ".A" record by number.
struct LaneByPointLayout {
  static constexpr std::size_t kOrigin = 0, kDestinationLow = 2, kDestinationHigh = 4;
  static constexpr std::size_t kNumber = 6;
  static constexpr std::size_t kSize = kNumber + 2;
};
static_assert(LaneByPointLayout::kSize == 8);

// Binary ".L" of kind C: area records sorted by packed ZIP (a ZIP may have several, one per
// area index), followed by the range records of the lane keys. The file's last 4 bytes
// (i32) give the byte position of the range records; with no range records it is the
// position of those 4 bytes.
struct LaneAreaLayout {
  static constexpr std::size_t kZip = 0, kZipWidth = 3;
  static constexpr std::size_t kAreaIndex = kZip + kZipWidth;  // 1-10
  static constexpr std::size_t kArea = kAreaIndex + 1, kAreaWidth = 3;
  static constexpr std::size_t kSize = kArea + kAreaWidth;
};
static_assert(LaneAreaLayout::kSize == 7);

// Range record of the ".L" record form: an inclusive range of 10-character lane keys and
// the range code of the lanes in it (present when byte kCode is 1-127).
struct LaneRangeLayout {
  static constexpr std::size_t kLow = 0, kKeyWidth = 10;
  static constexpr std::size_t kHigh = kLow + kKeyWidth;
  static constexpr std::size_t kCode = kHigh + kKeyWidth, kCodeWidth = 3;
  static constexpr std::size_t kSize = kCode + kCodeWidth;
};
static_assert(LaneRangeLayout::kSize == 23);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_RECORDS_H_
