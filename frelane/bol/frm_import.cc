#include "frelane/bol/frm_import.h"

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "platform/runtime/error.h"

namespace frelane {

frmImport::frmImport()
    : Form("frmImport", {.caption = "BOL Import", .width = 5400, .height = 4500,
                         .key_preview = true, .center = true}) {
  Bind(btnOK.on.Click, &frmImport::btnOK_Click);
  Bind(btnCancel.on.Click, &frmImport::btnCancel_Click);
  Bind(Drive1.on.Change, &frmImport::Drive1_Change);
  Bind(Dir1.on.Change, &frmImport::Dir1_Change);
}

std::string frmImport::GetDirectory(const std::string& caption) {
  SetCaption(caption);
  result_.clear();
  ShowModal();
  std::string chosen = result_;
  if (IsLoaded()) Unload();
  return chosen;
}

void frmImport::Form_Load() {
  modMain::SetFormIcon(*this);
  result_.clear();
  try {
    Dir1.SetPath(modMain::DataDirectory());
  } catch (const runtime::RuntimeError&) {
    // The data directory went away: the list starts where the process stands.
  }
  Dir1_Change();
}

void frmImport::Form_KeyPress(int& key) {
  if (key == modMain::kKeyEnter && ActiveControl() == &Dir1 && Dir1.ListIndex() >= 0) {
    key = 0;
    OpenChosenFolder();
    return;
  }
  modMain::EnterAsTab(key);
}

void frmImport::btnOK_Click() {
  result_ = Dir1.Path();
  Unload();
}

void frmImport::btnCancel_Click() {
  result_.clear();
  Unload();
}

void frmImport::Drive1_Change() {
  try {
    Dir1.SetPath(Drive1.Drive());
  } catch (const runtime::RuntimeError& e) {
    if (e.Number() == runtime::kErrDeviceUnavailable) forms::MsgBox("Drive Not Ready");
  }
}

void frmImport::Dir1_Change() {
  lblPath.SetCaption(Dir1.Path());
}

void frmImport::OpenChosenFolder() {
  try {
    Dir1.OpenListIndex();
  } catch (const runtime::RuntimeError&) {
    // A folder removed meanwhile: the list stays where it is.
  }
}

}  // namespace frelane
