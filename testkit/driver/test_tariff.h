// A small tariff data set for rating tests, all tariffs in one EFCREC.TBL with empty TD
// select and area files (every test names its tariff). Breaks are 0, 500 and 1000 lb and
// the classes 50, 100 and 200 throughout; rates are cents per 100 lb, listed by class.
//
// TESTTR01 (point type 0): points 10000-19999 (index 1) and 20000-29999 (index 2); the
//   lane between them is rate record 0 ("  1234 "), minimum charge 9500, rates
//     class 50: 2000 1600 1200   class 100: 4000 3200 2400   class 200: 8000 6400 4800
// TESTMX01, a Mexican tariff in two entries of type 0:
//   number 1 (files 01): 10000-19999 to the border crossings 70000-79999: minimum 5000,
//     rates 1000 800 600 / 2000 1600 1200 / 4000 3200 2400; its ".N01" sends lanes from
//     20000-29999 to 40000-49999M through 78500, from 10000-19999 through 78040;
//   number 2 (files 02): 70000-79999 to Mexican 40000-49999: minimum 3000, rates
//     500 400 300 / 1000 800 600 / 2000 1600 1200.
// TESTEE01 (point type E, block layout): the lane 10000-19999 to 20000-29999 is a record
//   of factor set 3, minimum 7000, break rates 3000 2400 1800; block 1 factors the classes
//   by 1.0, block 3 by 0.5 / 1.0 / 2.0.
// TESTEH01 (point type H, block layout): the same lane, record "  4322 ": minimum 7000, break
//   rates 3000 2400 1800, minimum-charge floor 5000; class factors 1.0, second table 1.0
//   for each break and 1.1 after the last.
// TESTLA01 (lane points, type N on type 0 records): 10000-19999 to 20000-29999, minimum
//   6000, rates as TESTTR01; its twin TESTLA0N (number 2) holds 10000-19999 to 60000-69999,
//   minimum 4000, rates 1500 1200 900 / 3000 2400 1800 / 6000 4800 3600. TESTLN01 has the
//   files of TESTLA01 and, being a twin by its sixth character, no twin of its own.
// TESTBU01, a bureau tariff: number 1 (type Y) gives the lane 10000-19999 to 20000-29999
//   the type factors 1.2 (minimum charges) and 1.1 (breaks 1-6); number 2 (type 0, files
//   02) rates it as TESTTR01.
// TESTCB01: TESTTR01 with class-specific breaks; the weight-type row of class 100 moves
//   break 1 from 500 to 600 lb.
// TESTBG01: TESTTR01's lane at rates beyond the response's fields: class 50 999999 999000
//   998000, classes 100 and 200 1000000 999000 998000.
#ifndef TESTKIT_DRIVER_TEST_TARIFF_H_
#define TESTKIT_DRIVER_TEST_TARIFF_H_

#include "testkit/temp_dir.h"

namespace testkit {

// Writes EFCREC.TBL, the empty TD select and area files and the tariffs' files.
void WriteTestTariff(const TempDir& dir);

}  // namespace testkit

#endif  // TESTKIT_DRIVER_TEST_TARIFF_H_
