// frmSingleshipment ("Single Shipment"): asks whether the shipment is a single shipment,
// for tariffs whose minimum charge depends on it. Y or N answers at once, Enter confirms;
// however it closes, the answer goes into the ShipmentRecord's single-shipment flag.
#ifndef FRELANE_RATING_FRM_SINGLESHIPMENT_H_
#define FRELANE_RATING_FRM_SINGLESHIPMENT_H_

#include "platform/forms/form.h"

namespace frelane {

class frmSingleshipment : public forms::Form {
 public:
  frmSingleshipment();

  forms::Label& lblQuestion = Add<forms::Label>(
      "lblQuestion", {240, 180, 3120, 225}, {.caption = "Is this a single shipment?"});
  forms::OptionButton& optSSYes =
      Add<forms::OptionButton>("optSSYes", {480, 540, 1080, 285}, {.caption = "&Yes", .tab_index = 0});
  forms::OptionButton& optSSNo = Add<forms::OptionButton>(
      "optSSNo", {1920, 540, 1080, 285}, {.caption = "&No", .tab_index = 1, .value = 1});
  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {1200, 1020, 1200, 375}, {.caption = "OK", .tab_index = 2});

 private:
  void Form_Load() override;
  void Form_KeyPress(int& key_ascii) override;
  void Form_Unload(bool& cancel) override;
  void btnOK_Click();
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_SINGLESHIPMENT_H_
