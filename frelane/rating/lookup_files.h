// What the lane look-ups share about the delivered data files they read: finding a file in
// the data directory without regard to case, reading a text file's lines, cutting a line
// into its 1-based columns, the inclusive range test on plain strings, and the one message
// that names a file which is there but cannot be read.
#ifndef FRELANE_RATING_LOOKUP_FILES_H_
#define FRELANE_RATING_LOOKUP_FILES_H_

#include <string>
#include <string_view>
#include <vector>

namespace frelane::lookup {

enum class FileState { kMissing, kReadable, kUnreadable };

// Whether the named data file is there, and a regular file that can be opened.
FileState DataFileState(const std::string& name);

// The lines of a delivered text file (CR LF, LF or CR ends a line). False when the file is
// missing or cannot be read; an unreadable file is reported once (ReportUnreadableFile).
bool ReadDataLines(const std::string& name, std::vector<std::string>* lines);

// Characters first..first + count - 1 (1-based) of the line; shorter or empty when the line
// ends before them. count npos: to the end.
std::string_view Columns(std::string_view line, std::size_t first,
                         std::size_t count = std::string_view::npos);

// low <= key <= high by character code, both ends included.
bool InRange(std::string_view low, std::string_view key, std::string_view high);

// Shows "Unable to read <name>" the first time a file of that name fails in this run.
void ReportUnreadableFile(const std::string& name);
// Shows `message` once per run (the same text is not shown again).
void ReportOnce(const std::string& message);
// Forgets what was reported (for tests).
void ForgetReports();

}  // namespace frelane::lookup

#endif  // FRELANE_RATING_LOOKUP_FILES_H_
