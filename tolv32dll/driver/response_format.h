// The response of a rated shipment written into its ShipmentRecord, and the record of a
// failed one.
#ifndef TOLV32DLL_DRIVER_RESPONSE_FORMAT_H_
#define TOLV32DLL_DRIVER_RESPONSE_FORMAT_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/rates/class_totals.h"
#include "tolv32dll/records/shipment_record.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/factor_file.h"

namespace tolv {

struct ResponseTerms {
  std::string_view tariff_used;      // 8 characters
  std::string_view rate_basis_text;  // at most 11 characters, right-aligned
  const CurrentTariff* tariff = nullptr;
  char origin_service = ' ';
  char destination_service = ' ';
  bool discount_on = false;
  char discount_kind = 'C';
  std::string_view discount_marker;
  std::array<float, 10> discount_values{};
  bool charges_computed = false;  // false: ProcessMode "0", weights and money print as 0
  // The weight breaks the rating used, class-specific breaks in place; none: the tariff's.
  std::optional<std::span<const std::int32_t>> rated_breaks;
};

// The amounts the response carries after the discounts, in cents.
struct ResponseAmounts {
  std::int64_t charges = 0;
  std::int64_t discount_amount = 0;
  std::int64_t minimum_charge = 0;
  std::int64_t minimum_discount = 0;
  float discount_percent = 0;
};

// The charge and minimum-charge discounts of the totals: the charge discount at the chosen
// break and the minimum-charge discount (value 1) only with the switch on and discounts on
// the charges (rate discounts are already in the matrix and brackets).
ResponseAmounts DiscountAmounts(const ResponseTerms& terms, const ShipmentTotals& totals,
                                std::int32_t minimum_floor);

// Writes header, details and result areas. 145 when an amount does not fit its field: a
// header amount leaves the header as sent; a line's amount comes to light after the header
// is rewritten, which it then stays, the lines as sent.
ErrorNumber WriteResponse(const ResponseTerms& terms, const ShipmentTotals& totals,
                          const std::vector<DetailLine>& lines, const FactorTables& tables,
                          const ChargeResult& charges, ShipmentRecord& record);

// The record of a failed rating: Status "%04d", ServiceGuideResult blanks, the tariff
// tables cleared; the charge block as it stood.
void WriteError(ErrorNumber error, const ChargeResult* charges, ShipmentRecord& record);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_RESPONSE_FORMAT_H_
