// The rate-basis methods, one per point-type letter of the kind table. Each finds the
// rate basis of the shipment's two points, reads its rate record into the state and sets
// the printed number. Called by the dispatcher only.
#ifndef TOLV32DLL_RATEBASIS_METHODS_H_
#define TOLV32DLL_RATEBASIS_METHODS_H_

#include <cstddef>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/points/point_state.h"
#include "tolv32dll/points/rating_files.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"

namespace tolv {

struct MethodContext {
  RatingFiles& files;
  const RateBasisTerms& terms;
  PointState& points;
  ListRequest& request;
  RateBasisState& state;
  int index_bits = 0;
  std::size_t record_length = 0;
};

// The common skeleton: point lookup (compact records for '1' and '3'), rate index, record
// number = index (+ both add-on factors unless the method reads the index alone), rate
// record, printed number.
ErrorNumber RunCommonSkeleton(MethodContext& ctx, bool compact_points, bool add_factors);

// '0', '3', '4' (and '5', '6', 'A'-'C'), '1' and 'D'.
ErrorNumber RunPlainMethod(MethodContext& ctx, char letter);
// '7': the add-on method.
ErrorNumber RunAddonMethod(MethodContext& ctx);
// 'N': lane-adjusted points with their own point and index records.
ErrorNumber RunLanePointsMethod(MethodContext& ctx);
// The point and index look-up of point type 'N' alone: 0, or 216 / 217 for a point that
// is not in the tariff, 218 for a pair without an index record, a file's own error.
ErrorNumber RateFile_OpenIndexAndPoints(RatingFiles& files, const PointState& points);
// 'E'-'M': the Lite methods; `method` names the method ('E' for letters 'E'-'H'). They run
// the tariff's Lite steps when it has them; otherwise the common skeleton alone, which
// fails with 119 (223 for 'I' and 'K') for a record without a number.
ErrorNumber RunLiteMethod(MethodContext& ctx, char method);
// The first steps of method 'E': the common skeleton, the reload with the record's factor
// set and, under NO_RBN_ADDON with add-on factors, the record at the bare rate index.
ErrorNumber RunLiteMethodStart(MethodContext& ctx);

}  // namespace tolv

#endif  // TOLV32DLL_RATEBASIS_METHODS_H_
