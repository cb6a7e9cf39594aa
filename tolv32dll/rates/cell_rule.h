// The cell rule: the rate of one class at one weight break, taken from the rate matrix
// when the charge computation has priced the cell, else computed from the rate record by
// the tariff's rate method.
#ifndef TOLV32DLL_RATES_CELL_RULE_H_
#define TOLV32DLL_RATES_CELL_RULE_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/rates/class_rate_tables.h"
#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {

struct CellRuleContext {
  char method_letter = '0';      // PointType, or the alternate letter when it is 'N'
  char point_kind_letter = ' ';  // the point-file mode; 'M' changes method "A"
  int tariff_number = 0;         // the selected tariff's number; 412 orders method "C"
  // Lane-adjustment kind 'G', or a second break list loaded: methods "G" and "I"-"M" take
  // the record's rates without the class factor.
  bool unfactored_lane_rates = false;
};

// Everything the cell rule reads.
struct CellRuleInputs {
  const ClassRateTables& tables;
  const RateMatrix& matrix;
  const RateRecord& record;
  CellRuleContext context;
};

// The rate of class index c at break index b computed from the rate record (never from the
// matrix). 202 for a method letter without a rule.
Result<std::int32_t> ComputeCell(const CellRuleInputs& in, int c, int b,
                                 std::string_view class_text);

// ComputeCell of class index c at breaks 0 to cells.size() - 1, into cells; the first
// cell's error ends the row.
ErrorNumber ComputeClassRow(const CellRuleInputs& in, int c, std::string_view class_text,
                            std::span<std::int32_t> cells);

// The rate of a class at a weight: 0 when the weight has no break or the class is not in the
// list, or when the cell lies beyond the rate matrix; the priced cell when there is one.
Result<std::int32_t> LookupCell(const CellRuleInputs& in, std::int32_t weight,
                                std::string_view class_text);
// The same at break index b (WeightBreakIndex of the weight) for a class whose index c
// (ClassIndex) is already known.
Result<std::int32_t> LookupCellAt(const CellRuleInputs& in, int b, int c,
                                  std::string_view class_text);

}  // namespace tolv

#endif  // TOLV32DLL_RATES_CELL_RULE_H_
