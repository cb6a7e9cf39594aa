#include <array>
#include <cstring>
#include <vector>

#include "tolv32dll/ratebasis/methods.h"
#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

// The point records of point type 'N' (30 bytes): a ZIP range, the two keys of the point
// in the index file, and the point's lane-adjustment record numbers.
struct LanePointRecordLayout {
  static constexpr std::size_t kHighZip = 2, kZipWidth = 5;
  static constexpr std::size_t kLowZip = kHighZip + kZipWidth + 1;
  static constexpr std::size_t kOriginKey = kLowZip + kZipWidth + 1;
  static constexpr std::size_t kDestinationKey = kOriginKey + 4;
  static constexpr std::size_t kOriginLaneAdj = kDestinationKey + 4;
  static constexpr std::size_t kDestinationLaneAdj = kOriginLaneAdj + 4;
  static constexpr std::size_t kSize = kDestinationLaneAdj + 4;
};
static_assert(LanePointRecordLayout::kLowZip == 8);
static_assert(LanePointRecordLayout::kSize == 30);

// The index records of point type 'N' (12 bytes): origin key, destination key, rate
// basis number.
struct LaneIndexRecordLayout {
  static constexpr std::size_t kOriginKey = 0;
  static constexpr std::size_t kDestinationKey = 4;
  static constexpr std::size_t kRateBasisNumber = 8;
  static constexpr std::size_t kSize = 12;
};

// The rate record of point type 'N' carries a lane-adjustment record number in bytes
// 10-13, which the rate record buffer leaves out.
constexpr std::size_t kLaneAdjNumber = 10, kLaneAdjNumberWidth = 4;

using PointBytes = std::array<std::uint8_t, LanePointRecordLayout::kSize>;

Result<PointBytes> FindLanePoint(const FileView* file, const std::string& code,
                                 ErrorNumber not_found) {
  using L = LanePointRecordLayout;
  if (file == nullptr) return Result<PointBytes>::Error(kErrPntopn);
  std::string key = code.substr(0, L::kZipWidth);
  key.resize(L::kZipWidth, ' ');
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    if (std::memcmp(key.data(), record.data() + L::kLowZip, L::kZipWidth) < 0) return -1;
    if (std::memcmp(key.data(), record.data() + L::kHighZip, L::kZipWidth) > 0) return 1;
    return 0;
  };
  std::int64_t i = RecordFile_Search(os::ByteSpan(), *file, L::kSize, compare);
  PointBytes record{};
  if (i < 0 || !ReadExact(*file, i * L::kSize, record)) return Result<PointBytes>::Error(not_found);
  return record;
}

}  // namespace

ErrorNumber RunLanePointsMethod(MethodContext& ctx) {
  using P = LanePointRecordLayout;
  using I = LaneIndexRecordLayout;
  Result<PointFiles> origin_files = ctx.files.Points('O', false);
  if (!origin_files.ok()) return origin_files.error();
  Result<PointBytes> origin = FindLanePoint(origin_files->origin, ctx.points.origin.code, kErrBadorg);
  if (!origin.ok()) return origin.error();
  Result<PointFiles> destination_files = ctx.files.Points('D', ctx.points.destination.exp_found);
  if (!destination_files.ok()) return destination_files.error();
  Result<PointBytes> destination =
      FindLanePoint(destination_files->destination, ctx.points.destination.code, kErrBaddst);
  if (!destination.ok()) return destination.error();

  Result<const FileView*> index = ctx.files.RateIndex();
  if (!index.ok()) return index.error();
  if (*index == nullptr) return kErrIdxopn;
  const std::int32_t origin_key = os::LoadI32Le(origin->data() + P::kOriginKey);
  const std::int32_t destination_key = os::LoadI32Le(destination->data() + P::kDestinationKey);
  auto compare = [&](os::ByteSpan, os::ByteSpan record) {
    std::int32_t o = os::LoadI32Le(record.data() + I::kOriginKey);
    std::int32_t d = os::LoadI32Le(record.data() + I::kDestinationKey);
    if (origin_key != o) return origin_key < o ? -1 : 1;
    if (destination_key != d) return destination_key < d ? -1 : 1;
    return 0;
  };
  std::int64_t found = RecordFile_Search(os::ByteSpan(), **index, I::kSize, compare);
  std::array<std::uint8_t, I::kSize> index_record{};
  if (found < 0 || !ReadExact(**index, found * I::kSize, index_record)) return kErrBadcmb;
  const std::int32_t number = os::LoadI32Le(index_record.data() + I::kRateBasisNumber);
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
  ctx.state.lane_adjustment_records = {os::LoadI32Le(origin->data() + P::kOriginLaneAdj),
                                       os::LoadI32Le(destination->data() + P::kDestinationLaneAdj),
                                       os::LoadI32Le(bytes.data() + kLaneAdjNumber)};
  return kOk;
}

}  // namespace tolv
