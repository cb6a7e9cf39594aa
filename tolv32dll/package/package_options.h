// The check of a package request's options against the rows of its tariff's ".T" file:
// the packaging code must be offered by a row of type '1', the drop-off code by a row of
// type '2' and the tier by a row of type '3' (whose tier list holds the request's tier
// character; the default tier 'N' passes any such row).
#ifndef TOLV32DLL_PACKAGE_PACKAGE_OPTIONS_H_
#define TOLV32DLL_PACKAGE_PACKAGE_OPTIONS_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

struct PackageOptions {
  std::string_view packaging_code;  // 3 characters
  std::string_view dropoff_code;    // 3 characters
  char tier = ' ';
};

// Checks the options against the info rows (response bytes as the info call writes them):
// 0, 142 (no rows, or no packaging row), 143 (no drop-off row) or 141 (no tier row).
ErrorNumber CheckOptionRows(std::span<const std::uint8_t> info_response,
                            const PackageOptions& options);

// Asks the info call for the rows of the tariff (at most 30 + 1; the call's own status is
// not looked at: a failure leaves no row count, which fails the check) and checks them.
// tariff_name and date are the request's 8 and 10 characters.
ErrorNumber CheckPackageOptions(RatingEngine& engine, std::string_view tariff_name,
                                std::string_view date, const PackageOptions& options);

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_OPTIONS_H_
