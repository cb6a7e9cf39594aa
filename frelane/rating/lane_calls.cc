// Until their owners are part of the program: no miles, no terminal days, no dialog.
#include "frelane/rating/lane_calls.h"

namespace frelane::lane_calls {

double LaneMileage() { return -1; }
void ShowTerminalServiceDays(frmRatingScreen&) {}
void ShowAccessorialCharges() {}

}  // namespace frelane::lane_calls
