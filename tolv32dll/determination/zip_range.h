// Whether a ZIP or postal code lies inside the range of a TD record.
#ifndef TOLV32DLL_DETERMINATION_ZIP_RANGE_H_
#define TOLV32DLL_DETERMINATION_ZIP_RANGE_H_

#include <string_view>

#include "KMLIB/tdz_file.h"

namespace tolv {

// A code of five digits is compared on 5 characters, a letter-digit-letter postal prefix
// on 3; anything else is outside. Inside means between the unpacked ends of the record,
// both included. The ends are taken whichever order the record holds them in: a range
// stored high end first matches the same codes as one stored low end first.
bool ZipInRange(std::string_view code, const kmlib::TdzRecord& record);

}  // namespace tolv

#endif  // TOLV32DLL_DETERMINATION_ZIP_RANGE_H_
