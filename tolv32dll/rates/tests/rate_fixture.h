// The small tariff of the class-rate tests: classes 50, 100, 200; breaks 0, 500, 1000;
// rates (cents per 100 lb) by class and break:
//   50: 2000 1600 1200   100: 4000 3200 2400   200: 8000 6400 4800
// and a minimum charge of 9500 in V(0).
#ifndef TOLV32DLL_RATES_TESTS_RATE_FIXTURE_H_
#define TOLV32DLL_RATES_TESTS_RATE_FIXTURE_H_

#include "testkit/rates/rate_files.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/rates/class_rate_tables.h"

namespace tolv {

inline ClassRateTables SmallTariffTables() {
  ClassRateTables t;
  t.class_codes = {"50", "100", "200"};
  t.weight_breaks = {0, 500, 1000};
  FactorRow ones;
  ones.fill(10000);
  t.class_factors = {ones, ones, ones};
  t.break_factors = {ones, ones, ones};
  t.block_numbers = {1};
  return t;
}

inline RateRecord SmallTariffRecord() {
  return RateRecord(testkit::RateRecord(
      {1, "  1234 ", {9500, 2000, 1600, 1200, 4000, 3200, 2400, 8000, 6400, 4800}}, 526));
}

}  // namespace tolv

#endif  // TOLV32DLL_RATES_TESTS_RATE_FIXTURE_H_
