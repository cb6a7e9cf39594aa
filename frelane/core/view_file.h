// modViewFile: opens a document of the data directory (the carrier's rules) in the program
// the desktop associates with its type, and offers the choice of a program when none is.
// Paths go to the desktop service as they are: never through a shell.
#ifndef FRELANE_CORE_VIEW_FILE_H_
#define FRELANE_CORE_VIEW_FILE_H_

#include <string>

namespace frelane::modViewFile {

// Opens directory & file_name; `title` captions the message that reports a missing file.
void ViewFile(const std::string& directory, const std::string& file_name,
              const std::string& title);

// Opens (or, with print, prints) the document; returns the desktop's result code
// (forms::kShellNoAssociation when no program is associated with its type).
int ShellOpenFile(const std::string& path, bool print, int show_command);

// Opens the document; when no program is associated with its type, offers the choice of
// one, or says that none is set when the desktop has no chooser to offer.
void OpenWithDialog(const std::string& path);

}  // namespace frelane::modViewFile

#endif  // FRELANE_CORE_VIEW_FILE_H_
