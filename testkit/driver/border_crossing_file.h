// Writer of a tariff's border-crossing file (".N"): 37-byte records, each a range of
// non-Mexican ZIPs (columns 0-4 low, 6-10 high), a range of Mexican ZIPs (12-16, 18-22)
// and the crossing ZIP (24-28); the other columns blank, CR LF at 35-36.
#ifndef TESTKIT_DRIVER_BORDER_CROSSING_FILE_H_
#define TESTKIT_DRIVER_BORDER_CROSSING_FILE_H_

#include <string>
#include <vector>

#include "testkit/td/td_writers.h"

namespace testkit {

struct BorderCrossingRow {
  std::string other_low;
  std::string other_high;
  std::string mexican_low;
  std::string mexican_high;
  std::string crossing;
};

Bytes BorderCrossingFile(const std::vector<BorderCrossingRow>& rows);

}  // namespace testkit

#endif  // TESTKIT_DRIVER_BORDER_CROSSING_FILE_H_
