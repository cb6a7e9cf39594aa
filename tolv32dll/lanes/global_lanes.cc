#include "tolv32dll/lanes/global_lanes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <optional>
#include <vector>

#include "platform/os/ascii_text.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/lane_common.h"
#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/lanes/zip_lanes.h"
#include "tolv32dll/tariff/record_search.h"

namespace tolv {
namespace {

namespace H = global_lane_head;
using lane_apply::Padded;
namespace G = global_lane;
namespace P = global_lane_pair;

struct GlobalHead {
  bool by_areas = false;
  bool check = false;
  bool keep_when_missing = false;
  bool sort = false;
  std::int64_t area_table = 0;
  std::int64_t block_length = 0;
  std::int64_t keyed_table = 0;
  std::int64_t keyed_count = 0;
  std::int64_t pair_table = 0;
  std::int64_t pair_count = 0;
  std::int64_t check_position = 0;
  std::size_t check_length = 0;
};

std::optional<GlobalHead> ReadHead(const FileView& lanes) {
  std::vector<std::uint8_t> h(H::kSize);
  if (!ReadExact(lanes, 0, os::MutableByteSpan(h.data(), h.size()))) return std::nullopt;
  GlobalHead head;
  head.by_areas = h[H::kByAreas.offset] == 'B';
  head.check = h[H::kCheck.offset] != 'N';
  head.keep_when_missing = h[H::kInvert.offset] == 'I';
  head.sort = h[H::kSortERecords.offset] == 'Y';
  head.area_table = os::LoadI32Le(h.data() + H::kAreaTable.offset);
  head.block_length = os::LoadI32Le(h.data() + H::kBlockLength.offset);
  head.keyed_table = os::LoadI32Le(h.data() + H::kKeyedTable.offset);
  head.keyed_count = os::LoadI32Le(h.data() + H::kKeyedCount.offset);
  head.pair_table = os::LoadI32Le(h.data() + H::kPairTable.offset);
  head.pair_count = os::LoadI32Le(h.data() + H::kPairCount.offset);
  head.check_position = os::LoadI32Le(h.data() + H::kCheckPosition.offset);
  head.check_length = h[H::kRecordLength.offset];
  // Blocks of whole codes; tables that searches can address record by record. A block
  // is read into memory and the tables are searched, so all of them lie within the file.
  const std::int64_t size = lanes.Size();
  const std::int64_t entry = static_cast<std::int64_t>(G::kBlockKey) + head.block_length;
  if (head.block_length <= 0 || head.block_length > size ||
      head.block_length % static_cast<std::int64_t>(G::kCodeWidth) != 0 || head.area_table < 0 ||
      head.area_table > size || head.keyed_table < 0 || head.keyed_count < 0 ||
      head.pair_table < 0 || head.pair_count < 0 || head.keyed_table % entry != 0 ||
      head.pair_table % static_cast<std::int64_t>(P::kSize) != 0 ||
      head.keyed_table + head.keyed_count * entry > size ||
      head.pair_table + head.pair_count * static_cast<std::int64_t>(P::kSize) > size) {
    return std::nullopt;
  }
  return head;
}

// The area code of a ZIP in a base, or nullopt.
std::optional<std::string> BaseArea(const FileView& base, const std::string& zip) {
  namespace B = lane_base_record;
  const std::string key = Padded(zip, B::kLow.width);
  auto compare = [&key](os::ByteSpan, os::ByteSpan r) {
    if (std::memcmp(key.data(), r.data() + B::kLow.offset, B::kLow.width) < 0) return -1;
    if (std::memcmp(key.data(), r.data() + B::kHigh.offset, B::kLow.width) > 0) return 1;
    return 0;
  };
  const std::int64_t i = RecordFile_Search(os::ByteSpan(), base, B::kSize, compare);
  std::vector<std::uint8_t> r(B::kSize);
  if (i < 0 || !ReadExact(base, i * static_cast<std::int64_t>(B::kSize),
                          os::MutableByteSpan(r.data(), r.size()))) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(r.data() + B::kArea.offset), B::kArea.width);
}

std::vector<std::string> CodesOfBlock(const std::vector<std::uint8_t>& block) {
  std::vector<std::string> codes;
  for (std::size_t at = 0; at + G::kCodeWidth <= block.size(); at += G::kCodeWidth) {
    std::string code(reinterpret_cast<const char*>(block.data() + at), G::kCodeWidth);
    if (code == "     ") break;
    codes.push_back(code);
  }
  return codes;
}

// The codes an area code stands for: a numbered block for a code beginning with a digit,
// a keyed block for one beginning with a letter.
std::vector<std::string> CodesOf(const FileView& lanes, const GlobalHead& head,
                                 const std::string& area) {
  std::vector<std::uint8_t> block(static_cast<std::size_t>(head.block_length));
  const char first = area[0];
  if (os::IsAsciiDigit(first)) {
    std::int64_t index = 0;
    for (char c : area) {
      if (c < '0' || c > '9') break;
      index = index * 10 + (c - '0');
    }
    const std::int64_t at = head.area_table + index * head.block_length;
    if (!ReadExact(lanes, at, os::MutableByteSpan(block.data(), block.size()))) return {};
    return CodesOfBlock(block);
  }
  if (!os::IsAsciiAlpha(first) || head.keyed_count == 0) return {};
  const std::size_t entry = G::kBlockKey + block.size();
  const std::string key = Padded(area, G::kBlockKey);
  auto compare = [](os::ByteSpan k, os::ByteSpan r) {
    return std::memcmp(k.data(), r.data(), G::kBlockKey);
  };
  const std::int64_t low = head.keyed_table / static_cast<std::int64_t>(entry);
  const std::int64_t i =
      FileSearch_Binary(os::ByteSpan(reinterpret_cast<const std::uint8_t*>(key.data()), key.size()),
                        lanes, entry, compare, 'R', low, low + head.keyed_count - 1);
  if (i < 0) return {};
  const std::int64_t at =
      i * static_cast<std::int64_t>(entry) + static_cast<std::int64_t>(G::kBlockKey);
  if (!ReadExact(lanes, at, os::MutableByteSpan(block.data(), block.size()))) return {};
  return CodesOfBlock(block);
}

// The E record numbers of the pair records of one origin and destination code.
std::vector<std::int32_t> PairNumbers(const FileView& lanes, const GlobalHead& head,
                                      const std::string& origin, const std::string& destination) {
  std::vector<std::int32_t> numbers;
  if (head.pair_count == 0) return numbers;
  const std::string key = origin + destination;
  auto compare = [](os::ByteSpan k, os::ByteSpan r) {
    return std::memcmp(k.data(), r.data(), P::kKeyWidth);
  };
  const std::int64_t low = head.pair_table / static_cast<std::int64_t>(P::kSize);
  const std::int64_t high = low + head.pair_count - 1;
  std::int64_t i =
      FileSearch_Binary(os::ByteSpan(reinterpret_cast<const std::uint8_t*>(key.data()), key.size()),
                        lanes, P::kSize, compare, 'R', low, high);
  if (i < 0) return numbers;
  std::vector<std::uint8_t> r(P::kSize);
  for (; i <= high && numbers.size() < G::kMaxERecords; ++i) {
    if (!ReadExact(lanes, i * static_cast<std::int64_t>(P::kSize),
                   os::MutableByteSpan(r.data(), r.size())))
      break;
    if (std::memcmp(r.data(), key.data(), P::kKeyWidth) != 0) break;
    numbers.push_back(os::LoadI32Le(r.data() + P::kNumber.offset));
  }
  return numbers;
}

std::string NumberText(std::int32_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d", number);
  return text;
}

void SortERecords(LaneState& state) {
  std::vector<std::size_t> order(state.e_records.size());
  std::iota(order.begin(), order.end(), 0);
  auto head = [&state](std::size_t i) {
    return std::vector<std::uint8_t>(state.e_records[i].begin(), state.e_records[i].begin() + 8);
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return head(a) < head(b); });
  LaneState sorted;
  for (std::size_t i : order) {
    sorted.e_records.push_back(std::move(state.e_records[i]));
    sorted.e_positions.push_back(state.e_positions[i]);
  }
  state.e_records = std::move(sorted.e_records);
  state.e_positions = std::move(sorted.e_positions);
}

}  // namespace

