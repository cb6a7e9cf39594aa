// The carrier's city files: cityzip.dat (cities with their state and postal code, sorted
// by city) and zipcity.dat (record numbers of cityzip.dat in postal-code order). Both are
// searched by halving, never read whole; a missing or empty file finds nothing, an index
// entry outside the city file ends the search, and an unreadable file is named once.
#ifndef FRELANE_RATING_CITY_FILES_H_
#define FRELANE_RATING_CITY_FILES_H_

#include <string>
#include <string_view>
#include <vector>

namespace frelane::modMain {

inline constexpr char kCityFileName[] = "cityzip.dat";
inline constexpr char kCityIndexFileName[] = "zipcity.dat";

// The trimmed names (UTF-8) of the cities of a postal code, in index order; the code is
// compared upper-cased with the trimmed code of each city record.
std::vector<std::string> CitiesOfZip(std::string_view zip);

struct CityEntry {
  std::string city, state, zip;  // trimmed, UTF-8
};
// Every city whose name begins with `prefix` (compared upper-cased), in file order.
std::vector<CityEntry> CitiesStartingWith(std::string_view prefix);

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_CITY_FILES_H_
