#include "frelane/rating/lookup_files.h"

#include <unistd.h>

#include <filesystem>
#include <set>
#include <system_error>

#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/os/regular_file.h"
#include "platform/runtime/line_input.h"

namespace frelane::lookup {

namespace {

std::set<std::string>& Reported() {
  static std::set<std::string> reported;
  return reported;
}

FileState StateOf(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return FileState::kMissing;
  if (!std::filesystem::is_regular_file(path, error)) return FileState::kUnreadable;
  const int fd = os::OpenRegularFile(path);
  if (fd < 0) return FileState::kUnreadable;
  ::close(fd);
  return FileState::kReadable;
}

}  // namespace

FileState DataFileState(const std::string& name) { return StateOf(modMain::DataFilePath(name)); }

bool ReadDataLines(const std::string& name, std::vector<std::string>* lines) {
  lines->clear();
  const std::string path = modMain::DataFilePath(name);
  FileState state = StateOf(path);
  if (state == FileState::kMissing) return false;
  runtime::LineReader reader;
  if (state == FileState::kUnreadable || !reader.Open(path)) {
    ReportUnreadableFile(name);
    return false;
  }
  for (std::string line; reader.ReadLine(line);) lines->push_back(line);
  return true;
}

std::string_view Columns(std::string_view line, std::size_t first, std::size_t count) {
  if (first < 1 || first > line.size()) return {};
  return line.substr(first - 1, count);
}

bool InRange(std::string_view low, std::string_view key, std::string_view high) {
  return low <= key && key <= high;
}

void ReportUnreadableFile(const std::string& name) { ReportOnce("Unable to read " + name); }

void ReportOnce(const std::string& message) {
  if (!Reported().insert(message).second) return;
  if (forms::Application* app = forms::Application::CurrentOrNull()) app->MsgBox(message);
}

void ForgetReports() { Reported().clear(); }

}  // namespace frelane::lookup
