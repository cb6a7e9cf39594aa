// The lane adjustments' records of the binary debug log: the lane-adjustment rows (kind 4)
// and the hit lists (kind 11 for list A after the break ranges, kind 12 for list B after
// the operator records).
#ifndef TOLV32DLL_LANES_LANE_LOG_H_
#define TOLV32DLL_LANES_LANE_LOG_H_

#include <array>
#include <cstdint>
#include <vector>

#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/lanes/lane_state.h"

namespace tolv {

// 60 rows of 13 bytes: each E record's first 8 bytes and its position; the rest zero.
std::array<std::uint8_t, 780> LaneAdjRowsLog(const LaneState& state);
// 15 entries of 7 bytes, unused entries zero.
std::array<std::uint8_t, lane_hit_log::kSize> CodeHitsLog(const std::vector<CodeHit>& hits);
std::array<std::uint8_t, lane_hit_log::kSize> NumberHitsLog(const std::vector<NumberHit>& hits);

// Write them when the calling thread's binary log is on.
void LogLaneAdjRows(const LaneState& state);
void LogCodeHits(const LaneState& state);
void LogNumberHits(const LaneState& state);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_LOG_H_
