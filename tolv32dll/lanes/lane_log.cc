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
  using L = LaneAdjRowLayout;
  std::array<std::uint8_t, 780> out{};
  const std::size_t rows = std::min(state.e_records.size(), L::kRows);
  for (std::size_t i = 0; i < rows; ++i) {
    std::uint8_t* row = out.data() + i * L::kSize;
    const std::vector<std::uint8_t>& record = state.e_records[i];
    std::memcpy(row + L::kHead, record.data(), std::min(record.size(), L::kHeadWidth));
    const std::int64_t at = i < state.e_positions.size() ? state.e_positions[i] : 0;
    os::StoreI32Le(row + L::kPosition, Position32(at));
  }
  return out;
}

std::array<std::uint8_t, LaneHitLogLayout::kSize> CodeHitsLog(const std::vector<CodeHit>& hits) {
  using L = LaneHitLogLayout;
  std::array<std::uint8_t, L::kSize> out{};
  for (std::size_t i = 0; i < std::min(hits.size(), L::kEntries); ++i) {
    std::uint8_t* e = out.data() + i * L::kEntrySize;
    os::StoreText(e + L::kCode, L::kCodeWidth, hits[i].code);
    os::StoreI32Le(e + L::kCodePosition, Position32(hits[i].position));
  }
  return out;
}

std::array<std::uint8_t, LaneHitLogLayout::kSize> NumberHitsLog(
    const std::vector<NumberHit>& hits) {
  using L = LaneHitLogLayout;
  std::array<std::uint8_t, L::kSize> out{};
  for (std::size_t i = 0; i < std::min(hits.size(), L::kEntries); ++i) {
    std::uint8_t* e = out.data() + i * L::kEntrySize;
    e[L::kKind] = static_cast<std::uint8_t>(hits[i].kind);
    os::StoreI16Le(e + L::kNumber, hits[i].number);
    os::StoreI32Le(e + L::kNumberPosition, Position32(hits[i].position));
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
