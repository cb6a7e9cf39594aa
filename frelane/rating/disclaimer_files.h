// The rating screen's disclaimer files: the three texts it shows (ServiceDisclaimer.dat,
// ChargeDisclaimer.dat, ZipDisclaimer.dat), stored with every character code 65 above the
// character shown, and ZipDisclaimerZips.dat, the postal-code ranges whose lanes show the
// postal-code disclaimer.
#ifndef FRELANE_RATING_DISCLAIMER_FILES_H_
#define FRELANE_RATING_DISCLAIMER_FILES_H_

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/record_layout.h"

namespace frelane {

inline constexpr char kServiceDisclaimerFileName[] = "ServiceDisclaimer.Dat";
inline constexpr char kChargeDisclaimerFileName[] = "ChargeDisclaimer.Dat";
inline constexpr char kZipDisclaimerFileName[] = "ZipDisclaimer.Dat";
inline constexpr char kZipDisclaimerZipsFileName[] = "ZipDisclaimerZips.dat";

// One record of ZipDisclaimerZips.dat: a range of postal codes, sorted ascending, ranges
// not overlapping.
namespace zip_disclaimer_record {
inline constexpr os::Field kLowCode = os::TextField(0, 5);
inline constexpr os::Field kHighCode = os::TextField(5, 5);
inline constexpr os::Field kLineEnd = os::TextField(10, 2);  // CR LF
inline constexpr std::size_t kSize = 5 + 5 + 2;
static_assert(os::FieldsTile(std::array{kLowCode, kHighCode, kLineEnd}, kSize));
}  // namespace zip_disclaimer_record

// The text a disclaimer file shows, lines joined by CR LF, as UTF-8. Leading blank lines are
// dropped. A stored character below code 65 has no shown form and is kept as stored.
std::string DecodeDisclaimerText(std::string_view stored);

// The text of a disclaimer file; nullopt when the file cannot be read.
std::optional<std::string> ReadDisclaimerFile(const std::string& path);

// True when the first five characters of the origin or of the destination code lie in a
// range of the file at `path` (compared by character code). The destination is searched
// only when its five characters differ from the origin's. False for a missing or empty file.
bool IsZipInDisclaimerRanges(const std::string& path, std::string_view origin_zip,
                             std::string_view destination_zip);

}  // namespace frelane

#endif  // FRELANE_RATING_DISCLAIMER_FILES_H_
