// Reading and writing variable.dat, the file of the one SettingsRecord.
#ifndef FRELANE_CORE_SETTINGS_FILE_H_
#define FRELANE_CORE_SETTINGS_FILE_H_

#include <cstdint>
#include <string>

#include "frelane/core/settings_record.h"

namespace frelane {

inline constexpr char kSettingsFileName[] = "variable.dat";

// Fills `record` from the bytes of a settings file of `file_length` bytes whose first
// bytes are `head` (at most one record's worth): the record is cleared, each field that
// lies whole within the file is taken, and the fields older versions did not write get
// their defaults. A longer file is read as its first record.
void DecodeSettings(const std::uint8_t* head, std::uint64_t file_length, SettingsRecord* record);

// Gives the fields that a file of `file_length` bytes lacks the values older versions
// of the program implied. Each length test stands on its own.
void ApplyOlderVersionDefaults(std::uint64_t file_length, SettingsRecord* record);

// Reads the settings file at `path` into `record`. Returns false, with a message for the
// user in *error, when the file is missing, unreadable or empty; `record` is then cleared.
[[nodiscard]] bool ReadSettingsFile(const std::string& path, SettingsRecord* record,
                                    std::string* error);

// Writes the whole record (always 1206 bytes) to `path`, creating the file when missing.
// The old file is replaced only once the new one is complete on disk. Returns false, with
// a message in *error, when the file could not be written; the old file is then intact.
[[nodiscard]] bool WriteSettingsFile(const std::string& path, const SettingsRecord& record,
                                     std::string* error);

}  // namespace frelane

#endif  // FRELANE_CORE_SETTINGS_FILE_H_
