// The rate basis of a shipment: EXP substitution of both ends, then the method of the
// tariff's point type, then, when the request asks for it, the stepped rate basis.
#ifndef TOLV32DLL_RATEBASIS_DISPATCH_H_
#define TOLV32DLL_RATEBASIS_DISPATCH_H_

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/points/point_state.h"
#include "tolv32dll/points/rating_files.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"

namespace tolv {

// REQUIRES: points holds the request's two ends (PointState::Reset). The state is cleared
// first, so a point type without a method leaves an empty rate record (its rates read 0)
// rather than the last shipment's. Errors: 202 for a point type without a method or kind
// row, the point, index and rate file errors, and those of the city choices.
ErrorNumber FindRateBasis(RatingFiles& files, const RateBasisTerms& terms, PointState& points,
                          ListRequest& request, RateBasisState& state);

}  // namespace tolv

#endif  // TOLV32DLL_RATEBASIS_DISPATCH_H_
