// Terminal mode: the service days between the two points' terminals and the service type.
#include <string>

#include "frelane/core/company_name.h"
#include "frelane/core/service_guide.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/point_entry.h"

namespace frelane {

void frmRatingScreen::ShowServiceDays() {
  const std::int32_t origin = modMain::OriginTerminal();
  const std::int32_t destination = modMain::DestinationTerminal();
  if (origin != 0 && destination != 0) {
    const int days = ServGuid::GetTerminalDays(
        origin, destination,
        static_cast<std::int16_t>(OriginServiceDays + DestinationServiceDays));
    lblServiceDays.SetCaption(std::to_string(days) + " Day(s)");
    lblServiceType.SetCaption(OriginServiceCode == "D" && DestinationServiceCode == "D"
                                  ? "Direct"
                                  : "Non-Direct");
    return;
  }
  lblServiceType.SetCaption(modMain::CompanyNameStartsWith("FARVEL") ? "Non-Direct" : "None");
}

}  // namespace frelane
