#include "testkit/driver/lane_point_files.h"

#include "testkit/points/point_files.h"

namespace testkit {

Bytes LanePointFile(const std::vector<LanePointRow>& rows) {
  Bytes out;
  for (const LanePointRow& row : rows) {
    Bytes r(14, ' ');
    for (std::size_t i = 0; i < 5; ++i) {
      r[2 + i] = static_cast<std::uint8_t>(i < row.high_zip.size() ? row.high_zip[i] : ' ');
      r[8 + i] = static_cast<std::uint8_t>(i < row.low_zip.size() ? row.low_zip[i] : ' ');
    }
    AppendI32(r, row.origin_key);
    AppendI32(r, row.destination_key);
    AppendI32(r, row.origin_lane_adjustment);
    AppendI32(r, row.destination_lane_adjustment);
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

Bytes LaneIndexFile(const std::vector<LaneIndexRow>& rows) {
  Bytes out;
  for (const LaneIndexRow& row : rows) {
    AppendI32(out, row.origin_key);
    AppendI32(out, row.destination_key);
    AppendI32(out, row.rate_basis_number);
  }
  return out;
}

Bytes LaneRateFile(const std::vector<RateRow>& rows, std::size_t record_length,
                   std::int32_t lane_adjustment) {
  Bytes out;
  for (const RateRow& row : rows) {
    Bytes r = RateRecord(row, record_length);
    Bytes number;
    AppendI32(number, lane_adjustment);
    r.insert(r.begin() + 10, number.begin(), number.end());
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

}  // namespace testkit
