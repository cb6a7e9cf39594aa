#include "frelane/bol/frm_print.h"

#include <cmath>
#include <string>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "platform/print/printers.h"

namespace frelane {
namespace {

constexpr int kMostCopies = 999;

// The count a copies text stands for, held to a whole number of 1 to 999.
int CopiesOf(const std::string& text) {
  double n = std::floor(modMain::SafeValue(text));
  if (!(n >= 1)) return 1;
  return n > kMostCopies ? kMostCopies : static_cast<int>(n);
}

}  // namespace

frmPrint::frmPrint()
    : Form("frmPrint", {.caption = "Print", .width = 5040, .height = 3540, .key_preview = true,
                        .center = true}) {
  Bind(cboPrinters.on.Click, &frmPrint::cboPrinters_Click);
  Bind(btnOK.on.Click, &frmPrint::btnOK_Click);
  Bind(btnCancel.on.Click, &frmPrint::btnCancel_Click);
  Bind(txtNumberOfCopies.on.Change, &frmPrint::txtNumberOfCopies_Change);
  Bind(VScroll1.on.Change, &frmPrint::VScroll1_Change);
  txtNumberOfCopies.on.KeyPress = [this](int& key) {
    modMain::SetNumericKey(txtNumberOfCopies, key, 3, 0);
  };
  txtNumberOfCopies.on.GotFocus = [this] { modMain::SelectAllText(txtNumberOfCopies); };
}

bool frmPrint::SelectPrinter(std::int32_t& copies) {
  printer_chosen_ = false;
  ShowModal();
  if (!printer_chosen_) return false;
  copies = CopiesOf(txtNumberOfCopies.Text());
  return true;
}

void frmPrint::Form_Load() {
  const std::vector<print::PrinterInfo> printers = print::Printers();
  const std::string current = print::CurrentPrinter().DeviceName();
  int chosen = 0;
  for (std::size_t i = 0; i < printers.size(); ++i) {
    cboPrinters.AddItem(printers[i].device_name);
    cboPrinters.SetItemData(cboPrinters.NewIndex(), static_cast<int>(i));
    if (printers[i].device_name == current) chosen = cboPrinters.NewIndex();
  }
  if (printers.empty()) {
    lblNoPrinter.SetVisible(true);
    btnOK.SetEnabled(false);
    return;
  }
  cboPrinters.SetListIndex(chosen);
}

void frmPrint::Form_KeyPress(int& key) { modMain::EnterAsTab(key); }

void frmPrint::Form_QueryUnload(bool& cancel, int unload_mode) {
  // The close box cancels like Cancel; the dialog stays loaded with its choice.
  if (unload_mode != forms::kUnloadFormControlMenu) return;
  cancel = true;
  Hide();
}

void frmPrint::cboPrinters_Click() {
  // The entry's own printer, also when another one has the same name.
  const int index = cboPrinters.ListIndex();
  const std::vector<print::PrinterInfo> printers = print::Printers();
  if (index < 0) return;
  const int position = cboPrinters.ItemData(index);
  if (position < 0 || position >= static_cast<int>(printers.size())) return;
  lblDriver.SetCaption(printers[static_cast<std::size_t>(position)].driver_name);
  lblPort.SetCaption(printers[static_cast<std::size_t>(position)].port);
}

void frmPrint::btnOK_Click() {
  const int index = cboPrinters.ListIndex();
  if (index < 0) return;
  // The list is built once; a printer removed since then can no longer be chosen.
  if (!print::SelectPrinter(cboPrinters.ItemData(index))) {
    forms::MsgBox("The printer \"" + cboPrinters.List(index) +
                      "\" could not be chosen. Please choose another printer.",
                  forms::msgbox::kOKOnly | forms::msgbox::kExclamation);
    return;
  }
  printer_chosen_ = true;
  Hide();
}

void frmPrint::btnCancel_Click() { Hide(); }

void frmPrint::txtNumberOfCopies_Change() {
  const std::string held = std::to_string(CopiesOf(txtNumberOfCopies.Text()));
  // Setting the held count runs this handler again, which then finds it in range.
  if (txtNumberOfCopies.Text() != held) {
    txtNumberOfCopies.SetText(held);
    return;
  }
  VScroll1.SetValue(kMostCopies + 1 - CopiesOf(held));
}

void frmPrint::VScroll1_Change() {
  txtNumberOfCopies.SetText(std::to_string(kMostCopies + 1 - VScroll1.Value()));
}

}  // namespace frelane
