// Writers of the record forms of ".L" (kinds C, U and G), the bases of kind G and the
// ".A" records by pair and point section.
#include <algorithm>

#include "platform/os/bytes.h"
#include "platform/os/record_layout.h"
#include "testkit/lanes/lane_files.h"
#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/tariff/codecs.h"

namespace testkit {
namespace {

void PutText(Bytes& r, std::size_t at, std::size_t width, const std::string& text) {
  os::StoreText(r.data() + at, width, text);
}

void PadTo(Bytes& out, std::size_t multiple) {
  while (out.size() % multiple != 0) out.push_back(0);
}

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

}  // namespace

Bytes LaneAreaFile(const std::vector<LaneAreaRow>& areas, const std::vector<LaneRangeRow>& ranges) {
  namespace H = tolv::lane_area_file_head;
  namespace A = tolv::lane_area_record;
  namespace R = tolv::lane_range_record;
  Bytes out(H::kSize, 0);
  os::RecordView(out).SetI16(H::kAreaCount, static_cast<std::int16_t>(areas.size()));
  for (const LaneAreaRow& row : areas) {
    Bytes r(A::kSize, 0);
    const auto zip = tolv::Zip_Pack(row.zip);
    if (zip) std::copy(zip->begin(), zip->end(), r.begin() + A::kZip.offset);
    r[A::kAreaIndex.offset] = row.area_index;
    os::RecordView(r).SetText(A::kArea, row.area);
    Append(out, r);
  }
  if (ranges.empty()) return out;
  PadTo(out, R::kSize);
  os::RecordView(out).SetI32(H::kRangePosition, static_cast<std::int32_t>(out.size()));
  for (const LaneRangeRow& row : ranges) {
    Bytes r(R::kSize, 0);
    os::RecordView(r).SetText(R::kLow, row.low);
    os::RecordView(r).SetText(R::kHigh, row.high);
    if (!row.code.empty()) os::RecordView(r).SetText(R::kCode, row.code);
    Append(out, r);
  }
  return out;
}

Bytes AdjByPairRecord(const std::array<std::uint8_t, 3>& pair, char minimum_mode,
                      const std::string& break_modes, std::int16_t minimum,
                      const std::vector<std::int16_t>& break_values) {
  namespace L = tolv::adj_by_pair_record;
  Bytes r(L::kSize, 0);
  const os::RecordView v(r);
  std::copy(pair.begin(), pair.end(), r.begin() + L::kPair.offset);
  r[L::kMinimumMode.offset] = static_cast<std::uint8_t>(minimum_mode);
  std::string modes = break_modes;
  modes.resize(L::kBreakCount, '0');
  std::copy(modes.begin(), modes.end(), r.begin() + L::kBreakMode.offset);
  v.SetI16(L::kMinimumValue, minimum);
  for (std::size_t j = 0; j < break_values.size() && j < L::kBreakCount; ++j) {
    v.SetI16(L::kBreakValue.Nth(j), break_values[j]);
  }
  return r;
}

Bytes PointSectionRecord(const std::string& code, const std::vector<std::string>& ranges) {
  namespace P = tolv::point_section_record;
  Bytes r(tolv::adj_by_code_record::kSize, 0);
  const os::RecordView v(r);
  v.SetText(P::kCode, code);
  v.Fill(P::kRange, ' ');
  for (std::size_t i = 0; i < ranges.size() && i < P::kRangeCount; ++i) {
    v.SetText(P::kRange.Nth(i), ranges[i]);
  }
  return r;
}

std::int32_t ZipLanePosition(const ZipLaneFileRows& rows, std::size_t i) {
  namespace H = tolv::zip_lane_head;
  return static_cast<std::int32_t>(H::kSize + H::kOptionRecordSize * rows.option_lines.size() +
                                   rows.record_length * i);
}

Bytes ZipLaneFile(const ZipLaneFileRows& rows) {
  namespace H = tolv::zip_lane_head;
  namespace Z = tolv::zip_lane_record;
  Bytes out(H::kSize, ' ');
  out[H::kOptionCount.offset] = static_cast<std::uint8_t>(rows.option_lines.size());
  out[H::kUsePostalCodes.offset] = rows.postal_codes ? 'B' : 'P';
  out[H::kCheckOn.offset] = static_cast<std::uint8_t>(rows.check);
  out[H::kCheckChar.offset] = static_cast<std::uint8_t>(rows.check_char);
  out[H::kSubKind.offset] = rows.sub_kind;
  out[H::kSortHits.offset] = rows.sort ? 'Y' : 'N';
  out[H::kRecordLength.offset] = rows.record_length;
  os::RecordView(out).SetI32(H::kLanePosition, ZipLanePosition(rows, 0));
  for (const std::string& line : rows.option_lines) {
    Bytes r(H::kOptionRecordSize, ' ');
    PutText(r, 0, r.size(), line);
    Append(out, r);
  }
  for (const ZipLaneRow& row : rows.lanes) {
    Bytes r(rows.record_length, ' ');
    if (row.next > 0) {
      r[Z::kKind.offset] = '2';
      os::RecordView(r).SetI32(Z::kNextPosition, row.next);
    } else if (row.end) {
      r[Z::kKind.offset] = '9';
    } else {
      r[Z::kKind.offset] = '4';
      r[Z::kBothWays.offset] = row.both_ways ? 'B' : 'O';
      os::RecordView(r).SetText(Z::kOriginLow, row.origin_low);
      os::RecordView(r).SetText(Z::kOriginHigh, row.origin_high);
      os::RecordView(r).SetText(Z::kDestinationLow, row.destination_low);
      os::RecordView(r).SetText(Z::kDestinationHigh, row.destination_high);
      r[Z::kSlot.offset] = row.slot;
      const std::size_t n = std::min(row.data.size(), r.size() - std::min(r.size(), Z::kHits));
      std::copy_n(row.data.begin(), n, r.begin() + static_cast<std::ptrdiff_t>(Z::kHits));
    }
    Append(out, r);
  }
  for (const std::string& key : rows.check_keys) {
    Bytes r(rows.record_length, ' ');
    PutText(r, 0, r.size(), key);
    Append(out, r);
  }
  return out;
}

Bytes LaneBaseFile(const std::vector<LaneBaseRow>& rows) {
  namespace B = tolv::lane_base_record;
  Bytes out;
  for (const LaneBaseRow& row : rows) {
    Bytes r(B::kSize, ' ');
    os::RecordView(r).SetText(B::kLow, row.low);
    os::RecordView(r).SetText(B::kHigh, row.high);
    os::RecordView(r).SetText(B::kArea, row.area);
    Append(out, r);
  }
  return out;
}

Bytes GlobalLaneFile(const GlobalLaneFileRows& rows) {
  namespace H = tolv::global_lane_head;
  namespace G = tolv::global_lane;
  namespace P = tolv::global_lane_pair;
  const std::size_t block = rows.block_codes * G::kCodeWidth;
  auto block_bytes = [block](const std::vector<std::string>& codes) {
    Bytes b(block, ' ');
    for (std::size_t i = 0; i < codes.size() && (i + 1) * G::kCodeWidth <= block; ++i) {
      os::StoreText(b.data() + i * G::kCodeWidth, G::kCodeWidth, codes[i]);
    }
    return b;
  };
  Bytes out(H::kSize, ' ');
  out[H::kByAreas.offset] = rows.by_areas ? 'B' : 'Z';
  out[H::kCheck.offset] = static_cast<std::uint8_t>(rows.check);
  out[H::kInvert.offset] = static_cast<std::uint8_t>(rows.invert);
  out[H::kSubKind.offset] = 0;
  out[H::kSortERecords.offset] = rows.sort ? 'Y' : 'N';
  out[H::kRecordLength.offset] = rows.check_length;
  os::RecordView(out).SetI32(H::kBlockLength, static_cast<std::int32_t>(block));
  os::RecordView(out).SetI32(H::kAreaTable, static_cast<std::int32_t>(out.size()));
  for (const auto& codes : rows.numbered_blocks) Append(out, block_bytes(codes));
  PadTo(out, G::kBlockKey + block);
  os::RecordView(out).SetI32(H::kKeyedTable, static_cast<std::int32_t>(out.size()));
  os::RecordView(out).SetI32(H::kKeyedCount, static_cast<std::int32_t>(rows.keyed_blocks.size()));
  for (const auto& keyed : rows.keyed_blocks) {
    Bytes k(G::kBlockKey, ' ');
    PutText(k, 0, G::kBlockKey, keyed.key);
    Append(out, k);
    Append(out, block_bytes(keyed.codes));
  }
  PadTo(out, P::kSize);
  os::RecordView(out).SetI32(H::kPairTable, static_cast<std::int32_t>(out.size()));
  os::RecordView(out).SetI32(H::kPairCount, static_cast<std::int32_t>(rows.pairs.size()));
  for (const auto& pair : rows.pairs) {
    Bytes r(P::kSize, 0);
    os::RecordView(r).SetText(P::kOrigin, pair.origin);
    os::RecordView(r).SetText(P::kDestination, pair.destination);
    os::RecordView(r).SetI32(P::kNumber, pair.number);
    Append(out, r);
  }
  os::RecordView(out).SetI32(H::kCheckPosition,
                             rows.check_keys.empty() ? 0 : static_cast<std::int32_t>(out.size()));
  for (const std::string& key : rows.check_keys) {
    Bytes r(rows.check_length, ' ');
    PutText(r, 0, r.size(), key);
    Append(out, r);
  }
  return out;
}

}  // namespace testkit
