#include <cstdio>
#include <cstring>
#include <vector>

#include "tolv32dll/logs/binary_log.h"
#include "tolv32dll/points/point_lookup.h"
#include "tolv32dll/ratebasis/methods.h"
#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

// Method '7' uses 16-byte rate records; same-point lanes find theirs by a 4-character key.
constexpr std::size_t kAddonRecordLength = 16;

// The fixed record of a lane inside one point, by the sum of the two add-on factors
// (compared unsigned: a negative sum falls through to the sum itself).
std::uint32_t SamePointRecordNumber(std::uint32_t s) {
  if (s <= 6) return 1042;
  if (s <= 13) return 1052;
  if (s <= 19) return 1056;
  if (s <= 28) return 1064;
  if (s <= 34) return 1074;
  if (s <= 1000) return 1084;
  if (s <= 1052) return 1052;
  if (s >= 2000 && s <= 2052) return 2052;
  if (s >= 3000 && s <= 3052) return 3052;
  if (s >= 4000 && s <= 4052) return 4052;
  return s;
}

// Reads the same-point record whose first 4 characters are "%03d0" of (number mod 1000).
ErrorNumber ReadSamePointRecord(RatingFiles& files, std::uint32_t number, RateBasisState& state) {
  Result<const FileView*> opened = files.Rates();
  if (!opened.ok()) return opened.error();
  if (*opened == nullptr) return kErrRtered;
  char key[8];
  std::snprintf(key, sizeof key, "%03u0", static_cast<unsigned>(number % 1000));
  auto compare = [](os::ByteSpan k, os::ByteSpan record) {
    return std::memcmp(k.data(), record.data(), 4);
  };
  os::ByteSpan key_bytes(reinterpret_cast<const std::uint8_t*>(key), 4);
  std::int64_t i = RecordFile_Search(key_bytes, **opened, kAddonRecordLength, compare);
  if (i < 0) return kErrBadcmb;
  std::vector<std::uint8_t> bytes(kAddonRecordLength);
  if (!ReadExact(**opened, i * kAddonRecordLength, bytes)) return kErrRtered;
  state.record = RateRecord(bytes);
  state.record_number = i;
  state.record_length = kAddonRecordLength;
  return kOk;
}

}  // namespace

ErrorNumber RunAddonMethod(MethodContext& ctx) {
  Result<std::int32_t> number =
      LookupPoints(ctx.files, {ctx.terms.tariff.point_file_mode}, ctx.points);
  if (!number.ok()) return number.error();
  ctx.state.rate_basis_number = *number;
  const std::int32_t origin_factor = ctx.points.origin_record.addon_factor;
  const std::int32_t destination_factor = ctx.points.destination_record.addon_factor;
  std::int64_t thousands = 0;
  if (ctx.points.origin_record.index != ctx.points.destination_record.index) {
    Result<std::int32_t> index =
        FetchRateIndex(ctx.files, ctx.terms.tariff, ctx.index_bits, *number);
    if (!index.ok()) return index.error();
    ctx.state.rate_index = *index;
    const std::int32_t base = *index & 1023;
    LogBinaryI16(BinaryLogKind::kRateBasisValue, static_cast<std::int16_t>(base));
    std::int64_t record_number = base + origin_factor % 1000 + destination_factor % 1000;
    LogBinaryI16(BinaryLogKind::kAddOnSum, static_cast<std::int16_t>(record_number));
    LogBinaryText(BinaryLogKind::kRateBasisText,
                  "RR# = Base RR# + org addon fac % 1000 + dest addon fac % 1000");
    thousands = origin_factor / 1000 + destination_factor / 1000 + (*index >> 10);
    TOLV_RETURN_IF_ERROR(ReadRateRecord(ctx.files, ctx.terms.tariff, record_number,
                                        kAddonRecordLength, ctx.points, ctx.request, ctx.state));
  } else {
    std::uint32_t record_number = SamePointRecordNumber(
        static_cast<std::uint32_t>(origin_factor + destination_factor));
    TOLV_RETURN_IF_ERROR(ReadSamePointRecord(ctx.files, record_number, ctx.state));
    thousands = record_number / 1000;
  }
  ctx.state.printed_number = std::to_string(thousands) +
                             CompactRateBasisNumber(ctx.state.record, ctx.terms.tariff.point_type);
  if (ctx.state.printed_number.size() > 11) ctx.state.printed_number.resize(11);
  return ReadMinimumBlock(ctx.files, ctx.state);
}

}  // namespace tolv