bool AddERecord(const FileView& adjustments, std::int32_t number, LaneState& state) {
  if (number < 0 || state.e_records.size() >= G::kMaxERecords) return false;
  const std::int64_t at =
      static_cast<std::int64_t>(number) * static_cast<std::int64_t>(G::kERecordSize);
  std::vector<std::uint8_t> record(G::kERecordSize);
  if (!ReadExact(adjustments, at, os::MutableByteSpan(record.data(), record.size()))) return false;
  state.e_records.push_back(std::move(record));
  state.e_positions.push_back(at);
  return true;
}

void LoadLanePointRecords(const FileView& adjustments, const std::array<std::int32_t, 3>& numbers,
                          LaneState& state) {
  for (std::int32_t n : numbers) {
    if (n != -1) AddERecord(adjustments, n, state);
  }
}

ErrorNumber LaneAdj_LoadGlobal(const FileView& lanes, const FileView* base_u,
                               const FileView* base_v, const FileView& adjustments,
                               const GlobalLaneTerms& terms, LaneState& state) {
  const std::optional<GlobalHead> head = ReadHead(lanes);
  if (!head) return kErrBadlal;
  std::string origin = Padded(terms.origin_zip, G::kCodeWidth);
  std::string destination = Padded(terms.destination_zip, G::kCodeWidth);
  if (head->by_areas) {
    if (base_u == nullptr) return kErrGblLaOrgBase;
    std::optional<std::string> o = BaseArea(*base_u, origin);
    std::optional<std::string> d = BaseArea(base_v != nullptr ? *base_v : *base_u, destination);
    if (!o || !d) return kOk;
    origin = *o;
    destination = *d;
  }
  const std::vector<std::string> origin_codes = CodesOf(lanes, *head, origin);
  const std::vector<std::string> destination_codes = CodesOf(lanes, *head, destination);
  for (const std::string& o : origin_codes) {
    for (const std::string& d : destination_codes) {
      for (std::int32_t number : PairNumbers(lanes, *head, o, d)) {
        if (head->check && FindCheckRecord(lanes, head->check_position, head->check_length,
                                           CheckRecordKey(terms.rate_text, NumberText(number))) ==
                               head->keep_when_missing) {
          continue;
        }
        AddERecord(adjustments, number, state);
      }
    }
  }
  if (head->sort) SortERecords(state);
  return kOk;
}

}  // namespace tolv
