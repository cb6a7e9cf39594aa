// The prices of a package shipment once its tariff, zone and options are known: each
// package's price from the zone record, the hundredweight charge from the hundredweight
// record, then the surcharge, residential, delivery-area and on-call amounts by the
// tariff's pricing scheme and version.
//
// Amounts are integers in the tariff's money unit. Everything is computed in 64 bits and
// every entry index is checked against its record, so no tariff value can overflow a sum
// or send a read outside a record; a result that does not fit its 7-character response
// field is refused (145).
#ifndef TOLV32DLL_PACKAGE_PACKAGE_PRICING_H_
#define TOLV32DLL_PACKAGE_PACKAGE_PRICING_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/package/package_rate_record.h"

namespace tolv {

struct PackageTerms {
  std::int64_t scheme = 1;   // header: pricing scheme
  std::int64_t version = 1;  // header: package version
  std::string service_code;  // 3 characters; its first letter is the family 'E' or 'G'
  bool envelope = false;     // packaging "ELT"
  std::string dropoff_code;  // 3 characters
  bool residential = false;
  char destination_letter = ' ';  // the destination's service letter
  bool surcharge_is_amount = false;
  std::int64_t surcharge = 0;               // an amount, or hundredths of a percent
  std::int64_t tier_index = 0;              // tier number - 1
  std::vector<std::int32_t> weight_breaks;  // the family's hundredweight breaks
  std::vector<double> exact_weights;        // pounds, one per package
  std::vector<std::int64_t> whole_weights;  // rounded up
  std::int64_t total_weight = 0;            // the exact sum, rounded up

  char family() const { return service_code.empty() ? ' ' : service_code[0]; }
};

struct PackagePrices {
  std::vector<std::int64_t> packages;
  std::int64_t hundredweight = 0;
  bool hundredweight_record_read = false;
};

// Reads the hundredweight record (the record after the zone record); called only when the
// shipment qualifies for a hundredweight charge.
using HundredweightReader = std::function<Result<PackageRateRecord>()>;

// Errors: 373 (an envelope above the letter limit), 375 (no weight breaks), 214 (an entry
// outside its record), 145 (a result too large for the response), and the reader's own.
Result<PackagePrices> PricePackages(const PackageTerms& terms, const PackageRateRecord& zone,
                                    const HundredweightReader& read_hundredweight);

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_PRICING_H_
