// frmCommonDialog ("Open"): the program's own file chooser, built from drive, folder and file
// lists, a pattern list and a file-name box. Callers set its properties, then ShowOpen
// shows it modal and gives the chosen path. The properties are cleared when it unloads.
#ifndef FRELANE_RATING_FRM_COMMON_DIALOG_H_
#define FRELANE_RATING_FRM_COMMON_DIALOG_H_

#include <string>

#include "platform/forms/form.h"

namespace frelane {

class frmCommonDialog : public forms::Form {
 public:
  frmCommonDialog();

  // Write-only properties, set before ShowOpen.
  // A cancelled dialog raises run-time error 32755 to the caller of ShowOpen.
  void SetCancelError(bool v) { cancel_error_ = v; }
  // Patterns separated by "|", each like "*.csv;*.prn;*.txt"; "*.*" is always added.
  void SetFilter(std::string v) { filter_ = std::move(v); }
  // The window's caption; "Open" when blank.
  void SetDialogTitle(std::string v) { dialog_title_ = std::move(v); }
  // The starting folder; the data directory when blank.
  void SetInitDirectory(std::string v) { init_directory_ = std::move(v); }
  void SetFileName(std::string v) { file_name_ = std::move(v); }

  // Shows the dialog modal; the chosen path, empty when cancelled or nothing was chosen.
  // A name typed without a folder is taken in the folder shown.
  std::string ShowOpen();

  forms::Label& lblFileName =
      Add<forms::Label>("lblFileName", {120, 120, 2760, 225}, {.caption = "File &Name:"});
  forms::TextBox& txtFileName =
      Add<forms::TextBox>("txtFileName", {120, 360, 2760, 285}, {.tab_index = 0});
  forms::FileListBox& flbFiles =
      Add<forms::FileListBox>("flbFiles", {120, 720, 2760, 1845},
                              {.tab_index = 1, .tool_tip = "Files"});
  forms::Label& lblFolders =
      Add<forms::Label>("lblFolders", {3060, 120, 2760, 225}, {.caption = "&Folders:"});
  forms::Label& lblPath = Add<forms::Label>("lblPath", {3060, 390, 2760, 225}, {});
  forms::DirListBox& dirFolders =
      Add<forms::DirListBox>("dirFolders", {3060, 720, 2760, 1845},
                             {.tab_index = 2, .tool_tip = "Folders"});
  forms::Label& lblFileTypes = Add<forms::Label>("lblFileTypes", {120, 2700, 2760, 225},
                                                 {.caption = "List files of &type:"});
  forms::ComboBox& cboFileTypes = Add<forms::ComboBox>(
      "cboFileTypes", {120, 2940, 2760, 315}, {.tab_index = 3, .style = 2});
  forms::Label& lblDrives =
      Add<forms::Label>("lblDrives", {3060, 2700, 2760, 225}, {.caption = "Dri&ves:"});
  forms::DriveListBox& drvDrives =
      Add<forms::DriveListBox>("drvDrives", {3060, 2940, 2760, 315},
                               {.tab_index = 4, .tool_tip = "Drives"});
  forms::CommandButton& cmdOK = Add<forms::CommandButton>(
      "cmdOK", {6000, 360, 1095, 375}, {.caption = "OK", .tab_index = 5});
  forms::CommandButton& cmdCancel =
      Add<forms::CommandButton>("cmdCancel", {6000, 840, 1095, 375},
                                {.caption = "Cancel", .tab_index = 6, .is_cancel = true});

 private:
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  void cboFileTypes_Click();
  void drvDrives_Change();
  void dirFolders_Change();
  void flbFiles_Click();
  void flbFiles_DblClick();
  void flbFiles_KeyPress(int& key_ascii);
  void txtFileName_KeyPress(int& key_ascii);
  void cmdOK_Click();
  void cmdCancel_Click();

  bool cancel_error_ = false;
  std::string filter_;
  std::string dialog_title_;
  std::string init_directory_;
  std::string file_name_;

  bool cancelled_ = false;
  bool load_failed_ = false;
  std::string chosen_path_;
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_COMMON_DIALOG_H_
