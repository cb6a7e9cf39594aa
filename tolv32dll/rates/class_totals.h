// The class-rate totals of a shipment: each line's rate and charge, the deficit-weight
// search over the heavier weight breaks, the discount of a total at a break, the billed
// weight and the line-charge sums. Also the per-line checks of weight and class.
#ifndef TOLV32DLL_RATES_CLASS_TOTALS_H_
#define TOLV32DLL_RATES_CLASS_TOTALS_H_

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/rates/cell_rule.h"

namespace tolv {

// One detail line of the shipment: class and weight in, rate and charge out.
struct DetailLine {
  std::string class_text;  // up to 3 characters, no blanks
  std::int32_t weight = 0;
  std::int32_t rate = 0;
  std::int64_t charge = 0;
};

// The shipment's terms that decide the totals.
struct TotalsTerms {
  CellRuleContext cell;
  // Breaks at or beyond this count are never chosen (100 = unbounded); below 1 counts as 1.
  int usable_breaks = 100;
  bool discount_on = false;
  char discount_kind = 'C';          // 'R': the rates were discounted in the matrix
  std::string discount_marker;       // of the effective discount set; "D%" applies it
  std::array<float, 10> discount_values{};  // percent; value 1 is the minimum charge's
  std::string tariff_name;  // a name beginning "QZF" looks one break ahead only
  char point_type = ' ';    // the tariff's own point type: '4' ends the search at a dearer break
  // The minimum charge of a total weight (the bracket rule of the charge computation).
  std::function<std::int32_t(std::int32_t total_weight)> minimum_charge;
};

// The shipment totals the response is formatted from. Reset for every shipment.
struct ShipmentTotals {
  std::int32_t total_weight = 0;
  std::int32_t billed_weight = 0;
  std::string deficit_class;
  std::int32_t deficit_weight = 0;
  std::int32_t deficit_rate = 0;
  std::int64_t deficit_charge = 0;
  char deficit_flag = 'N';
  std::int32_t deficit_excess = 0;
  std::int64_t line_charge_sum = 0;
  std::int64_t sum_with_deficit = 0;
  std::int32_t minimum_charge = 0;
  float discount_percent = 0;
  std::int64_t discount_amount = 0;  // cents
  int chosen_break = 0;
};

// 501 + line (0-based) when the line's weight is 0.
ErrorNumber CheckDetailWeight(const std::vector<DetailLine>& lines, std::size_t line);

// Every line must price to a rate above 0 and below 9999999 under some tariff class at the
// first positive weight break; else 401 + line (0-based).
ErrorNumber ValidateClasses(const CellRuleInputs& in, const std::vector<DetailLine>& lines);

// The discount percent of break b (element b + 2 of the effective set; 0 beyond it) and,
// unless the rates were discounted, the discount amount taken off the total.
int DiscountTotal(const TotalsTerms& terms, int b, std::int64_t& total, ShipmentTotals& totals);

// The totals in order: lowest class breaks, line charges, deficit search, final totals and
// the minimum charge. Errors: 202 from the cell rule, 241 for a billed weight above 999999.
ErrorNumber SumLines(ClassRateTables& tables, const RateMatrix& matrix, const RateRecord& record,
                     const TotalsTerms& terms, std::vector<DetailLine>& lines,
                     ShipmentTotals& totals);

// SumLines when the rate-method letter has a kind-table row; 202 (returned, nothing
// computed) when it has none.
ErrorNumber RunClassTotals(ClassRateTables& tables, const RateMatrix& matrix,
                           const RateRecord& record, const TotalsTerms& terms,
                           std::vector<DetailLine>& lines, ShipmentTotals& totals);

}  // namespace tolv

#endif  // TOLV32DLL_RATES_CLASS_TOTALS_H_
