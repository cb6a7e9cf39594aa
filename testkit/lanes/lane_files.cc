#include "testkit/lanes/lane_files.h"

#include <algorithm>
#include <cstdio>

#include "platform/os/bytes.h"
#include "platform/os/record_layout.h"
#include "testkit/padded_text.h"
#include "tolv32dll/lanes/lane_records.h"

namespace testkit {
namespace {

void PutValues(Bytes& r, std::size_t at, std::size_t limit, const std::vector<std::int16_t>& v) {
  for (std::size_t i = 0; i < v.size() && at + 2 * i + 2 <= limit; ++i) {
    os::StoreI16Le(r.data() + at + 2 * i, v[i]);
  }
}

}  // namespace

std::string TextLaneFile(const TextLaneFileRows& rows) {
  std::string out;
  for (const std::string& line : rows.option_lines) out += line + "\r\n";
  for (const TextLaneAreaRow& a : rows.areas) {
    std::string line = Padded(a.low, 5) + Padded(a.high, 5);
    for (const std::string& code : a.codes) line += Padded(code, 3);
    out += line + "\r\n";
  }
  const std::size_t section = out.size();
  out += "*HITS\r\n";
  for (const TextLaneHitRow& h : rows.hits) {
    out += Padded(h.origin, 3) + Padded(h.destination, 3) + Padded(h.number, 4) + h.kind +
           h.sub_kind + "\r\n";
  }
  char trailer[16];
  std::snprintf(trailer, sizeof trailer, "999%08zu", section);
  out += rows.trailer_position ? std::string(trailer) : std::string("END        ");
  out += "\r\n";
  return out;
}

Bytes LaneByPointFile(const std::vector<LaneByPointRow>& rows) {
  namespace L = tolv::lane_by_point_record;
  Bytes out;
  for (const LaneByPointRow& row : rows) {
    Bytes r(L::kSize, 0);
    os::RecordView(r).SetI16(L::kOrigin, row.origin);
    os::RecordView(r).SetI16(L::kDestinationLow, row.destination_low);
    os::RecordView(r).SetI16(L::kDestinationHigh, row.destination_high);
    os::RecordView(r).SetI16(L::kNumber, row.number);
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

Bytes AdjByCodeRecord(const std::string& code, std::int16_t minimum,
                      const std::vector<std::int16_t>& cells) {
  namespace L = tolv::adj_by_code_record;
  Bytes r(L::kSize, 0);
  const std::string c = Padded(code, L::kCode.width);
  std::copy(c.begin(), c.end(), r.begin() + L::kCode.offset);
  std::vector<std::int16_t> values{minimum};
  values.insert(values.end(), cells.begin(), cells.end());
  PutValues(r, L::kValue.offset, L::kTrailer.offset, values);
  return r;
}

Bytes AdjByNumber32Record(std::int16_t number, char minimum_mode, const std::string& break_modes,
                          std::int16_t minimum, const std::vector<std::int16_t>& break_values) {
  namespace L = tolv::adj_by_number32_record;
  Bytes r(L::kSize, 0);
  const os::RecordView v(r);
  v.SetI16(L::kNumber, number);
  r[L::kMinimumMode.offset] = static_cast<std::uint8_t>(minimum_mode);
  std::string modes = break_modes;
  modes.resize(L::kBreakCount, '0');
  std::copy(modes.begin(), modes.end(), r.begin() + L::kBreakMode.offset);
  v.SetI16(L::kMinimumValue, minimum);
  PutValues(r, L::kBreakValue.offset, L::kSize, break_values);
  return r;
}

Bytes AdjRecord350(std::int16_t number, char minimum_operator, char rate_operator,
                   std::int16_t minimum_other, std::int16_t minimum_ordinary,
                   const std::vector<std::int16_t>& cells) {
  namespace L = tolv::adj_record350;
  Bytes r(L::kSize, 0);
  const os::RecordView v(r);
  v.SetI16(L::kNumber, number);
  r[L::kMinimumOperator.offset] = static_cast<std::uint8_t>(minimum_operator);
  r[L::kRateOperator.offset] = static_cast<std::uint8_t>(rate_operator);
  v.SetI16(L::kMinimumOther, minimum_other);
  v.SetI16(L::kMinimumOrdinary, minimum_ordinary);
  PutValues(r, L::kValue.offset, L::kTrailer.offset, cells);
  return r;
}

Bytes Concat(const std::vector<Bytes>& records) {
  Bytes out;
  for (const Bytes& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

}  // namespace testkit
