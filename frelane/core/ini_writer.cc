#include "frelane/core/ini_writer.h"

#include "platform/os/cp1252.h"
#include "platform/os/profile.h"

namespace frelane::modIniFile {

bool WriteIniString(std::string_view section, std::string_view key, std::string_view value,
                    const std::string& file_name) {
  return os::WriteProfileString(os::Utf8ToCp1252(section), os::Utf8ToCp1252(key),
                                os::Utf8ToCp1252(value), file_name);
}

}  // namespace frelane::modIniFile
