// A small tariff data set for rating tests: one general tariff "TESTTR01" (point type 0)
// with two point ranges, three classes (50, 100, 200) and breaks at 0, 500 and 1000 lb.
//   points 10000-19999 (index 1) and 20000-29999 (index 2); the lane between them is rate
//   record 0 ("  1234 "), minimum charge 9500, rates (cents per 100 lb)
//     class 50: 2000 1600 1200   class 100: 4000 3200 2400   class 200: 8000 6400 4800
#ifndef TESTKIT_DRIVER_TEST_TARIFF_H_
#define TESTKIT_DRIVER_TEST_TARIFF_H_

#include "testkit/temp_dir.h"

namespace testkit {

// Writes EFCREC.TBL, the empty TD select and area files and the tariff's files.
void WriteTestTariff(const TempDir& dir);

}  // namespace testkit

#endif  // TESTKIT_DRIVER_TEST_TARIFF_H_
