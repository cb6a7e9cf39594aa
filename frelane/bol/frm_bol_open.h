// frmBOLOpen ("Open BOL"): lists the saved bills of BOLData and returns the chosen file name.
#ifndef FRELANE_BOL_FRM_BOL_OPEN_H_
#define FRELANE_BOL_FRM_BOL_OPEN_H_

#include <string>

#include "platform/forms/forms.h"

namespace frelane {

class frmBOLOpen : public forms::Form {
 public:
  frmBOLOpen();

  // Shows the dialog modally; the chosen file name (with ".BOL", no folder), or "" when the
  // user cancelled, closed the window or chose nothing.
  std::string LoadMe();

  forms::Label& lblPrompt = Add<forms::Label>("lblPrompt", {240, 120, 3600, 255},
                                              {.caption = "Please select your BOL."});
  forms::FileListBox& File1 =
      Add<forms::FileListBox>("File1", {240, 420, 3600, 2760}, {.pattern = "*.BOL"});
  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {600, 3360, 1200, 375}, {.caption = "OK", .is_default = true});
  forms::CommandButton& btnCancel = Add<forms::CommandButton>(
      "btnCancel", {2160, 3360, 1200, 375}, {.caption = "Cancel", .is_cancel = true});

 private:
  void Form_Load() override;
  void btnOK_Click();
  void btnCancel_Click();
  void File1_DblClick();
  void File1_KeyPress(int& key);

  std::string chosen_;
};

}  // namespace frelane

#endif  // FRELANE_BOL_FRM_BOL_OPEN_H_
