#include "tolv32dll/determination/td_data_set.h"

#include <algorithm>

#include "KMLIB/record_file.h"
#include "platform/os/file_lookup.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {

std::string TdFilePath(std::string_view dir, std::string_view name) {
  std::optional<std::string> found = os::FindFileNoCase(dir, name);
  if (found) return std::move(*found);
  return os::JoinPath(dir, name);
}

ErrorNumber TdDataSet::Load(std::string_view dir) {
  // The TD look-ups name the files they open in the binary log.
  kmlib::SetOpenedFileHook([](const std::string& path) { LogBinaryOpenedFile(path); });
  switch (kmlib::ReadTds(TdFilePath(dir, kTdsFile), &select_)) {
    case kmlib::TdStatus::kOk:
      break;
    case kmlib::TdStatus::kCannotOpen:
      return kErrOpntds;
    default:
      return kErrRedtds;
  }
  if (kmlib::ReadTda(TdFilePath(dir, kTdaFile), &areas_) != kmlib::TdStatus::kOk) {
    return kErrOpntda;
  }
  return kOk;
}

std::optional<StateCode> TdDataSet::StateOf(int area) const {
  auto it = std::lower_bound(areas_.begin(), areas_.end(), area,
                             [](const kmlib::TdAreaEntry& e, int a) { return e.area < a; });
  if (it == areas_.end() || it->area != area) return std::nullopt;
  return it->state;
}

}  // namespace tolv
