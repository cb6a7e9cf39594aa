#include "tolv32dll/lanes/lane_log.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "tolv32dll/logs/binary_log.h"

namespace tolv {
namespace {

std::int32_t Position32(std::int64_t position) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX));
}

}  // namespace

std::array<std::uint8_t, 780> LaneAdjRowsLog(const LaneState& state) {
  namespace L = lane_adj_row;
  std::array<std::uint8_t, 780> out{};
  const std::size_t rows = std::min(state.e_records.size(), L::kRows);
  for (std::size_t i = 0; i < rows; ++i) {
    const os::RecordView row = os::RecordView(out).Sub(i * L::kSize, L::kSize);
    const std::vector<std::uint8_t>& record = state.e_records[i];
    std::memcpy(row.at(L::kHead), record.data(), std::min(record.size(), L::kHead.width));
    const std::int64_t at = i < state.e_positions.size() ? state.e_positions[i] : 0;
    row.SetI32(L::kPosition, Position32(at));
  }
  return out;
}

std::array<std::uint8_t, lane_hit_log::kSize> CodeHitsLog(const std::vector<CodeHit>& hits) {
  namespace L = lane_hit_log;
  namespace E = lane_code_hit_entry;
  std::array<std::uint8_t, L::kSize> out{};
  for (std::size_t i = 0; i < std::min(hits.size(), L::kEntries); ++i) {
    const os::RecordView e = os::RecordView(out).Sub(i * L::kEntrySize, L::kEntrySize);
    e.SetText(E::kCode, hits[i].code);
    e.SetI32(E::kPosition, Position32(hits[i].position));
  }
  return out;
}

std::array<std::uint8_t, lane_hit_log::kSize> NumberHitsLog(const std::vector<NumberHit>& hits) {
  namespace L = lane_hit_log;
  namespace E = lane_number_hit_entry;
  std::array<std::uint8_t, L::kSize> out{};
  for (std::size_t i = 0; i < std::min(hits.size(), L::kEntries); ++i) {
    const os::RecordView e = os::RecordView(out).Sub(i * L::kEntrySize, L::kEntrySize);
    *e.at(E::kKind) = static_cast<std::uint8_t>(hits[i].kind);
    e.SetI16(E::kNumber, hits[i].number);
    e.SetI32(E::kPosition, Position32(hits[i].position));
  }
  return out;
}

void LogLaneAdjRows(const LaneState& state) {
  if (!ThreadBinaryDebug()) return;
  const auto rows = LaneAdjRowsLog(state);
  LogBinary(BinaryLogKind::kLaneAdjustmentRows, rows);
}

void LogCodeHits(const LaneState& state) {
  if (!ThreadBinaryDebug()) return;
  const auto hits = CodeHitsLog(state.code_hits);
  LogBinary(BinaryLogKind::kLaneAdjustmentResult, hits);
}

void LogNumberHits(const LaneState& state) {
  if (!ThreadBinaryDebug()) return;
  const auto hits = NumberHitsLog(state.number_hits);
  LogBinary(BinaryLogKind::kLaneAdjustmentResultSecond, hits);
}

}  // namespace tolv
