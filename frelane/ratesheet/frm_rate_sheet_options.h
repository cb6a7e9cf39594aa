// frmRateSheetOptions: the four page header lines of a rate sheet, loaded from the settings
// with the definition screen and kept (hidden) while it is open; edits never reach the
// settings file.
#ifndef FRELANE_RATESHEET_FRM_RATE_SHEET_OPTIONS_H_
#define FRELANE_RATESHEET_FRM_RATE_SHEET_OPTIONS_H_

#include "platform/forms/form.h"

namespace frelane {

class frmRateSheetOptions : public forms::Form {
 public:
  static constexpr int kHeaderLines = 4;
  static constexpr int kHeaderWidth = 65;

  frmRateSheetOptions();

  forms::ControlArray<forms::Label>& lblHeader = AddArray<forms::Label>("lblHeader");
  forms::ControlArray<forms::TextBox>& txtHeader = AddArray<forms::TextBox>("txtHeader");
  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {1440, 1980, 1215, 375}, {.caption = "OK", .tab_index = 4, .is_default = true});
  forms::CommandButton& btnReset = Add<forms::CommandButton>(
      "btnReset", {2880, 1980, 1215, 375}, {.caption = "Reset", .tab_index = 5});

 private:
  void Form_Load() override;
  void btnOK_Click();
  void btnReset_Click();
  void txtHeader_GotFocus(int index);
};

}  // namespace frelane

#endif  // FRELANE_RATESHEET_FRM_RATE_SHEET_OPTIONS_H_
