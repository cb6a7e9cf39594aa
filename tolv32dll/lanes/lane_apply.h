// Applying the hits of a lane to the rate matrix and the minimum-charge brackets. Cell k
// is rate-matrix cell k counted over all rows (class c, break b: c x breaks + b); only the
// rows x breaks cells the classes priced are touched, and amounts of 0 stay 0.
#ifndef TOLV32DLL_LANES_LANE_APPLY_H_
#define TOLV32DLL_LANES_LANE_APPLY_H_

#include <array>
#include <cstdint>
#include <string>

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
  std::string origin_zip;    // codes beginning with "4" need both in the point sections
  std::string destination_zip;
};

// The default break list when the tariff sets none.
BreakCodeList DefaultBreakList(char method_letter);

// The break-range walk over list A with the 347-byte records (kinds L, A and G). Each hit's
// stored position becomes the position of its record.
void LaneAdj_ApplyRanges(const FileView& adjustments, const BreakCodeList& breaks_list,
                         const RangeTerms& terms, LaneState& state, ChargeResult& result, int rows,
                         int breaks);

// Kind Y: the 32-byte records of list B.
void LaneAdj_ApplyByNumber(const FileView& adjustments, LaneState& state, ChargeResult& result,
                           int rows, int breaks);

// Kind T: the 350-byte records of list B; an 'F' minimum-charge operator makes its value the
// response's minimum charge and leaves the brackets.
void LaneAdj_ApplyOperators(const FileView& adjustments, LaneState& state, ChargeResult& result,
                            int rows, int breaks);

// Kind C: the terms of the pair records.
struct PairTerms {
  int effective_year = 0;  // before 1999 pairs pack as digits, from 1999 as codes
  int date_number = 0;     // century x 10000 + year x 100 + month of the tariff's date
};

// The packed key of a 6-character area pair.
std::array<std::uint8_t, 3> PackAreaPair(const std::string& pair, int effective_year);

// A kind C factor (10000 = 1.0) on an amount, rounded to the cent.
std::int32_t ApplyPairFactor(std::int32_t amount, std::int32_t value, int date_number);

// Kind C: the 33-byte records of the area pairs, in order. Each record is searched within 10
// records of the previous one, or from the start of the file for a pair of "000".
void LaneAdj_ApplyByPair(const FileView& adjustments, const PairTerms& terms,
                         const LaneState& state, ChargeResult& result, int rows, int breaks);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_APPLY_H_
