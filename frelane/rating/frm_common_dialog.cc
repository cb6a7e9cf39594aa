#include "frelane/rating/frm_common_dialog.h"

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/rating/unexpected_error.h"
#include "platform/forms/application.h"
#include "platform/runtime/error.h"

namespace frelane {

namespace {

constexpr char kAllFiles[] = "*.*";

void ShowUnexpected(const runtime::RuntimeError& error) {
  ShowUnexpectedError(error.Number(), error.Description());
}

}  // namespace

frmCommonDialog::frmCommonDialog()
    : Form("frmCommonDialog", {.caption = "Open",
                               .width = 7320,
                               .height = 3900,
                               .key_preview = false,
                               .center = true}) {
  Bind(cboFileTypes.on.Click, &frmCommonDialog::cboFileTypes_Click);
  Bind(drvDrives.on.Change, &frmCommonDialog::drvDrives_Change);
  Bind(dirFolders.on.Change, &frmCommonDialog::dirFolders_Change);
  Bind(flbFiles.on.Click, &frmCommonDialog::flbFiles_Click);
  Bind(flbFiles.on.DblClick, &frmCommonDialog::flbFiles_DblClick);
  Bind(flbFiles.on.KeyPress, &frmCommonDialog::flbFiles_KeyPress);
  Bind(txtFileName.on.KeyPress, &frmCommonDialog::txtFileName_KeyPress);
  Bind(cmdOK.on.Click, &frmCommonDialog::cmdOK_Click);
  Bind(cmdCancel.on.Click, &frmCommonDialog::cmdCancel_Click);
}

void frmCommonDialog::Form_Load() {
  load_failed_ = false;
  try {
    modMain::SetFormIcon(*this);
    cancelled_ = false;
    if (!modMain::Trim(dialog_title_).empty()) SetCaption(dialog_title_);
    txtFileName.SetText(modMain::Trim(file_name_).empty() ? "" : file_name_);

    cboFileTypes.Clear();
    if (!modMain::Trim(filter_).empty()) {
      std::string rest = filter_;
      for (std::size_t bar; (bar = rest.find('|')) != std::string::npos;) {
        cboFileTypes.AddItem(rest.substr(0, bar));
        rest.erase(0, bar + 1);
      }
      cboFileTypes.AddItem(rest);
    }
    cboFileTypes.AddItem(kAllFiles);

    std::string start = init_directory_;
    if (modMain::Trim(start).empty()) start = modMain::DataDirectory();
    drvDrives.SetDrive(start.substr(0, 2));
    dirFolders.SetPath(start);
    // The file list and the path label follow the folder even when it did not change.
    dirFolders_Change();
    cboFileTypes.SetListIndex(0);
  } catch (const runtime::RuntimeError& error) {
    ShowUnexpected(error);
    chosen_path_.clear();
    load_failed_ = true;
  }
}

void frmCommonDialog::Form_Unload(bool&) {
  cancel_error_ = false;
  filter_.clear();
  file_name_.clear();
  init_directory_.clear();
  dialog_title_.clear();
}

std::string frmCommonDialog::ShowOpen() {
  chosen_path_.clear();
  Load();
  if (!load_failed_) ShowModal();
  if (!IsLoaded()) return "";
  std::string path = chosen_path_;
  try {
    // A name without a folder of its own is in the folder shown.
    if (!modMain::Trim(path).empty() && path.front() != '/') {
      std::string folder = dirFolders.Path();
      path = folder + (folder.ends_with('/') ? "" : "/") + path;
    }
  } catch (const runtime::RuntimeError& error) {
    ShowUnexpected(error);
    path.clear();
  }
  if (cancel_error_ && cancelled_) runtime::Raise(runtime::kErrCancel);
  Unload();
  return path;
}

void frmCommonDialog::cboFileTypes_Click() {
  try {
    flbFiles.SetPattern(cboFileTypes.Text());
  } catch (const runtime::RuntimeError&) {
  }
}

void frmCommonDialog::drvDrives_Change() {
  try {
    dirFolders.SetPath(drvDrives.Drive());
  } catch (const runtime::RuntimeError& error) {
    if (error.Number() == runtime::kErrDeviceUnavailable) {
      forms::MsgBox("Drive unavailable", forms::msgbox::kOKOnly);
      try {
        drvDrives.SetDrive(dirFolders.Path().substr(0, 2));
      } catch (const runtime::RuntimeError& again) {
        ShowUnexpected(again);
      }
    } else {
      ShowUnexpected(error);
    }
  }
}

void frmCommonDialog::dirFolders_Change() {
  try {
    flbFiles.SetPath(dirFolders.Path());
    lblPath.SetCaption(dirFolders.Path());
  } catch (const runtime::RuntimeError&) {
  }
}

void frmCommonDialog::flbFiles_Click() { txtFileName.SetText(flbFiles.FileName()); }

void frmCommonDialog::flbFiles_DblClick() {
  flbFiles_Click();
  cmdOK_Click();
}

void frmCommonDialog::flbFiles_KeyPress(int& key_ascii) {
  if (key_ascii == modMain::kKeyEnter && flbFiles.ListIndex() >= 0) flbFiles_DblClick();
}

void frmCommonDialog::txtFileName_KeyPress(int& key_ascii) {
  if (key_ascii != modMain::kKeyEnter) return;
  key_ascii = 0;
  try {
    dirFolders.SetPath(txtFileName.Text());
  } catch (const runtime::RuntimeError&) {
    // Not a folder: the text stays a file name.
  }
  txtFileName.SetSelStart(0);
  txtFileName.SetSelLength(static_cast<int>(txtFileName.Text().size()));
}

void frmCommonDialog::cmdOK_Click() {
  if (modMain::Trim(txtFileName.Text()).empty()) return;
  chosen_path_ = txtFileName.Text();
  Hide();
}

void frmCommonDialog::cmdCancel_Click() {
  cancelled_ = true;
  chosen_path_.clear();
  Hide();
}

}  // namespace frelane
