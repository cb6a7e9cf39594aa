// Whether the carrier serves a lane (zipval.dat) and how many days the service takes (the
// service-days matrix of ServiceUO.dat, ServiceUD.dat, ServiceM.dat and ServiceUS.dat).
#ifndef FRELANE_RATING_SERVICE_DAYS_H_
#define FRELANE_RATING_SERVICE_DAYS_H_

#include <string>
#include <string_view>

namespace frelane::modMain {

inline constexpr char kServedLanesFileName[] = "zipval.dat";
inline constexpr char kServiceOriginRangesFileName[] = "ServiceUO.dat";
inline constexpr char kServiceDestinationRangesFileName[] = "ServiceUD.dat";
inline constexpr char kServiceMatrixFileName[] = "ServiceM.dat";
inline constexpr char kServiceDaysFileName[] = "ServiceUS.dat";

// True when a record of zipval.dat covers the pair of 3-character prefixes (plain string
// comparison, ends included). False without the file; an unreadable one is named once.
bool IsServedZipPair(std::string_view origin_prefix, std::string_view destination_prefix);

// The service days of the program's ShipmentRecord's lane: "2", or "2-3" for a range; ""
// when the lane has no cell in the matrix (out of the service area). Blank cells are no
// cell; a cell of 0, a cell or day record beyond its file's end, give "".
std::string GetServiceDays();

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_SERVICE_DAYS_H_
