// Applying the hits of a lane to the rate matrix and the minimum-charge brackets. Cell k
// is rate-matrix cell k counted over all rows (class c, break b: c x breaks + b); only the
// rows x breaks cells the classes priced are touched, and amounts of 0 stay 0.
#ifndef TOLV32DLL_LANES_LANE_APPLY_H_
#define TOLV32DLL_LANES_LANE_APPLY_H_

#include <cstdint>

#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/points/file_view.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

// One record value on one amount: a value or an amount of 0 leaves the amount; mode 1:
// (amount x value + 5000) / 10000; any other mode: amount + value. Results stay within
// 0..9999999.
std::int32_t LaneAdj_ApplyValue(std::int32_t amount, std::int32_t value, int mode);

// The terms of the break-range walk.
struct RangeTerms {
  char method_letter = ' ';  // chooses the default break list
  char la_pct = '\0';        // '*', '+', 'H', 'L'; anything else: no combination
  bool one_la = false;       // the minimum-charge value goes to every cell
};

// The default break list when the tariff sets none.
BreakCodeList DefaultBreakList(char method_letter);

// The break-range walk over list A with the 347-byte records (kinds L, A and G). Each hit's
// stored position becomes the position of its record.
void LaneAdj_ApplyRanges(const FileView& adjustments, const BreakCodeList& breaks_list,
                         const RangeTerms& terms, LaneState& state, ChargeResult& result,
                         int rows, int breaks);

// Kind Y: the 32-byte records of list B.
void LaneAdj_ApplyByNumber(const FileView& adjustments, LaneState& state, ChargeResult& result,
                           int rows, int breaks);

// Kind T: the 350-byte records of list B; an 'F' minimum-charge operator sets the response's
// minimum-charge floor.
void LaneAdj_ApplyOperators(const FileView& adjustments, LaneState& state,
                            ChargeResult& result, int rows, int breaks);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_APPLY_H_
