#include <array>
#include <cstring>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/ratebasis/methods.h"
#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

// The point records of point type 'N' (30 bytes): a ZIP range, the two keys of the point
// in the index file, and the point's lane-adjustment record numbers.
namespace lane_point_record {
inline constexpr os::Field kUnused0 = os::RawField(0, 2);
inline constexpr os::Field kHighZip = os::TextField(2, 5);
inline constexpr os::Field kUnused7 = os::RawField(7, 1);
inline constexpr os::Field kLowZip = os::TextField(8, 5);
inline constexpr os::Field kUnused13 = os::RawField(13, 1);
inline constexpr os::Field kOriginKey = os::I32Field(14);
inline constexpr os::Field kDestinationKey = os::I32Field(18);
inline constexpr os::Field kOriginLaneAdj = os::I32Field(22);
inline constexpr os::Field kDestinationLaneAdj = os::I32Field(26);
inline constexpr std::size_t kSize = 30;
static_assert(os::FieldsTile({kUnused0, kHighZip, kUnused7, kLowZip, kUnused13, kOriginKey,
                              kDestinationKey, kOriginLaneAdj, kDestinationLaneAdj},
                             kSize));
}  // namespace lane_point_record

// The index records of point type 'N' (12 bytes): origin key, destination key, rate
// basis number.
namespace lane_index_record {
inline constexpr os::Field kOriginKey = os::I32Field(0);
inline constexpr os::Field kDestinationKey = os::I32Field(4);
inline constexpr os::Field kRateBasisNumber = os::I32Field(8);
inline constexpr std::size_t kSize = 12;
static_assert(os::FieldsTile({kOriginKey, kDestinationKey, kRateBasisNumber}, kSize));
}  // namespace lane_index_record

// The rate record of point type 'N' carries a lane-adjustment record number in bytes
// 10-13, which the rate record buffer leaves out.
constexpr std::size_t kLaneAdjNumber = 10, kLaneAdjNumberWidth = 4;

using PointBytes = std::array<std::uint8_t, lane_point_record::kSize>;

Result<PointBytes> FindLanePoint(const FileView* file, const std::string& code,
                                 ErrorNumber not_found) {
  namespace L = lane_point_record;
  if (file == nullptr) return Result<PointBytes>::Error(kErrPntopn);
  std::string key = code.substr(0, L::kLowZip.width);
  key.resize(L::kLowZip.width, ' ');
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    const os::ConstRecordView v(record);
    if (std::memcmp(key.data(), v.at(L::kLowZip), L::kLowZip.width) < 0) return -1;
    if (std::memcmp(key.data(), v.at(L::kHighZip), L::kHighZip.width) > 0) return 1;
    return 0;
  };
  std::int64_t i = RecordFile_Search(os::ByteSpan(), *file, L::kSize, compare);
  PointBytes record{};
  if (i < 0 || !ReadExact(*file, i * L::kSize, record)) return Result<PointBytes>::Error(not_found);
  return record;
}

// The two point records of the lane and the rate basis number its index record gives.
struct LaneLookup {
  PointBytes origin{};
  PointBytes destination{};
  std::int32_t rate_basis_number = 0;
};

Result<LaneLookup> FindLane(RatingFiles& files, const PointState& points) {
  namespace P = lane_point_record;
  namespace I = lane_index_record;
  LaneLookup lane;
  Result<PointFiles> origin_files = files.Points('O', false);
  if (!origin_files.ok()) return Result<LaneLookup>::Error(origin_files.error());
  Result<PointBytes> origin = FindLanePoint(origin_files->origin, points.origin.code, kErrBadorg);
  if (!origin.ok()) return Result<LaneLookup>::Error(origin.error());
  lane.origin = *origin;
  Result<PointFiles> destination_files = files.Points('D', points.destination.exp_found);
  if (!destination_files.ok()) return Result<LaneLookup>::Error(destination_files.error());
  Result<PointBytes> destination =
      FindLanePoint(destination_files->destination, points.destination.code, kErrBaddst);
  if (!destination.ok()) return Result<LaneLookup>::Error(destination.error());
  lane.destination = *destination;

  Result<const FileView*> index = files.RateIndex();
  if (!index.ok()) return Result<LaneLookup>::Error(index.error());
  if (*index == nullptr) return Result<LaneLookup>::Error(kErrIdxopn);
  const std::int32_t origin_key = os::ConstRecordView(lane.origin).I32(P::kOriginKey);
  const std::int32_t destination_key =
      os::ConstRecordView(lane.destination).I32(P::kDestinationKey);
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    const os::ConstRecordView v(record);
    std::int32_t o = v.I32(I::kOriginKey);
    std::int32_t d = v.I32(I::kDestinationKey);
    if (origin_key != o) return origin_key < o ? -1 : 1;
    if (destination_key != d) return destination_key < d ? -1 : 1;
    return 0;
  };
  std::int64_t found = RecordFile_Search(os::ByteSpan(), **index, I::kSize, compare);
  std::array<std::uint8_t, I::kSize> index_record{};
  if (found < 0 || !ReadExact(**index, found * I::kSize, index_record)) {
    return Result<LaneLookup>::Error(kErrBadcmb);
  }
  lane.rate_basis_number = os::ConstRecordView(index_record).I32(I::kRateBasisNumber);
  return lane;
}

}  // namespace

ErrorNumber RateFile_OpenIndexAndPoints(RatingFiles& files, const PointState& points) {
  Result<LaneLookup> lane = FindLane(files, points);
  return lane.ok() ? kOk : lane.error();
}

ErrorNumber RunLanePointsMethod(MethodContext& ctx) {
  namespace P = lane_point_record;
  Result<LaneLookup> lane = FindLane(ctx.files, ctx.points);
  if (!lane.ok()) return lane.error();
  const PointBytes* origin = &lane->origin;
  const PointBytes* destination = &lane->destination;
  const std::int32_t number = lane->rate_basis_number;
  ctx.state.rate_basis_number = number;

  Result<const FileView*> rates = ctx.files.Rates();
  if (!rates.ok()) return rates.error();
  if (*rates == nullptr || number < 0) return kErrRtered;
  const std::size_t stored = ctx.record_length + kLaneAdjNumberWidth;
  std::vector<std::uint8_t> bytes(stored);
  if (!ReadExact(**rates, static_cast<std::int64_t>(number) * static_cast<std::int64_t>(stored),
                 bytes)) {
    return kErrRtered;
  }
  std::vector<std::uint8_t> record(bytes.begin(), bytes.begin() + kLaneAdjNumber);
  record.insert(record.end(), bytes.begin() + kLaneAdjNumber + kLaneAdjNumberWidth, bytes.end());
  ctx.state.record = RateRecord(std::move(record));
  ctx.state.record_number = number;
  ctx.state.record_length = stored;
  ctx.state.printed_number = CompactRateBasisNumber(ctx.state.record, ctx.terms.tariff.point_type);
  ctx.state.lane_adjustment_records = {
      os::ConstRecordView(*origin).I32(P::kOriginLaneAdj),
      os::ConstRecordView(*destination).I32(P::kDestinationLaneAdj),
      os::LoadI32Le(bytes.data() + kLaneAdjNumber)};
  return kOk;
}

}  // namespace tolv
