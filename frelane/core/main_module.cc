#include "frelane/core/main_module.h"

#include "frelane/core/field_helpers.h"
#include "frelane/core/settings_file.h"
#include "platform/os/file_lookup.h"

namespace frelane::modMain {

State& Get() {
  static State state;
  return state;
}

void Reset() { Get() = State(); }

std::string DataFilePath(const std::string& name) {
  if (std::optional<std::string> found = os::FindFileNoCase(DataDirectory(), name)) {
    return *found;
  }
  return os::JoinPath(DataDirectory(), name);
}

bool LoadSettings(std::string* error) {
  // Read beside the live record: a failed re-read mid-session must not blank the settings
  // that a later save would then write over the user's file.
  SettingsRecord fresh;
  if (!ReadSettingsFile(DataFilePath(kSettingsFileName), &fresh, error)) return false;
  Get().settings = fresh;
  return true;
}

bool SaveSettings(std::string* error) {
  return WriteSettingsFile(DataFilePath(kSettingsFileName), Get().settings, error);
}

std::string CaptionWithEffectiveDate() {
  const SettingsRecord& s = Settings();
  return Trim(s.Text(settings::kCompanyName)) + " - Effective: " +
         Trim(s.Text(settings::kEffectiveDateText));
}

void LoadClassTable() { Get().class_table = MakeClassTable(); }

void LoadFAK() { ReadFakFile(DataFilePath(kFakFileName), Get().class_table, &Get().fak); }

bool SaveFAK(std::string* error) {
  return WriteFakFile(DataFilePath(kFakFileName), Get().class_table, &Get().fak, error);
}

std::optional<std::int16_t> LookupFAKClass(std::int16_t freight_class) {
  return frelane::LookupFAKClass(Get().class_table, Get().fak.map, freight_class);
}

bool IsValidClass(double value) { return frelane::IsValidClass(Get().class_table, value); }

}  // namespace frelane::modMain
