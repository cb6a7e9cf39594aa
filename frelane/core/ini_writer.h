// modIniFile: writes keys of the program's ini files (the export settings in Defaults.ini).
// The program never reads these files back; other programs may.
#ifndef FRELANE_CORE_INI_WRITER_H_
#define FRELANE_CORE_INI_WRITER_H_

#include <string>
#include <string_view>

namespace frelane::modIniFile {

// Sets key in section of the ini file to value, creating the file, the section or the key
// when missing and keeping every other line. Text is UTF-8 and stored single-byte. True when
// the file was written; false (the file as it was) otherwise.
bool WriteIniString(std::string_view section, std::string_view key, std::string_view value,
                    const std::string& file_name);

}  // namespace frelane::modIniFile

#endif  // FRELANE_CORE_INI_WRITER_H_
