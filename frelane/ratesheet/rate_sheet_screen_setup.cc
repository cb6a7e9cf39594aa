#include "frelane/ratesheet/rate_sheet_screen_setup.h"

#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/rating/rate_sheet_screen.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "platform/forms/application.h"

namespace frelane {

void ConnectRateSheetDialogs(frmRateSheet& sheet) {
  sheet.ChooseIntrastateTariffs = [] { forms::App().Get<frmIntrastateTariffs>().ShowModal(); };
  sheet.ShowRunDialog = [] { forms::App().Get<frmRateSheetRun>().ShowModal(); };
}

void InstallRateSheetScreen() {
  SetRateSheetScreen([] {
    frmRateSheet& sheet = forms::App().Get<frmRateSheet>();
    ConnectRateSheetDialogs(sheet);
    sheet.ShowModal();
  });
}

}  // namespace frelane
