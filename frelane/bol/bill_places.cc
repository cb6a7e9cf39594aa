#include "frelane/bol/bill_places.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "frelane/bol/bill_files.h"
#include "frelane/bol/bol_records.h"
#include "frelane/core/main_module.h"
#include "platform/os/file_lookup.h"
#include "platform/os/regular_file.h"

namespace frelane::bol {
namespace {

namespace fs = std::filesystem;

bool IsLink(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// The path of the name in folder when no link stands there.
std::optional<std::string> OwnFileIn(const std::string& folder, std::string_view name,
                                     std::string* error) {
  std::string path = os::FindFileNoCase(folder, name).value_or(os::JoinPath(folder, name));
  if (!IsLink(path)) return path;
  if (error) *error = os::LinkRefusal(path);
  return std::nullopt;
}

}  // namespace

std::string BillFolderPath() {
  const std::string& data = modMain::DataDirectory();
  std::string exact = os::JoinPath(data, kBillFolder);
  std::error_code ec;
  if (fs::is_directory(exact, ec)) return exact;
  for (const auto& entry : fs::directory_iterator(data.empty() ? "." : data, ec)) {
    if (entry.is_directory(ec) && SameNameNoCase(entry.path().filename().string(), kBillFolder)) {
      return entry.path().string();
    }
  }
  return exact;
}

std::optional<std::string> OwnBillFolder(std::string* error) {
  std::string folder = BillFolderPath();
  if (!IsLink(folder)) return folder;
  if (error) {
    *error = folder + " is a link to another place; bills are saved only in the data directory";
  }
  return std::nullopt;
}

std::optional<std::string> OwnBillPath(std::string_view file_name, std::string* error) {
  std::optional<std::string> folder = OwnBillFolder(error);
  if (!folder) return std::nullopt;
  return OwnFileIn(*folder, file_name, error);
}

std::optional<std::string> OwnDefaultsPath(std::string* error) {
  return OwnFileIn(modMain::DataDirectory(), kDefaultsFile, error);
}

}  // namespace frelane::bol
