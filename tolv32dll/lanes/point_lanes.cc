#include "tolv32dll/lanes/point_lanes.h"

#include <array>

#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {

void LoadLanesByPoint(const FileView& lanes, std::int16_t origin, std::int16_t destination,
                      LaneState& state) {
  namespace L = lane_by_point_record;
  std::array<std::uint8_t, 2> key{};
  os::StoreI16Le(key.data(), origin);
  // Only the origin number orders the records.
  auto compare = [](os::ByteSpan k, os::ByteSpan r) {
    const int a = os::LoadI16Le(k.data());
    const int b = os::LoadI16Le(r.data() + L::kOrigin.offset);
    return a < b ? -1 : (a > b ? 1 : 0);
  };
  const std::int64_t first =
      RecordFile_Search(os::ByteSpan(key.data(), key.size()), lanes, L::kSize, compare);
  if (first < 0) return;
  const std::int64_t count = RecordCount(lanes, L::kSize);
  bool matched = false;
  std::array<std::uint8_t, L::kSize> r{};
  for (std::int64_t i = first; i < count && state.number_hits.size() < kMaxLaneHits; ++i) {
    if (!ReadExact(lanes, i * static_cast<std::int64_t>(L::kSize),
                   os::MutableByteSpan(r.data(), r.size()))) {
      return;
    }
    if (os::LoadI16Le(r.data() + L::kOrigin.offset) != origin) return;
    const bool holds = os::LoadI16Le(r.data() + L::kDestinationLow.offset) <= destination &&
                       destination <= os::LoadI16Le(r.data() + L::kDestinationHigh.offset);
    if (!holds) {
      if (matched) return;
      continue;
    }
    matched = true;
    state.number_hits.push_back({'Y', os::LoadI16Le(r.data() + L::kNumber.offset), 0});
  }
}

}  // namespace tolv
