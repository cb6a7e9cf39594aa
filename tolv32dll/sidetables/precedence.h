// The precedence and exception file ".X": which lane-adjustment entries of a lane stay in
// force. Its "T1" table holds, per origin and destination ZIP, entry kinds and ranges of
// lane-adjustment record numbers.
#ifndef TOLV32DLL_SIDETABLES_PRECEDENCE_H_
#define TOLV32DLL_SIDETABLES_PRECEDENCE_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/rating_files.h"

namespace tolv {

// Header records (26 bytes, from position 0): '0', the table's name at 2-3, its record
// length at byte 11, its first and last record numbers (i32) at 16 and 20.
namespace precedence_header {
inline constexpr os::Field kMarker = os::TextField(0, 1);
inline constexpr os::Field kUnused1 = os::RawField(1, 1);
inline constexpr os::Field kName = os::TextField(2, 2);
inline constexpr os::Field kUnused4 = os::RawField(4, 7);
inline constexpr os::Field kRecordLength = os::RawField(11, 1);  // u8
inline constexpr os::Field kUnused12 = os::RawField(12, 4);
inline constexpr os::Field kFirst = os::I32Field(16);
inline constexpr os::Field kLast = os::I32Field(20);
inline constexpr os::Field kUnused24 = os::RawField(24, 2);
inline constexpr std::size_t kSize = 26;
static_assert(os::FieldsTile({kMarker, kUnused1, kName, kUnused4, kRecordLength, kUnused12, kFirst,
                              kLast, kUnused24},
                             kSize));
}  // namespace precedence_header
namespace precedence_record {
inline constexpr os::Field kName = os::TextField(0, 2);
inline constexpr os::Field kOrigin = os::RawField(2, 3);
inline constexpr os::Field kDestination = os::RawField(5, 3);
inline constexpr os::Field kKind = os::TextField(8, 1);
inline constexpr os::Field kLow = os::I16Field(9);
inline constexpr os::Field kHigh = os::I16Field(11);
inline constexpr std::size_t kSize = 13;
static_assert(os::FieldsTile({kName, kOrigin, kDestination, kKind, kLow, kHigh}, kSize));
}  // namespace precedence_record

struct PrecedenceLane {
  std::string origin_zip;
  std::string destination_zip;
  int effective_year = 0;  // century x 100 + year of the tariff
};

// The precedence record found for one lane-adjustment number.
struct PrecedenceRecord {
  std::array<std::uint8_t, precedence_record::kSize> bytes{};
  // The eight flag digits "%04d%04d" of its two numbers; nullopt when a number is outside
  // 0-9999 (then no flag holds).
  std::optional<std::string> FlagDigits() const;
};

// The record of a lane-adjustment number, or nullopt when the tariff has no ".X", no "T1"
// table, or no record for it. Errors: 276 for a record that cannot be read whole.
Result<std::optional<PrecedenceRecord>> FindPrecedence(RatingFiles& files,
                                                       const PrecedenceLane& lane,
                                                       std::int16_t lane_adjustment_number);

// One lane-adjustment hit: its kind character and record number (0 = removed).
struct LaneAdjustmentHit {
  char kind = ' ';
  std::int16_t number = 0;
};

// Removes (sets to number 0) every hit the table lists for the lane. No ".X": all stay.
ErrorNumber FilterHitsByPrecedence(RatingFiles& files, const PrecedenceLane& lane,
                                   std::vector<LaneAdjustmentHit>& hits);

}  // namespace tolv

#endif  // TOLV32DLL_SIDETABLES_PRECEDENCE_H_
