// The lanes of kind C: the area codes of both ends from the area records of the record-form
// lane file, and the area pairs the pair applier walks.
#ifndef TOLV32DLL_LANES_AREA_LANES_H_
#define TOLV32DLL_LANES_AREA_LANES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// The lane key of the range records: the two 5-character ZIPs (8 characters, then 2).
std::string LaneRangeKey(const std::string& origin_zip, const std::string& destination_zip);

// Takes n codes in turn from the origin list (i even) and the destination list (i odd),
// code i / 2 of each; codes that are 3 blanks or begin with a byte of 0 or above 127 are
// skipped. Each code gives the pair code + "000" and, when a range record from byte start
// on holds the lane key and carries a range code, code + range code.
std::vector<std::string> LaneAdj_FindRangeCodes(const FileView& lanes, std::int64_t start,
                                                const std::string& lane_key,
                                                const std::vector<std::string>& origin_areas,
                                                const std::vector<std::string>& destination_areas,
                                                int n);

// Fills the area lists (at most 14 a side, area indexes 1-10) and the area pairs of the
// lane. 232 when the head or the area records do not fit the file.
ErrorNumber LoadLanesByArea(const FileView& lanes, const std::string& origin_zip,
                            const std::string& destination_zip, LaneState& state);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_AREA_LANES_H_
