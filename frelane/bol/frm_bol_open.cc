#include "frelane/bol/frm_bol_open.h"

#include <filesystem>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "platform/runtime/error.h"

namespace frelane {

frmBOLOpen::frmBOLOpen()
    : Form("frmBOLOpen", {.caption = "Open BOL", .width = 4200, .height = 4300, .center = true}) {
  Bind(btnOK.on.Click, &frmBOLOpen::btnOK_Click);
  Bind(btnCancel.on.Click, &frmBOLOpen::btnCancel_Click);
  Bind(File1.on.DblClick, &frmBOLOpen::File1_DblClick);
  Bind(File1.on.KeyPress, &frmBOLOpen::File1_KeyPress);
}

std::string frmBOLOpen::LoadMe() {
  chosen_.clear();
  std::string error;
  std::optional<std::string> folder = bol::OwnBillFolder(&error);
  if (!folder) {
    modBOL::ShowFileError(error);
    return "";
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(*folder, ec)) {
    modBOL::ShowFileError("The folder " + *folder + " cannot be read.");
    return "";
  }
  ShowModal();
  std::string chosen = chosen_;
  if (IsLoaded()) Unload();
  return chosen;
}

void frmBOLOpen::Form_Load() {
  modMain::SetFormIcon(*this);
  chosen_.clear();
  try {
    File1.SetPattern("*.BOL");
    File1.SetPath(bol::BillFolderPath());
    // Left out what a read would refuse: only bills of the folder itself are opened.
    for (int i = File1.ListCount() - 1; i >= 0; --i) {
      if (!bol::IsOwnBillFile(File1.List(i))) File1.RemoveItem(i);
    }
  } catch (const runtime::RuntimeError&) {
    // A folder gone since the check: the list stays empty and OK returns "".
  }
}

void frmBOLOpen::btnOK_Click() {
  chosen_ = File1.FileName();
  Unload();
}

void frmBOLOpen::btnCancel_Click() {
  chosen_.clear();
  Unload();
}

void frmBOLOpen::File1_DblClick() { btnOK_Click(); }

void frmBOLOpen::File1_KeyPress(int& key) {
  if (key != modMain::kKeyEnter) return;
  key = 0;
  btnOK_Click();
}

}  // namespace frelane
