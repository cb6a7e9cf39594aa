// Package rating: a shipment of 1 to 99 packages priced under a package tariff. Each
// package gets a price by its weight and the zone of the two ZIP codes; the shipment may
// also get a hundredweight charge by its total weight, tier and weight break.
//
// The tariff's files: ".T" package rows (the options offered), ".F" service codes and
// tiers (block 1) and the hundredweight breaks of the 'E' (block 2) and 'G' (block 3)
// services, ".P"/".I" the zone of the lane, ".R" the package header, zone and
// hundredweight records, ".D" the destination's service letter.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_RATE_H_
#define TOLV32DLL_PACKAGE_PACKAGE_RATE_H_

#include <cstdint>
#include <span>

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

// Rates the request (a PackageRequest of package_request::kSize bytes; blank service,
// packaging and drop-off codes get their defaults written in, and a valid date is
// rewritten "mm-dd-ccyy") into the response (a PackageResponse; at most 17 + 7 n bytes are
// written). Returns 0 or the error number; on an error only the segment code and the
// status are written, and the number becomes the engine's last error.
ErrorNumber PackageRate(RatingEngine& engine, std::span<std::uint8_t> request,
                        std::span<std::uint8_t> response);

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_RATE_H_
