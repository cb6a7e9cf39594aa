// The points of the shipment in hand: the working copy of each end (possibly replaced by
// an EXP substitute) and the point records the lookup found for them. Part of the
// shipment work area; rewritten for every shipment.
#ifndef TOLV32DLL_POINTS_POINT_STATE_H_
#define TOLV32DLL_POINTS_POINT_STATE_H_

#include <cstdint>
#include <string>

#include "tolv32dll/points/point_record.h"

namespace tolv {

struct WorkingPoint {
  std::string code;  // 6 characters: the request's ZIP field, or its EXP substitute
  std::string city;  // 19 characters: the request's city, or the chosen candidate's
  bool exp_found = false;  // the EXP file supplied the code
};

struct PointState {
  WorkingPoint origin;
  WorkingPoint destination;
  PointRecord origin_record;
  PointRecord destination_record;
  // The destination file's trailing count (row length of the 'S' matrix).
  std::int32_t destination_point_count = 0;

  // Sets both ends from the request fields and clears the rest.
  void Reset(const std::string& origin_zip, const std::string& origin_city,
             const std::string& destination_zip, const std::string& destination_city);
};

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_POINT_STATE_H_
