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

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/rating_files.h"

namespace tolv {

// Header records (26 bytes, from position 0): '0', the table's name at 2-3, its record
// length at byte 11, its first and last record numbers (i32) at 16 and 20.
struct PrecedenceHeaderLayout {
  static constexpr std::size_t kMarker = 0, kName = 2, kRecordLength = 11;
  static constexpr std::size_t kFirst = 16, kLast = 20;
  static constexpr std::size_t kSize = 26;
};
// Table records (13 bytes read): name, packed origin and destination ZIPs, entry kind, low
// and high lane-adjustment record numbers (i16).
struct PrecedenceRecordLayout {
  static constexpr std::size_t kName = 0, kOrigin = 2, kDestination = 5, kKind = 8;
  static constexpr std::size_t kLow = 9, kHigh = 11;
  static constexpr std::size_t kSize = 13;
};

struct PrecedenceLane {
  std::string origin_zip;
  std::string destination_zip;
  int effective_year = 0;  // century x 100 + year of the tariff
};

// The precedence record found for one lane-adjustment number.
struct PrecedenceRecord {
  std::array<std::uint8_t, PrecedenceRecordLayout::kSize> bytes{};
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
