// Writers for the files of a package tariff: the ".T" package records and the three kinds
// of ".R" record (package header, zone, hundredweight). The factor file, points and rate
// index are written by the general writers (testkit/tariff, testkit/points, testkit/rates).
#ifndef TESTKIT_PACKAGE_PACKAGE_FILES_H_
#define TESTKIT_PACKAGE_PACKAGE_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "testkit/rates/rate_files.h"

namespace testkit {

// One 38-byte package record: row type ('1' packaging, '2' drop-off, '3' tier list) at
// byte 0, the code at bytes 1-3, a blank at 4, the tier characters at 5-34 and three
// blanks; text fields blank-padded.
struct PackageRow {
  char type = '1';
  std::string code;
  std::string tiers;
};
Bytes PackageRecordFile(const std::vector<PackageRow>& rows);

// Record 0 of the rate file: entries 0-3.
struct PackageHeader {
  std::uint32_t scheme = 1;
  std::uint32_t max_weight = 150;
  std::uint32_t default_tier = 1;
  std::uint32_t version = 1;
};
RateRow PackageHeaderRow(const PackageHeader& header, const std::string& number);

// A zone record: the named entries, and the price table from entry price_base on (the
// price of a package of w pounds at price_base + w).
struct PackageZone {
  std::uint32_t price_base = 12;          // entry 0
  std::uint32_t residential = 0;          // 1
  std::uint32_t on_call = 0;              // 2
  std::uint32_t delivery_area = 0;        // 3
  std::uint32_t least_cwt_weight = 0;     // 5
  std::uint32_t least_e_minimum = 0;      // 8
  std::uint32_t e_minimum_weight = 0;     // 9
  std::uint32_t letter_limit = 0;         // 10, hundredths of an ounce
  std::uint32_t delivery_area_other = 0;  // 11
  std::vector<std::uint32_t> prices;
};
RateRow PackageZoneRow(const PackageZone& zone, const std::string& number);

// A hundredweight record: the named entries and the tier rows from entry tier_base on.
struct PackageHundredweight {
  std::uint32_t tier_base = 20;           // entry 0
  std::uint32_t residential = 0;          // 1
  std::uint32_t on_call = 0;              // 2
  std::uint32_t delivery_area = 0;        // 4
  std::uint32_t minimum_weight = 0;       // 7
  std::uint32_t least_e_minimum = 0;      // 8
  std::uint32_t delivery_area_other = 0;  // 12
  std::uint32_t residential_v2 = 0;       // 13
  std::vector<std::uint32_t> tier_rows;
};
RateRow PackageHundredweightRow(const PackageHundredweight& cwt, const std::string& number);

}  // namespace testkit

#endif  // TESTKIT_PACKAGE_PACKAGE_FILES_H_
