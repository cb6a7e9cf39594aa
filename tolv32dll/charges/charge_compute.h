// The charge step of one shipment: the minimum-charge brackets, the rate matrix priced by
// the cell rule, the tariff's class factors, the tariff and request adjustment factors and,
// with discounts on the rates, the per-break discounts. The lane adjustments and the
// ZIP-keyed tables plug in through ChargeTerms; without them there is no adjustment and
// no ZIP-pair record.
#ifndef TOLV32DLL_CHARGES_CHARGE_COMPUTE_H_
#define TOLV32DLL_CHARGES_CHARGE_COMPUTE_H_

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/charges/e_records.h"
#include "tolv32dll/charges/minimum_charge.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/rates/cell_rule.h"
#include "tolv32dll/sidetables/service_letters.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

// The lane adjustments of a shipment, as the charge step calls them. Load gives 0 or an
// error number (which ends the step); Apply adjusts the rate matrix rows and the brackets;
// ApplySecond is the pass with the second break list, after the class factors.
// BeforeClassFactors, asked after load, is true when the lanes need the pass before the
// class factors (a second break list the lane file brought, or E records). After the load,
// the first hit's code ("001"..., empty without hits) and the E records of kind "G" (the
// kind of global lanes and of a lane-point rate basis that names E records; none for other
// kinds), applied before and after the class factors.
class LaneAdjustments {
 public:
  virtual ~LaneAdjustments() = default;
  virtual ErrorNumber Load() = 0;
  virtual void Apply(ChargeResult& result, int rows, int breaks) = 0;
  virtual void ApplySecond(ChargeResult& result, int rows, int breaks) = 0;
  virtual bool BeforeClassFactors() const = 0;
  virtual std::string_view FirstHitCode() const = 0;
  virtual const std::vector<ERecordBytes>& ERecords() const = 0;
};

struct ChargeTerms {
  CellRuleContext cell;
  MinimumTerms minimum;
  float tariff_factor = 1.0f;   // the tariff's RADJF
  float request_factor = 1.0f;  // the request's adjustment factor
  // Factors of the tariff type (10000 = 1.0): minimum charges, breaks 1-6, breaks 7 on.
  bool type_factors_set = false;
  std::array<std::int32_t, 3> type_factors{10000, 10000, 10000};
  // The discount switch, kind and the effective discount set of the shipment.
  bool discount_on = false;
  char discount_kind = 'C';
  DiscountSet discounts;
  bool second_break_list = false;  // a BRK2 list is loaded
  LaneAdjustments* lanes = nullptr;  // null: no lane adjustments
  char la_pct = '\0';     // the LA_PCT option
  // The class factor (i16 at byte 9) of the shipment's ".C" range, asked for rate records
  // of kind letter "C"; nullopt when no range holds either end.
  std::function<std::optional<std::int32_t>()> class_range_factor;
  // The two amounts (cents) of the rate basis's add-on record of type "C", when it has one.
  std::optional<std::array<std::int32_t, 2>> addon_c_amounts;
};

// Rows of the rate matrix that the classes fill: min(class count, 19).
int PricedClassRows(const ClassRateTables& tables);

// Builds result from scratch. Errors: 202 of the cell rule, 225/226 of the ".M" file, and
// the lane adjustments' load error (returned with the block left unpriced).
ErrorNumber ComputeCharges(ClassRateTables& tables, const RateRecord& record,
                           const ChargeTerms& terms, ChargeResult& result);

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_CHARGE_COMPUTE_H_
