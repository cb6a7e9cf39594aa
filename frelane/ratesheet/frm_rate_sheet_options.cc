#include "frelane/ratesheet/frm_rate_sheet_options.h"

#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "platform/runtime/fixed_string.h"

namespace frelane {

frmRateSheetOptions::frmRateSheetOptions()
    : Form("frmRateSheetOptions",
           {.caption = "Rate Sheet Options", .width = 6840, .height = 2940, .center = true}) {
  for (int i = 1; i <= kHeaderLines; ++i) {
    const int top = 180 + (i - 1) * 420;
    lblHeader.Add(i, {120, top + 30, 1200, 225}, {.caption = "Header Text " + std::to_string(i)});
    txtHeader.Add(i, {1380, top, 5220, 285}, {.tab_index = i - 1, .max_length = kHeaderWidth});
  }
  Bind(btnOK.on.Click, &frmRateSheetOptions::btnOK_Click);
  Bind(btnReset.on.Click, &frmRateSheetOptions::btnReset_Click);
  Bind(txtHeader.on.GotFocus, &frmRateSheetOptions::txtHeader_GotFocus);
}

void frmRateSheetOptions::Form_Load() {
  modMain::SetFormIcon(*this);
  btnReset_Click();
}

void frmRateSheetOptions::btnReset_Click() {
  for (int i = 1; i <= kHeaderLines; ++i) {
    txtHeader(i).SetText(
        runtime::Trim(modMain::Settings().Text(settings::kRateSheetHeaderLines, i)));
  }
}

void frmRateSheetOptions::btnOK_Click() { Hide(); }

void frmRateSheetOptions::txtHeader_GotFocus(int index) {
  modMain::SelectAllTextItem(txtHeader, index);
}

}  // namespace frelane
