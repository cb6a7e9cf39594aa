#include "frelane/rating/lane_calls.h"

#include "frelane/core/mileage.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"

namespace frelane::lane_calls {

double LaneMileage() { return modMain::GetMileage(); }
void ShowTerminalServiceDays(frmRatingScreen& screen) { screen.ShowServiceDays(); }
void ShowAccessorialCharges() { forms::App().Get<frmAccessorialCharges>().ShowModal(); }

}  // namespace frelane::lane_calls
