// The point steps of a rate basis: EXP substitution of each end, then the point lookup that
// turns the two ends into one rate basis number.
#ifndef TOLV32DLL_POINTS_POINT_LOOKUP_H_
#define TOLV32DLL_POINTS_POINT_LOOKUP_H_

#include <cstdint>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/points/point_state.h"
#include "tolv32dll/points/rating_files.h"

namespace tolv {

// Which record form the ".E" file holds.
enum class ExpForm { kZip, kPostal };

// Replaces the point's code by its EXP substitute when the file lists it for the point's
// city (or for every city). With several candidate cities and none matching, the request's
// city (or the caller, in list mode 'F') chooses. A missing ".E" file substitutes nothing.
// Errors: those of the city choice (124, 129).
ErrorNumber SubstituteExpPoint(const FileView* exp_file, ExpForm form, ListRequest& request,
                               WorkingPoint& point);

// The point-file arrangement of the tariff (CurrentTariff's point-file mode).
struct PointLookupMode {
  char point_file_mode = ' ';  // 'S' origin x destination matrix, 'Y' 16-byte records, ...
};

// Full point records: finds both ends (216, 217), stores their records in the state and
// returns the rate basis number: destination index + origin index x destination count for
// mode 'S', else the unordered pair index.
Result<std::int32_t> LookupPoints(RatingFiles& files, PointLookupMode mode, PointState& state);

// Compact point records (point types '1' and '3'): the pair index of the two points. Not
// available with mode 'S' (212).
Result<std::int32_t> LookupCompactPoints(RatingFiles& files, PointLookupMode mode,
                                         PointState& state);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_POINT_LOOKUP_H_
