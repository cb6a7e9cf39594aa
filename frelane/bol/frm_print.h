// frmPrint ("Print"): the printer and the number of copies a bill prints on. It stays loaded
// once shown, so a later call offers the previous choice again. OK makes the chosen printer
// the program's current printer. With no printer installed it says so and OK stays disabled.
#ifndef FRELANE_BOL_FRM_PRINT_H_
#define FRELANE_BOL_FRM_PRINT_H_

#include <cstdint>

#include "platform/forms/forms.h"

namespace frelane {

class frmPrint : public forms::Form {
 public:
  frmPrint();

  // Shows the dialog modally. True after OK, with the number of copies (1 to 999) in
  // `copies`; false after Cancel, `copies` unchanged.
  bool SelectPrinter(std::int32_t& copies);

  forms::Frame& fraPrinter =
      Add<forms::Frame>("fraPrinter", {120, 120, 4680, 1500}, {.caption = "Printer"});
  forms::Label& lblName = Add<forms::Label>("lblName", {120, 330, 720, 255},
                                            {.container = &fraPrinter, .caption = "Name :"});
  forms::ComboBox& cboPrinters = Add<forms::ComboBox>(
      "cboPrinters", {900, 300, 3600, 315}, {.container = &fraPrinter, .style = 2});
  forms::Label& lblDriverCaption = Add<forms::Label>(
      "lblDriverCaption", {120, 720, 720, 255}, {.container = &fraPrinter, .caption = "Driver :"});
  forms::Label& lblDriver =
      Add<forms::Label>("lblDriver", {900, 720, 3600, 255}, {.container = &fraPrinter});
  forms::Label& lblPortCaption = Add<forms::Label>(
      "lblPortCaption", {120, 1050, 720, 255}, {.container = &fraPrinter, .caption = "Port :"});
  forms::Label& lblPort =
      Add<forms::Label>("lblPort", {900, 1050, 3600, 255}, {.container = &fraPrinter});
  forms::Label& lblNoPrinter = Add<forms::Label>(
      "lblNoPrinter", {900, 720, 3600, 255},
      {.container = &fraPrinter, .caption = "No printer is installed.", .visible = false});

  forms::Frame& fraCopies =
      Add<forms::Frame>("fraCopies", {120, 1740, 4680, 780}, {.caption = "Copies"});
  forms::Label& lblCopies = Add<forms::Label>(
      "lblCopies", {120, 330, 1560, 255}, {.container = &fraCopies, .caption = "Number of Copies:"});
  forms::TextBox& txtNumberOfCopies = Add<forms::TextBox>(
      "txtNumberOfCopies", {1740, 300, 600, 285},
      {.container = &fraCopies, .text = "1", .max_length = 3});
  forms::VScrollBar& VScroll1 = Add<forms::VScrollBar>(
      "VScroll1", {2340, 270, 255, 345},
      {.container = &fraCopies, .value = 999, .min = 1, .max = 999});

  forms::CommandButton& btnOK = Add<forms::CommandButton>(
      "btnOK", {1200, 2640, 1200, 375}, {.caption = "OK"});
  forms::CommandButton& btnCancel = Add<forms::CommandButton>(
      "btnCancel", {2640, 2640, 1200, 375}, {.caption = "Cancel", .is_cancel = true});

 private:
  void Form_Load() override;
  void Form_KeyPress(int& key) override;
  void Form_QueryUnload(bool& cancel, int unload_mode) override;
  void cboPrinters_Click();
  void btnOK_Click();
  void btnCancel_Click();
  void txtNumberOfCopies_Change();
  void VScroll1_Change();

  bool printer_chosen_ = false;
};

}  // namespace frelane

#endif  // FRELANE_BOL_FRM_PRINT_H_
