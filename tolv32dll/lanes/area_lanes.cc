#include "tolv32dll/lanes/area_lanes.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/lane_common.h"
#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/tariff/codecs.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

using lane_apply::Padded;

bool Usable(const std::string& code) {
  if (code.size() < 3 || code == "   ") return false;
  const auto first = static_cast<unsigned char>(code[0]);
  return first != 0 && first <= 127;
}

// The areas of one ZIP: the run of area records of its packed key among records 1..count.
std::vector<std::string> AreasOf(const FileView& lanes, std::int64_t count,
                                 const std::string& zip) {
  namespace L = lane_area_record;
  std::vector<std::string> areas;
  const std::optional<PackedZip> key = Zip_Pack(zip);
  if (!key || count <= 0) return areas;
  const os::ByteSpan k(key->data(), key->size());
  auto compare = [](os::ByteSpan a, os::ByteSpan r) {
    return std::memcmp(a.data(), r.data(), L::kZip.width);
  };
  std::int64_t i = FileSearch_Binary(k, lanes, L::kSize, compare, 'R', 1, count);
  if (i < 0) return areas;
  std::array<std::uint8_t, L::kSize> r{};
  for (; i <= count && areas.size() < L::kMaxAreas; ++i) {
    if (!ReadExact(lanes, i * static_cast<std::int64_t>(L::kSize),
                   os::MutableByteSpan(r.data(), r.size())))
      break;
    if (std::memcmp(r.data(), key->data(), L::kZip.width) != 0) break;
    const int index = r[L::kAreaIndex.offset];
    if (index > L::kMaxAreaIndex) continue;
    areas.emplace_back(reinterpret_cast<const char*>(r.data() + L::kArea.offset), L::kArea.width);
  }
  return areas;
}

}  // namespace

std::string LaneRangeKey(const std::string& origin_zip, const std::string& destination_zip) {
  return Padded(origin_zip, 5) + Padded(destination_zip, 5);
}

std::vector<std::string> LaneAdj_FindRangeCodes(const FileView& lanes, std::int64_t start,
                                                const std::string& lane_key,
                                                const std::vector<std::string>& origin_areas,
                                                const std::vector<std::string>& destination_areas,
                                                int n) {
  namespace R = lane_range_record;
  std::string range_code;
  const std::string key = Padded(lane_key, R::kLow.width);
  const std::int64_t size = lanes.Size();
  if (start > 0 && size > start) {
    const os::ByteSpan k(reinterpret_cast<const std::uint8_t*>(key.data()), key.size());
    const std::int64_t i = FileSearch_Binary(k, lanes, R::kSize, Compare_Range10, 'B', start, size);
    std::array<std::uint8_t, R::kSize> r{};
    if (i >= 0 &&
        ReadExact(lanes, i * static_cast<std::int64_t>(R::kSize),
                  os::MutableByteSpan(r.data(), r.size())) &&
        r[R::kCode.offset] >= 1 && r[R::kCode.offset] <= 127) {
      range_code.assign(reinterpret_cast<const char*>(r.data() + R::kCode.offset), R::kCode.width);
    }
  }
  std::vector<std::string> pairs;
  for (int i = 0; i < n; ++i) {
    const std::vector<std::string>& list = i % 2 == 0 ? origin_areas : destination_areas;
    const std::size_t at = static_cast<std::size_t>(i / 2);
    if (at >= list.size() || !Usable(list[at])) continue;
    const std::string code = list[at].substr(0, 3);
    pairs.push_back(code + "000");
    if (!range_code.empty()) pairs.push_back(code + range_code);
  }
  return pairs;
}

ErrorNumber LoadLanesByArea(const FileView& lanes, const std::string& origin_zip,
                            const std::string& destination_zip, LaneState& state) {
  namespace H = lane_area_file_head;
  namespace L = lane_area_record;
  state.origin_areas.clear();
  state.destination_areas.clear();
  state.area_pairs.clear();
  std::array<std::uint8_t, H::kSize> head{};
  if (!ReadExact(lanes, 0, os::MutableByteSpan(head.data(), head.size()))) return kErrBadlal;
  const std::int64_t count = os::LoadI16Le(head.data() + H::kAreaCount.offset);
  const std::int64_t ranges = os::LoadI32Le(head.data() + H::kRangePosition.offset);
  const std::int64_t size = lanes.Size();
  if (count < 0 || ranges < 0 || (count + 1) * static_cast<std::int64_t>(L::kSize) > size ||
      ranges % static_cast<std::int64_t>(lane_range_record::kSize) != 0 || ranges > size) {
    return kErrBadlal;
  }
  state.origin_areas = AreasOf(lanes, count, origin_zip);
  state.destination_areas = AreasOf(lanes, count, destination_zip);
  if (state.origin_areas.empty() && state.destination_areas.empty()) return kOk;
  const int n =
      2 * static_cast<int>(std::max(state.origin_areas.size(), state.destination_areas.size()));
  state.area_pairs =
      LaneAdj_FindRangeCodes(lanes, ranges, LaneRangeKey(origin_zip, destination_zip),
                             state.origin_areas, state.destination_areas, n);
  return kOk;
}

}  // namespace tolv
