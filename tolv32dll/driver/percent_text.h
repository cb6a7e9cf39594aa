// The discount percent of the response as "%05.2f" prints it, without the C library on the
// values a response carries.
#ifndef TOLV32DLL_DRIVER_PERCENT_TEXT_H_
#define TOLV32DLL_DRIVER_PERCENT_TEXT_H_

#include <array>

namespace tolv {

// What snprintf "%05.2f" makes of the percent (as a double) in the C locale, whatever
// locale the process has set: the value rounded to hundredths as the C library rounds an
// exact binary value (a tie to the even digit). False when that text is not exactly five
// characters (-9.995 and below, 100 or more), which no response field holds; out is then
// left as it was.
bool PercentText(float percent, std::array<char, 5>& out);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_PERCENT_TEXT_H_
