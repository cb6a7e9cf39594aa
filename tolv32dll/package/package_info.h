// The package tariff information call: for a package tariff named in the request and in
// force on its date, the rows of the tariff's ".T" file (bytes 0-3 and 5-34 of each
// 38-byte package record), so that a caller can see which packaging codes, drop-off codes
// and tiers the tariff offers.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_INFO_H_
#define TOLV32DLL_PACKAGE_PACKAGE_INFO_H_

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "tolv32dll/effective/effective_entry.h"
#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/errors/result.h"

namespace tolv {

// Searching from the last entry back, the first whose date is not after the date and
// whose 8-character name equals the name; -1 when none.
int FindPackageEntry(const std::vector<EffectiveEntry>& entries, std::string_view name,
                     const TariffDate& date);

// The entry of a request's name and date text made the current tariff (its tariff files
// closed when it differs from the one whose files are open): the entry's index, or 396
// (no calendar date), 394 (no entry), 370 (packages_only and the entry is not a package
// tariff) or the selection's error.
Result<int> SelectPackageTariff(RatingEngine& engine, std::string_view name,
                                std::string_view date_text, bool packages_only);

// Fills the response (PackageInfoResponse, at most 1062 bytes written) from the request
// (PackageInfoRequest). The segment code is always written, the status always (blanks or
// the error number), the row count on success only; rows read before an error stay.
// Returns 0, 394, 396, 219, 374 or the selection's error.
ErrorNumber PackageInfo(RatingEngine& engine, std::span<const std::uint8_t> request,
                        std::span<std::uint8_t> response);

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_INFO_H_
