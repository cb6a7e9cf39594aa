// frmZipLU ("City Look-Up"): finds postal codes by the first letters of a city name in
// cityzip.dat and hands the picked code and city to the rating screen through
// modMain::PickedZip() and PickedCity().
#ifndef FRELANE_RATING_FRM_ZIP_LU_H_
#define FRELANE_RATING_FRM_ZIP_LU_H_

#include "platform/forms/form.h"

namespace frelane {

class frmZipLU : public forms::Form {
 public:
  frmZipLU();

  forms::Label& lblCity =
      Add<forms::Label>("lblCity", {240, 180, 5160, 225},
                        {.caption = "Enter one or more letters of the city name and press TAB"});
  forms::TextBox& txtCity =
      Add<forms::TextBox>("txtCity", {240, 480, 3000, 285}, {.tab_index = 0, .max_length = 28});
  forms::ListBox& lstCity = Add<forms::ListBox>("lstCity", {240, 900, 5160, 3180}, {.tab_index = 1});
  // The postal codes of lstCity's lines, at the same positions.
  forms::ListBox& lstZip =
      Add<forms::ListBox>("lstZip", {0, 0, 0, 0}, {.tab_stop = false, .visible = false});

 private:
  void Form_Load() override;
  void txtCity_KeyPress(int& key_ascii);
  void txtCity_LostFocus();
  void lstCity_DblClick();
  void lstCity_KeyPress(int& key_ascii);
  void Pick();
  // Escape: closes the dialog with nothing picked (true), else false.
  bool CloseOnEscape(int& key_ascii);
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_ZIP_LU_H_
