// A small form of every common control kind, declared as the program declares its forms,
// for the tests of the Qt binding: a zip box that takes digits only and must hold five
// before the focus may leave it, a name box that upper-cases what is typed, a class list,
// options in a frame, and a Print button that prints the entry on the current printer.
#ifndef FRELANE_PLATFORM_QT_TESTS_DEMO_FORM_H_
#define FRELANE_PLATFORM_QT_TESTS_DEMO_FORM_H_

#include <string>
#include <vector>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/print/printers.h"

namespace qtbind::testing {

class frmDemo : public forms::Form {
 public:
  frmDemo()
      : Form("frmDemo", {.caption = "Quote Demo", .width = 6000, .height = 4800}) {
    Bind(txtZip.on.KeyPress, &frmDemo::txtZip_KeyPress);
    Bind(txtZip.on.Validate, &frmDemo::txtZip_Validate);
    Bind(txtZip.on.LostFocus, &frmDemo::txtZip_LostFocus);
    Bind(txtName.on.GotFocus, &frmDemo::txtName_GotFocus);
    Bind(txtName.on.KeyPress, &frmDemo::txtName_KeyPress);
    Bind(btnPrint.on.Click, &frmDemo::btnPrint_Click);
    Bind(btnCancel.on.Click, &frmDemo::btnCancel_Click);
  }

  forms::Label& lblZip = Add<forms::Label>("lblZip", {120, 165, 900, 255}, {.caption = "&Zip:"});
  forms::TextBox& txtZip =
      Add<forms::TextBox>("txtZip", {1080, 120, 1200, 315}, {.tab_index = 0, .max_length = 5});
  forms::Label& lblName = Add<forms::Label>("lblName", {120, 585, 900, 255}, {.caption = "Name:"});
  forms::TextBox& txtName =
      Add<forms::TextBox>("txtName", {1080, 540, 3000, 315}, {.tab_index = 1, .max_length = 30});
  forms::ComboBox& cboClass = Add<forms::ComboBox>(
      "cboClass", {1080, 960, 1200, 315},
      {.tab_index = 2, .style = forms::ComboBox::kDropDownList, .list = {"50", "55", "60"}});
  forms::CheckBox& chkBold = Add<forms::CheckBox>(
      "chkBold", {1080, 1380, 2400, 315}, {.caption = "&Bold heading", .tab_index = 3, .value = 1});
  forms::Frame& fraOutput =
      Add<forms::Frame>("fraOutput", {120, 1800, 4200, 900}, {.caption = "Output"});
  forms::OptionButton& optPrinter = Add<forms::OptionButton>(
      "optPrinter", {120, 360, 1800, 315},
      {.container = &fraOutput, .caption = "&Printer", .tab_index = 4, .value = 1});
  forms::OptionButton& optScreen = Add<forms::OptionButton>(
      "optScreen", {2100, 360, 1800, 315},
      {.container = &fraOutput, .caption = "&Screen", .tab_index = 5});
  forms::ListBox& lstLines = Add<forms::ListBox>(
      "lstLines", {120, 2820, 4200, 900},
      {.tab_index = 6, .font_name = "Courier New", .font_size = 8.25, .list = {"Zip   Class"}});
  forms::CommandButton& btnPrint = Add<forms::CommandButton>(
      "btnPrint", {4500, 120, 1200, 375}, {.caption = "&Print", .tab_index = 7});
  forms::CommandButton& btnCancel = Add<forms::CommandButton>(
      "btnCancel", {4500, 600, 1200, 375},
      {.caption = "Cancel", .tab_index = 8, .causes_validation = false, .is_cancel = true});
  forms::Label& lblStatus =
      Add<forms::Label>("lblStatus", {120, 3840, 5500, 255}, {.caption = "Ready"});

  std::vector<std::string> events;

 private:
  void txtZip_KeyPress(int& key_ascii) {
    if (key_ascii != 8 && (key_ascii < '0' || key_ascii > '9')) key_ascii = 0;
  }
  void txtZip_Validate(bool& cancel) {
    events.push_back("txtZip_Validate");
    cancel = txtZip.Text().size() != 5;
  }
  void txtZip_LostFocus() { events.push_back("txtZip_LostFocus"); }
  void txtName_GotFocus() { events.push_back("txtName_GotFocus"); }
  void txtName_KeyPress(int& key_ascii) {
    if (key_ascii >= 'a' && key_ascii <= 'z') key_ascii -= 'a' - 'A';
  }
  void btnPrint_Click() {
    events.push_back("btnPrint_Click");
    print::Printer& printer = print::CurrentPrinter();
    printer.SetFontName("Courier New");
    printer.SetFontSize(10);
    printer.SetFontBold(chkBold.Value() == 1);
    printer.Print("Quote for " + txtName.Text());
    printer.SetFontBold(false);
    printer.Print("Zip         " + txtZip.Text());
    printer.Print("Class       " + cboClass.Text());
    printer.EndDoc();
    forms::MsgBox("Information Printed");
    lblStatus.SetCaption("Printed");
  }
  void btnCancel_Click() { events.push_back("btnCancel_Click"); }
};

}  // namespace qtbind::testing

#endif  // FRELANE_PLATFORM_QT_TESTS_DEMO_FORM_H_
