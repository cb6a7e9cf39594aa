// A small package tariff for tests: "PKGT0001" (point type 0, kind 'P', in force from
// 2024-01-01), every file number 01, and beside it a general tariff "GENT0001" for the
// refusals of a tariff that is not a package tariff.
//   .T   rows: packaging "OUR", drop-off "DPS", tiers "123"
//   .F   block 1: service "GND", tiers 1 2 3; block 2 ('E'): breaks 100 500 1000;
//        block 3 ('G'): breaks 100 500 1000
//   .P   ZIPs 15000-15999 (point 0) and 43000-43999 (point 1): rate basis number 1
//   .I   rate basis 1 -> rate index 1, so service 0's zone record is record 1
//   .R   record 0 header (scheme 1, heaviest 150 lb, default tier 1, version 1);
//        record 1 zone (bytes 3-9 "  0004 "): price base 12, prices 1000 + 5 w for
//        w = 0..150, least hundredweight weight 200;
//        record 2 hundredweight (bytes 3-9 "  0005 "): tier rows from entry 20: 0 2000
//        1800 1500, minimum weight 100 lb per package
// Every part can be changed before the files are written.
#ifndef TESTKIT_PACKAGE_PACKAGE_TARIFF_H_
#define TESTKIT_PACKAGE_PACKAGE_TARIFF_H_

#include <vector>

#include "testkit/package/package_files.h"
#include "testkit/sidetables/side_table_files.h"
#include "testkit/tariff/factor_file_writer.h"
#include "testkit/temp_dir.h"

namespace testkit {

struct PackageTariff {
  PackageTariff();

  std::vector<PackageRow> rows;
  std::vector<FactorBlock> blocks;
  PackageHeader header;
  PackageZone zone;
  PackageHundredweight hundredweight;
  // Extra records after the hundredweight record (zone records of other services).
  std::vector<RateRow> more_records;
  // The ".D" file's default letter and ranges; no ".D" file when the letter is 0.
  char service_default = 0;
  std::vector<ServiceRange> service_ranges;
};

// Writes EFCREC.TBL, the empty tariff-determination select and area files and the files
// of both tariffs.
void WritePackageTariff(const TempDir& dir, const PackageTariff& tariff = PackageTariff());

}  // namespace testkit

#endif  // TESTKIT_PACKAGE_PACKAGE_TARIFF_H_
