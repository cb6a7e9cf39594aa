// frmExportSetup ("Export Setup"): the shipment export's output file, replace or append,
// comma-separated or fixed width, and automatic export of every rated shipment. Save keeps
// the choices for the program's run and writes them to Defaults.ini.
#ifndef FRELANE_RATING_FRM_EXPORT_SETUP_H_
#define FRELANE_RATING_FRM_EXPORT_SETUP_H_

#include "platform/forms/form.h"

namespace frelane {

class frmExportSetup : public forms::Form {
 public:
  frmExportSetup();

  forms::Frame& Frame1 = Add<forms::Frame>("Frame1", {120, 120, 5295, 1635}, {.caption = "File"});
  forms::CommandButton& btnFileLookup =
      Add<forms::CommandButton>("btnFileLookup", {120, 300, 1455, 375},
                                {.container = &Frame1, .caption = "Output File ...", .tab_index = 0});
  forms::Label& lblPathFile = Add<forms::Label>(
      "lblPathFile", {1680, 330, 3495, 480}, {.container = &Frame1, .word_wrap = true});
  forms::OptionButton& optCreate = Add<forms::OptionButton>(
      "optCreate", {120, 900, 3000, 255},
      {.container = &Frame1, .caption = "Create or Replace File", .tab_index = 1});
  forms::OptionButton& optAppend = Add<forms::OptionButton>(
      "optAppend", {120, 1230, 3000, 255},
      {.container = &Frame1, .caption = "Append to Existing File", .tab_index = 2});
  forms::Frame& Frame2 =
      Add<forms::Frame>("Frame2", {120, 1860, 5295, 975}, {.caption = "Format"});
  forms::OptionButton& optCommaSeparated = Add<forms::OptionButton>(
      "optCommaSeparated", {120, 300, 3000, 255},
      {.container = &Frame2, .caption = "Comma Separated Values", .tab_index = 3});
  forms::OptionButton& optFixedWidth = Add<forms::OptionButton>(
      "optFixedWidth", {120, 600, 3000, 255},
      {.container = &Frame2, .caption = "Fixed Width", .tab_index = 4});
  forms::CheckBox& chkExportAll = Add<forms::CheckBox>(
      "chkExportAll", {240, 2970, 3500, 255},
      {.caption = "Export All Rating Screens", .tab_index = 5});
  forms::CommandButton& btnSave = Add<forms::CommandButton>(
      "btnSave", {1440, 3420, 1215, 375}, {.caption = "&Save", .tab_index = 6});
  forms::CommandButton& btnIgnore = Add<forms::CommandButton>(
      "btnIgnore", {2880, 3420, 1215, 375}, {.caption = "&Ignore", .tab_index = 7, .is_cancel = true});

 private:
  void Form_Load() override;
  void btnFileLookup_Click();
  void btnSave_Click();
  void btnIgnore_Click();
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_EXPORT_SETUP_H_
