// Writers of the files the lane look-ups read: the tariff list and its overrides, the
// served lanes, the service-days matrix, the postal-code discount table and the two city
// files. Each returns the file's bytes, laid out from the record declarations.
#ifndef TESTKIT_RATING_LANE_LOOKUP_FILES_H_
#define TESTKIT_RATING_LANE_LOOKUP_FILES_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testkit {

// tariffs.dat: one line each, CR LF.
struct TariffListLine {
  TariffListLine(std::string code_, std::string name_, bool ask_ = false,
                 std::string description_ = "")
      : code(std::move(code_)), name(std::move(name_)), ask(ask_),
        description(std::move(description_)) {}
  std::string code;  // 2 characters
  std::string name;  // 8
  bool ask;          // column 11 "Y"
  std::string description;
};
std::string TariffListFile(const std::vector<TariffListLine>& lines);

// taripntr.dat: columns 1-20 the four 5-character ranges, 21-28 the tariff name.
struct TariffOverrideLine {
  std::string origin_low, origin_high, destination_low, destination_high, name;
};
std::string TariffOverrideFile(const std::vector<TariffOverrideLine>& lines);

// zipval.dat: 12-byte records of four 3-character prefixes.
struct ServedLane {
  std::string origin_low, origin_high, destination_low, destination_high;
};
std::string ServedLaneFile(const std::vector<ServedLane>& lanes);

// ServiceUO.dat / ServiceUD.dat: 10-byte ranges of two 5-character codes.
struct ZipRange {
  std::string low, high;
};
std::string ZipRangeFile(const std::vector<ZipRange>& ranges);

// ServiceM.dat: rows[j - 1][i - 1] is the cell of destination range j and origin range i
// (0 leaves the cell blank, otherwise the ServiceUS.dat record number).
std::string ServiceMatrixFile(const std::vector<std::vector<int>>& rows);

// ServiceUS.dat: 4-byte records, the fewest and the most days.
struct ServiceDays {
  std::int16_t min_days = 0, max_days = 0;
};
std::string ServiceDaysFile(const std::vector<ServiceDays>& days);

// ZipDisc.dat: 64-byte records.
struct ZipDiscount {
  std::string origin_low, origin_high, destination_low, destination_high;
  double mc = 0, ltl = 0, tl = 0, mc_floor = 0;
  bool deleted = false;
};
std::string ZipDiscountFile(const std::vector<ZipDiscount>& records);

// cityzip.dat and zipcity.dat from one list of cities: the city file sorted by upper-cased
// city (ties by code), the index sorted by code.
struct City {
  std::string city, state, zip;
};
struct CityFiles {
  std::string cityzip;
  std::string zipcity;
};
CityFiles CityFilesOf(std::vector<City> cities);

}  // namespace testkit

#endif  // TESTKIT_RATING_LANE_LOOKUP_FILES_H_
