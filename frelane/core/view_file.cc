#include "frelane/core/view_file.h"

#include "frelane/core/field_helpers.h"
#include "platform/forms/application.h"
#include "platform/os/file_lookup.h"

namespace frelane::modViewFile {

void ViewFile(const std::string& directory, const std::string& file_name,
              const std::string& title) {
  const std::string path = directory + file_name;
  std::optional<std::string> found = os::FindFileNoCase(directory, file_name);
  if (!found) {
    forms::MsgBox("Unable to locate file:\r\n" + path + "\r\n\r\nPlease verify the file exists.",
                  forms::msgbox::kInformation, title);
    return;
  }
  if (ShellOpenFile(*found, false, 1) != forms::kShellNoAssociation) return;
  forms::MsgBox("The following file has an unknown File Extension:\r\n" + path +
                    "\r\n\r\nUnable to find an associated program to view it.",
                forms::msgbox::kInformation, forms::App().Title());
  OpenWithDialog(modMain::Trim(*found));
}

// The show command has no counterpart on the desktops the program runs on: documents open
// in a normal window.
int ShellOpenFile(const std::string& path, bool print, int /*show_command*/) {
  return forms::App().GetDesktop().OpenDocument(
      path, print ? forms::ShellVerb::kPrint : forms::ShellVerb::kOpen);
}

void OpenWithDialog(const std::string& path) {
  forms::Desktop& desktop = forms::App().GetDesktop();
  if (desktop.OpenDocument(path, forms::ShellVerb::kOpen) != forms::kShellNoAssociation) return;
  // Where the desktop offers no chooser either, the user is told instead of left waiting.
  if (!desktop.OpenWith(path)) {
    forms::MsgBox("No program is set to open this type of file:\r\n" + path,
                  forms::msgbox::kInformation, forms::App().Title());
  }
}

}  // namespace frelane::modViewFile
