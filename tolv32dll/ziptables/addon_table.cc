// Reading the rate record of a Lite record from its segment of the rate file.
#include <cstring>

#include "tolv32dll/ratebasis/rate_file.h"
#include "tolv32dll/tariff/record_search.h"
#include "tolv32dll/ziptables/addon_steps.h"

namespace tolv {
namespace {

enum class Reader { kLowerBound, kExact };

// The byte range of the Lite record's factor set: from the row before the first row whose
// code is "***" or above the set's code, to that row's offset.
std::pair<std::int64_t, std::int64_t> SegmentOf(const std::vector<RateSegment>& rows,
                                                const char* code, std::int64_t file_size) {
  std::int64_t start = 0;
  for (const RateSegment& row : rows) {
    if (std::memcmp(row.code.data(), "***", 3) == 0 || std::memcmp(row.code.data(), code, 3) > 0) {
      return {start, row.offset};
    }
    start = row.offset;
  }
  return {start, file_size};
}

Result<std::size_t> SwitchToCompanion(LiteContext& ctx, std::size_t length) {
  if (!ctx.switch_to_companion) return length;
  return ctx.switch_to_companion();
}

}  // namespace

ErrorNumber ReadAddonTable(LiteContext& ctx, AddonReaders readers, bool* read) {
  if (read != nullptr) *read = false;
  MethodContext& m = ctx.method;
  LiteWork& work = ctx.work;
  std::size_t length = m.record_length;
  auto switch_first = [&]() -> ErrorNumber {
    Result<std::size_t> switched = SwitchToCompanion(ctx, length);
    if (!switched.ok()) return switched.error();
    length = *switched;
    return kOk;
  };
  if (work.addon_flag == 1) TOLV_RETURN_IF_ERROR(switch_first());

  // The exact reader differs from the lower-bound one for point type 'J' only, which
  // reaches this step by letter alone.
  const char letter = work.lite_record[9];
  Reader reader = Reader::kLowerBound;
  bool zero_first_digit = false;
  if (readers == AddonReaders::kRbno) {
    if (letter == 'B' && work.addon_flag == -1) TOLV_RETURN_IF_ERROR(switch_first());
  } else if (readers == AddonReaders::kByLetter) {
    switch (letter) {
      case 'A':
        if (work.addon_flag == -1 && work.lite_record[5] >= '1')
          TOLV_RETURN_IF_ERROR(switch_first());
        break;
      case 'B':
      case 'D':
      case 'E':
      case 'K':
        break;
      case 'F':
        if (work.addon_flag == -1) TOLV_RETURN_IF_ERROR(switch_first());
        break;
      default:
        reader = ctx.point_type() == 'J' ? Reader::kExact : Reader::kLowerBound;
        // 'H' records are filed under a first digit of '0'.
        zero_first_digit = letter == 'H';
    }
  }
  const char kept = work.lite_record[4];
  if (zero_first_digit) work.lite_record[4] = '0';

  Result<const FileView*> opened = m.files.Rates();
  if (!opened.ok()) return opened.error();
  if (*opened == nullptr || length == 0) return kErrRtered;
  const FileView& rates = **opened;
  const std::pair<std::int64_t, std::int64_t> segment =
      SegmentOf(ctx.tables.RateSegments(), work.lite_record.data(), rates.Size());
  const os::ByteSpan key(reinterpret_cast<const std::uint8_t*>(work.lite_record.data()), 10);
  std::int64_t found = -1;
  if (reader == Reader::kExact) {
    auto exact = [](os::ByteSpan k, os::ByteSpan r) {
      const int c = std::memcmp(k.data(), r.data(), std::min<std::size_t>(10, r.size()));
      return c < 0 ? -1 : (c > 0 ? 1 : 0);
    };
    found = FileSearch_Binary(key, rates, length, exact, 'B', segment.first, segment.second);
  } else {
    // True (1) while the Lite record is above the record: the search settles on the first
    // record at or above it.
    auto above = [](os::ByteSpan k, os::ByteSpan r) {
      return std::memcmp(k.data(), r.data(), std::min<std::size_t>(10, r.size())) > 0 ? 1 : 0;
    };
    found = FileSearch_BinaryFirst(key, rates, length, above, 'B', segment.first, segment.second);
  }
  if (zero_first_digit) work.lite_record[4] = kept;
  if (found < 0) return kOk;

  std::vector<std::uint8_t> bytes(length);
  if (!ReadExact(rates, found * static_cast<std::int64_t>(length), bytes)) return kErrRtered;
  m.state.record = RateRecord(std::move(bytes));
  m.state.record_number = found;
  m.state.record_length = length;
  if (read != nullptr) *read = true;
  if (zero_first_digit && length > 4) {
    m.state.record.mutable_bytes()[4] = static_cast<std::uint8_t>(kept);
  }
  ctx.Log(5, m.state.record.bytes());
  // A record still without its number has no rate-basis area to look for.
  if (m.state.record.Text(3, 6) == " 00000") return kOk;
  return PositionOnRateBasisArea(m.files, m.terms.tariff, m.points, m.request, m.state);
}

}  // namespace tolv
