#include "frelane/ratesheet/rate_sheet_screen_setup.h"

#include "frelane/rating/rate_sheet_opener.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "platform/forms/application.h"

namespace frelane {

void ConnectRateSheetDialogs(frmRateSheet& sheet) {
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
