// Loading the hits of a lane from the record form of the lane file keyed by point numbers
// (kind Y).
#ifndef TOLV32DLL_LANES_POINT_LANES_H_
#define TOLV32DLL_LANES_POINT_LANES_H_

#include <cstdint>

#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// From the first record of the origin number on, every record of that origin whose
// destination range holds the destination adds its adjustment number to list B, until the
// origin changes or, after a match, a record no longer holds the destination. At most 15.
void LoadLanesByPoint(const FileView& lanes, std::int16_t origin, std::int16_t destination,
                      LaneState& state);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_POINT_LANES_H_
