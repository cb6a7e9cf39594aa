#include "tolv32dll/lanes/zip_lanes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <vector>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/lane_common.h"
#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/lanes/text_lanes.h"
#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

namespace H = zip_lane_head;
using lane_apply::Padded;
namespace Z = zip_lane_record;

constexpr std::size_t kMaxZipLaneHits = 14;
constexpr int kMaxSlot = 10;

std::string Text(const std::vector<std::uint8_t>& r, std::size_t at, std::size_t width) {
  return std::string(reinterpret_cast<const char*>(r.data() + at), width);
}

bool Holds(const std::vector<std::uint8_t>& r, std::size_t low, std::size_t high,
           const std::string& key) {
  return Text(r, low, Z::kZipWidth) <= key && key <= Text(r, high, Z::kZipWidth);
}

bool LaneMatches(const std::vector<std::uint8_t>& r, const std::string& origin,
                 const std::string& destination) {
  if (Holds(r, Z::kOriginLow.offset, Z::kOriginHigh.offset, origin) &&
      Holds(r, Z::kDestinationLow.offset, Z::kDestinationHigh.offset, destination)) {
    return true;
  }
  return r[Z::kBothWays.offset] == 'B' &&
         Holds(r, Z::kOriginLow.offset, Z::kOriginHigh.offset, destination) &&
         Holds(r, Z::kDestinationLow.offset, Z::kDestinationHigh.offset, origin);
}

std::string PointText(std::int16_t point) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d", point);
  return text;
}

// The option records as option lines, trailing blanks and NULs cut.
ErrorNumber ApplyOptionRecords(const FileView& lanes, int count, FactorOptions& options) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    std::vector<std::uint8_t> r(H::kOptionRecordSize);
    const std::int64_t at =
        static_cast<std::int64_t>(H::kSize + H::kOptionRecordSize * static_cast<std::size_t>(i));
    if (!ReadExact(lanes, at, os::MutableByteSpan(r.data(), r.size()))) return kErrBadlal;
    std::string line = Text(r, 0, r.size());
    while (!line.empty() && (line.back() == ' ' || line.back() == '\0')) line.pop_back();
    lines.push_back(line);
  }
  return ApplyLaneOptionLines(lines, options);
}

void AddHits(const std::vector<std::string>& slots, int sub_kind, int effective_year,
             LaneState& state) {
  for (const std::string& data : slots) {
    if (data.empty()) continue;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    switch (sub_kind) {
      case 1:
      case 3:
        state.number_hits.push_back({sub_kind == 1 ? 'Y' : 'T', os::LoadI16Le(bytes), 0});
        break;
      case 2:
        state.area_pairs.push_back(effective_year < 1999 ? Bcd_Unpack(bytes, 6)
                                                         : Code6_Unpack(bytes));
        break;
      case 0:
        state.code_hits.push_back({data.substr(0, 3), 'U', 0});
        break;
      default:
        state.code_hits.push_back({data.substr(0, 3), data[3], 0});
        break;
    }
  }
}

}  // namespace

std::string CheckRecordKey(const std::string& rate_text, const std::string& data) {
  namespace C = check_record_key;
  return "6" + Padded(rate_text, C::kRateText.width) + std::string(C::kBlanks.width, ' ') +
         std::string(C::kDots.width, '.') + data;
}

bool FindCheckRecord(const FileView& lanes, std::int64_t start, std::size_t length,
                     const std::string& key) {
  if (start <= 0 || length < key.size()) return false;
  std::vector<std::uint8_t> r(length);
  for (std::int64_t at = start; ReadExact(lanes, at, os::MutableByteSpan(r.data(), r.size()));
       at += static_cast<std::int64_t>(length)) {
    if (std::equal(key.begin(), key.end(), r.begin(),
                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
      return true;
    }
  }
  return false;
}

std::size_t ZipLaneHitWidth(int sub_kind) {
  if (sub_kind == 0 || sub_kind == 2) return 3;
  if (sub_kind == 1 || sub_kind == 3) return 2;
  return 4;
}

ErrorNumber LoadZipLanes(const FileView& lanes, const ZipLaneTerms& terms, FactorOptions& options,
                         LaneState& state) {
  state.code_hits.clear();
  state.number_hits.clear();
  state.area_pairs.clear();
  std::vector<std::uint8_t> head(H::kSize);
  if (!ReadExact(lanes, 0, os::MutableByteSpan(head.data(), head.size()))) return kErrBadlal;
  const int option_count = head[H::kOptionCount.offset];
  const int sub_kind = head[H::kSubKind.offset];
  const std::size_t width = ZipLaneHitWidth(sub_kind);
  const std::size_t length = head[H::kRecordLength.offset];
  const std::int64_t first = os::LoadI32Le(head.data() + H::kLanePosition.offset);
  if (option_count > 2 || length < Z::kHits + width || first <= 0) return kErrBadlal;
  TOLV_RETURN_IF_ERROR(ApplyOptionRecords(lanes, option_count, options));
  state.sub_kind = sub_kind;

  const bool by_postal_codes = head[H::kUsePostalCodes.offset] == 'B';
  const std::string origin =
      by_postal_codes ? Padded(terms.origin_zip, 5) : PointText(terms.origin_point);
  const std::string destination =
      by_postal_codes ? Padded(terms.destination_zip, 5) : PointText(terms.destination_point);
  const bool check = head[H::kCheckOn.offset] == 'Y';
  const bool keep_when_missing = head[H::kCheckChar.offset] == 'I';

  std::vector<std::string> slots;
  std::size_t found = 0;
  std::set<std::int64_t> visited;  // a section that leads back to itself is read once
  std::vector<std::uint8_t> r(length);
  for (std::int64_t section = first; section > 0 && visited.insert(section).second;) {
    std::int64_t next = 0;
    for (std::int64_t at = section;
         found < kMaxZipLaneHits && ReadExact(lanes, at, os::MutableByteSpan(r.data(), r.size()));
         at += static_cast<std::int64_t>(length)) {
      if (r[Z::kKind.offset] == '2') {
        next = os::LoadI32Le(r.data() + Z::kNextPosition.offset);
        break;
      }
      if (r[Z::kKind.offset] != '4') break;
      if (!LaneMatches(r, origin, destination)) continue;
      const std::string data = Text(r, Z::kHits, width);
      if (check && FindCheckRecord(lanes, first, length, CheckRecordKey(terms.rate_text, data)) ==
                       keep_when_missing) {
        continue;
      }
      const int slot = r[Z::kSlot.offset];
      if (slot > kMaxSlot) continue;
      const std::size_t index = slot == 0 ? slots.size() : static_cast<std::size_t>(slot - 1);
      if (index >= kMaxZipLaneHits) continue;
      if (slots.size() <= index) slots.resize(index + 1);
      slots[index] = data;
      ++found;
    }
    if (found >= kMaxZipLaneHits) break;
    section = next;
  }
  if (head[H::kSortHits.offset] == 'Y') {
    std::stable_sort(slots.begin(), slots.end(), [](const std::string& a, const std::string& b) {
      if (a.empty() != b.empty()) return b.empty();
      return a < b;
    });
  }
  AddHits(slots, sub_kind, terms.effective_year, state);
  return kOk;
}

}  // namespace tolv
