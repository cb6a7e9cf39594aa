// frmFAK: the FAK mapping editor. For each of the 18 classes the class rated in its place;
// Save stores the mapping and writes fak.dat, Ignore leaves both as they were.
#ifndef FRELANE_RATING_FRM_FAK_H_
#define FRELANE_RATING_FRM_FAK_H_

#include "platform/forms/form.h"

namespace frelane {

class frmFAK : public forms::Form {
 public:
  frmFAK();

  forms::ControlArray<forms::Label>& lblClass = AddArray<forms::Label>("lblClass");
  forms::ControlArray<forms::ComboBox>& cboClass = AddArray<forms::ComboBox>("cboClass");
  forms::CommandButton& btnSaveFAK = Add<forms::CommandButton>(
      "btnSaveFAK", {1200, 3060, 1215, 375}, {.caption = "Save", .tab_index = 40});
  forms::CommandButton& btnIgnore =
      Add<forms::CommandButton>("btnIgnore", {2880, 3060, 1215, 375},
                                {.caption = "Ignore", .tab_index = 41, .causes_validation = false, .is_cancel = true});

 private:
  void Form_Load() override;
  void cboClass_GotFocus(int index);
  void cboClass_KeyPress(int index, int& key_ascii);
  void cboClass_Validate(int index, bool& cancel);
  void btnSaveFAK_Click();
  void btnIgnore_Click();
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_FAK_H_
