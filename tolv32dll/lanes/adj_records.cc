#include "tolv32dll/lanes/adj_records.h"

#include <algorithm>
#include <cstring>

#include "tolv32dll/lanes/lane_records.h"

namespace tolv {

std::optional<AdjRecord> ScanAdjRecords(const FileView& file, std::size_t length,
                                        std::int64_t start,
                                        const std::function<bool(os::ByteSpan)>& matches) {
  const std::int64_t count = RecordCount(file, length);
  if (start < 0) start = 0;
  std::vector<std::uint8_t> bytes(length);
  for (std::int64_t i = start / static_cast<std::int64_t>(length); i < count; ++i) {
    const std::int64_t at = i * static_cast<std::int64_t>(length);
    if (!ReadExact(file, at, os::MutableByteSpan(bytes.data(), bytes.size()))) return std::nullopt;
    if (matches(os::ByteSpan(bytes.data(), bytes.size()))) return AdjRecord{std::move(bytes), at};
  }
  return std::nullopt;
}

std::optional<AdjRecord> LaneAdj_FindByCode(const FileView& file, std::string_view code,
                                            std::int64_t start) {
  if (code.size() < adj_by_code_record::kCode.width) return std::nullopt;
  return ScanAdjRecords(file, adj_by_code_record::kSize, start, [code](os::ByteSpan r) {
    return std::memcmp(r.data() + adj_by_code_record::kCode.offset, code.data(),
                       adj_by_code_record::kCode.width) == 0;
  });
}

namespace {

std::optional<AdjRecord> FindByNumber(const FileView& file, std::size_t length, std::int16_t number,
                                      std::int64_t start) {
  return ScanAdjRecords(file, length, start,
                        [number](os::ByteSpan r) { return os::LoadI16Le(r.data()) == number; });
}

}  // namespace

std::optional<AdjRecord> LaneAdj_FindByNumber32(const FileView& file, std::int16_t number,
                                                std::int64_t start) {
  return FindByNumber(file, adj_by_number32_record::kSize, number, start);
}

std::optional<AdjRecord> LaneAdj_FindAdjRecord(const FileView& file, std::int16_t number,
                                               std::int64_t start) {
  return FindByNumber(file, adj_record350::kSize, number, start);
}

std::optional<AdjRecord> LaneAdj_FindByPair(const FileView& file, const std::uint8_t* pair,
                                            std::int64_t start, int window) {
  constexpr std::size_t kLength = adj_by_pair_record::kSize;
  auto same = [pair](os::ByteSpan r) {
    return std::memcmp(r.data() + adj_by_pair_record::kPair.offset, pair,
                       adj_by_pair_record::kPair.width) == 0;
  };
  if (start > 0 && window > 0) {
    // A window of records from the previous match: read it as a file of its own.
    const std::int64_t first = start / static_cast<std::int64_t>(kLength);
    std::vector<std::uint8_t> bytes(kLength);
    for (std::int64_t i = first; i < first + window; ++i) {
      const std::int64_t at = i * static_cast<std::int64_t>(kLength);
      if (!ReadExact(file, at, os::MutableByteSpan(bytes.data(), bytes.size()))) break;
      if (same(os::ByteSpan(bytes.data(), bytes.size()))) return AdjRecord{bytes, at};
    }
  }
  return ScanAdjRecords(file, kLength, 0, same);
}

namespace {

// Whether any record of the section `code` holds the ZIP in one of its ranges.
bool SectionHolds(const FileView& file, const char* code, const std::string& zip) {
  namespace P = point_section_record;
  std::string key = zip.substr(0, std::min(zip.size(), P::kZipWidth));
  key.resize(P::kZipWidth, ' ');
  bool holds = false;
  ScanAdjRecords(file, adj_by_code_record::kSize, 0, [&](os::ByteSpan r) {
    if (std::memcmp(r.data(), code, adj_by_code_record::kCode.width) != 0) return false;
    for (std::size_t i = 0; i < P::kRangeCount; ++i) {
      const char* range = reinterpret_cast<const char*>(r.data() + P::kRange.Nth(i).offset);
      const std::string low(range, P::kZipWidth), high(range + P::kZipWidth, P::kZipWidth);
      if (low == "     ") break;
      if (low <= key && key <= high) holds = true;
    }
    return holds;
  });
  return holds;
}

}  // namespace

bool PointSectionsHold(const FileView& file, const std::string& origin_zip,
                       const std::string& destination_zip) {
  return SectionHolds(file, "999", origin_zip) && SectionHolds(file, "***", destination_zip);
}

std::int16_t ValueAt(os::ByteSpan record, std::size_t offset, std::size_t i) {
  const std::size_t at = offset + 2 * i;
  if (at + 2 > record.size()) return 0;
  return os::LoadI16Le(record.data() + at);
}

}  // namespace tolv
