#include "frelane/rating/frm_rating_screen.h"

#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/core/shutdown.h"

namespace frelane {

frmRatingScreen::frmRatingScreen() : Form("frmRatingScreen", {.center = true}) {}

void frmRatingScreen::Form_Load() {
  modMain::SetStandardFormSize(*this);
  modMain::SetFormIcon(*this);
  SetCaption(modMain::Settings().Text(settings::kCompanyName) + " - Effective: " +
             modMain::Settings().Text(settings::kEffectiveDateText));
}

void frmRatingScreen::Form_Unload(bool& /*cancel*/) { modMain::EndProgram(); }

}  // namespace frelane
