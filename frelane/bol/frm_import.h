// frmImport: the small modal dialog in which the user picks the directory of another
// installation to import from. Double-click (or Enter) on a folder opens it, ".." goes up.
#ifndef FRELANE_BOL_FRM_IMPORT_H_
#define FRELANE_BOL_FRM_IMPORT_H_

#include <string>

#include "platform/forms/forms.h"

namespace frelane {

class frmImport : public forms::Form {
 public:
  frmImport();

  // Shows the dialog with `caption`; the directory chosen with OK, "" when cancelled.
  std::string GetDirectory(const std::string& caption);

  forms::Label& lblPrompt = Add<forms::Label>(
      "lblPrompt", {240, 120, 4800, 435},
      {.caption = "Please specify the directory where the file(s) to be imported is/are "
                  "located.",
       .word_wrap = true});
  forms::DriveListBox& Drive1 =
      Add<forms::DriveListBox>("Drive1", {240, 660, 4800, 315}, {});
  // The folder the list shows.
  forms::Label& lblPath = Add<forms::Label>("lblPath", {240, 1050, 4800, 255}, {});
  forms::DirListBox& Dir1 = Add<forms::DirListBox>("Dir1", {240, 1320, 4800, 2160}, {});
  forms::CommandButton& btnOK =
      Add<forms::CommandButton>("btnOK", {1200, 3600, 1200, 375}, {.caption = "OK"});
  forms::CommandButton& btnCancel = Add<forms::CommandButton>(
      "btnCancel", {2760, 3600, 1200, 375}, {.caption = "Cancel", .is_cancel = true});

 private:
  void Form_Load() override;
  void Form_KeyPress(int& key) override;
  void btnOK_Click();
  void btnCancel_Click();
  void Drive1_Change();
  void Dir1_Change();
  void OpenChosenFolder();

  std::string result_;
};

}  // namespace frelane

#endif  // FRELANE_BOL_FRM_IMPORT_H_
