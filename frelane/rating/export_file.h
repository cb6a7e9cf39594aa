// The export file's own file operations: opening for append, appending whole lines and the
// error each failure is reported as, with the run-time numbers and descriptions the export's
// messages name.
#ifndef FRELANE_RATING_EXPORT_FILE_H_
#define FRELANE_RATING_EXPORT_FILE_H_

#include <string>
#include <string_view>

namespace frelane {

inline constexpr int kErrPermissionDenied = 70;  // the file is held by another program

struct FileFailure {
  int number = 0;  // 0: no failure
  std::string description;
  explicit operator bool() const { return number != 0; }
};

// The path as the export opens it: trailing blanks removed, "\\" taken as "/".
std::string ExportOpenPath(std::string_view path_file);

// Opens the file for appending (creating it when missing), checks that no other program
// holds a lock on it, and appends `text` (which may be empty). The file is closed again.
FileFailure AppendToFile(const std::string& path, std::string_view text);

// Deletes the regular file at path; anything else there, or nothing, is left alone.
FileFailure RemoveRegularFile(const std::string& path);

}  // namespace frelane

#endif  // FRELANE_RATING_EXPORT_FILE_H_
