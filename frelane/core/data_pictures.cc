#include "frelane/core/data_pictures.h"

#include "frelane/core/main_module.h"
#include "platform/os/file_lookup.h"

namespace frelane {

std::optional<std::string> FindDataPicture(const std::string& name) {
  for (const char* extension : {".bmp", ".gif", ".jpg"}) {
    if (auto path = os::FindFileNoCase(modMain::DataDirectory(), name + extension)) return path;
  }
  return std::nullopt;
}

}  // namespace frelane
