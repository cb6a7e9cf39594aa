// Drive, folder and file lists. On this system there is one drive, "/", shown as "c:";
// folders and files are read from the real file system when Path or Pattern is assigned.
#ifndef FRELANE_PLATFORM_FORMS_FILE_CONTROLS_H_
#define FRELANE_PLATFORM_FORMS_FILE_CONTROLS_H_

#include <string>

#include "platform/forms/list_controls.h"

namespace forms {

class DriveListBox : public ListControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kDriveListBox;
  DriveListBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  std::string Drive();
  // A drive that is not in the list is run-time error 68 ("Device unavailable").
  // A different drive fires Change.
  void SetDrive(const std::string& drive);

 protected:
  void ResetToDesign() override;
  void OnListIndexChanged() override;

 private:
  std::string drive_;
};

// The entry of a folder list that leads to the folder above the one shown.
inline constexpr char kParentFolderEntry[] = "..";

class DirListBox : public ListControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kDirListBox;
  DirListBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  // An absolute folder path without a trailing "/" (except "/").
  std::string Path();
  // A folder that does not exist is run-time error 76 ("Path not found"). A different path
  // fires Change. The list holds the way up (kParentFolderEntry, but at "/") and then the
  // sub-folders' full paths, sorted.
  void SetPath(const std::string& path);
  // Goes into the folder of the current row, its way up to the folder above; false when no
  // row is current or its folder is gone (the list then stays).
  bool OpenListIndex();

 protected:
  void ResetToDesign() override;

 private:
  void Reload();
  std::string path_;
};

class FileListBox : public ListControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kFileListBox;
  FileListBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  std::string Path();
  void SetPath(const std::string& path);
  // One or more patterns separated by ";" ("*.bol;*.txt"), matched without regard to case.
  std::string Pattern();
  void SetPattern(const std::string& pattern);
  // The selected file's name, "" when none. Assigning a name selects it when listed.
  std::string FileName();
  void SetFileName(const std::string& name);
  // Reads the folder again.
  void RefreshList();

 protected:
  void ResetToDesign() override;

 private:
  std::string path_;
  std::string pattern_;
};

// True when `name` matches one of the ";"-separated wildcard patterns ("*", "?"), ignoring
// case.
bool MatchesPattern(const std::string& name, const std::string& patterns);

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_FILE_CONTROLS_H_
