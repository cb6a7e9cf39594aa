// frmAccessorialCharges: the carrier's accessorial charges of accchg.dat, one row each (at
// most 25), to tick and, for some kinds, to give a value. OK hides the dialog without
// unloading it: the accessorial total reads its ticks and inputs at every calculation.
#ifndef FRELANE_RATING_FRM_ACCESSORIAL_CHARGES_H_
#define FRELANE_RATING_FRM_ACCESSORIAL_CHARGES_H_

#include "frelane/rating/accessorial_record.h"
#include "platform/forms/form.h"

namespace frelane {

class frmAccessorialCharges : public forms::Form {
 public:
  frmAccessorialCharges();

  forms::Label& lblChargeHeading =
      Add<forms::Label>("lblChargeHeading", {3780, 0, 720, 225}, {.caption = "Charge"});
  forms::Label& lblMinHeading =
      Add<forms::Label>("lblMinHeading", {8040, 0, 600, 225}, {.caption = "Min"});
  forms::Label& lblMaxHeading =
      Add<forms::Label>("lblMaxHeading", {8700, 0, 600, 225}, {.caption = "Max"});
  forms::ControlArray<forms::CheckBox>& chkAccessorialCharge =
      AddArray<forms::CheckBox>("chkAccessorialCharge");
  forms::ControlArray<forms::Label>& lblAccessorialCharge =
      AddArray<forms::Label>("lblAccessorialCharge");
  forms::ControlArray<forms::Label>& lblAccessorialType =
      AddArray<forms::Label>("lblAccessorialType");
  forms::ControlArray<forms::Label>& lblAccessorialLabel =
      AddArray<forms::Label>("lblAccessorialLabel");
  forms::ControlArray<forms::TextBox>& txtUserInput = AddArray<forms::TextBox>("txtUserInput");
  forms::ControlArray<forms::Label>& lblAccessorialChargeMin =
      AddArray<forms::Label>("lblAccessorialChargeMin");
  forms::ControlArray<forms::Label>& lblAccessorialChargeMax =
      AddArray<forms::Label>("lblAccessorialChargeMax");
  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {3120, 420, 1215, 375}, {.caption = "&OK", .tab_index = 60});
  forms::CommandButton& btnReset = Add<forms::CommandButton>(
      "btnReset", {4920, 420, 1215, 375}, {.caption = "&Reset", .tab_index = 61});

 private:
  void Form_Load() override;
  void Form_KeyPress(int& key_ascii) override;
  void txtUserInput_GotFocus(int index);
  void txtUserInput_KeyPress(int index, int& key_ascii);
  void btnOK_Click();
  void btnReset_Click();
  void FillRow(int row, os::ConstRecordView record);
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_ACCESSORIAL_CHARGES_H_
