#include "frelane/core/main_module.h"

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
  return ReadSettingsFile(DataFilePath(kSettingsFileName), &Get().settings, error);
}

bool SaveSettings(std::string* error) {
  return WriteSettingsFile(DataFilePath(kSettingsFileName), Get().settings, error);
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
