// Writers of the point, index and rate files of a lane-point tariff (point type 'N').
//   point file: 30-byte records, high ZIP at 2-6 and low ZIP at 8-12 (5 characters, the
//     other bytes of 0-13 blank), then i32 origin key (14), i32 destination key (18) and
//     the i32 lane-adjustment record numbers of the point as origin (22) and destination
//     (26), -1 for none;
//   index file: 12-byte records of i32 origin key, destination key and rate basis number,
//     sorted by the two keys;
//   rate file: records of the alternate type's length plus 4, the lane-adjustment record
//     number (i32) standing at 10-13 between the record's first 10 bytes and its values.
#ifndef TESTKIT_DRIVER_LANE_POINT_FILES_H_
#define TESTKIT_DRIVER_LANE_POINT_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "testkit/rates/rate_files.h"
#include "testkit/td/td_writers.h"

namespace testkit {

struct LanePointRow {
  std::string low_zip;
  std::string high_zip;
  std::int32_t origin_key = 0;
  std::int32_t destination_key = 0;
  std::int32_t origin_lane_adjustment = -1;
  std::int32_t destination_lane_adjustment = -1;
};
Bytes LanePointFile(const std::vector<LanePointRow>& rows);

struct LaneIndexRow {
  std::int32_t origin_key = 0;
  std::int32_t destination_key = 0;
  std::int32_t rate_basis_number = 0;
};
// Rows are written in the order given (give them sorted).
Bytes LaneIndexFile(const std::vector<LaneIndexRow>& rows);

// record_length is the alternate type's; each record is 4 bytes longer.
Bytes LaneRateFile(const std::vector<RateRow>& rows, std::size_t record_length,
                   std::int32_t lane_adjustment = -1);

}  // namespace testkit

#endif  // TESTKIT_DRIVER_LANE_POINT_FILES_H_
