// Until their owners are part of the program: no miles, no terminal days.
#include "frelane/rating/lane_calls.h"

#include "frelane/rating/frm_accessorial_charges.h"
#include "platform/forms/application.h"

namespace frelane::lane_calls {

double LaneMileage() { return -1; }
void ShowTerminalServiceDays(frmRatingScreen&) {}
void ShowAccessorialCharges() { forms::App().Get<frmAccessorialCharges>().ShowModal(); }

}  // namespace frelane::lane_calls
