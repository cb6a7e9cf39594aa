// modMain: the program-wide state of the desktop program's main module, set at start-up
// and read by every form, with the procedures that load and save its settings and tables.
// One thread uses it (the program's only one).
#ifndef FRELANE_CORE_MAIN_MODULE_H_
#define FRELANE_CORE_MAIN_MODULE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "frelane/core/class_tables.h"
#include "frelane/core/settings_record.h"

namespace frelane::modMain {

struct State {
  // The installation directory, ending in "/": every data file is this followed by its name.
  std::string data_directory;
  std::string help_file;
  // The locale's decimal character, "." or ",", and its code (46 or 44).
  char decimal_character = '.';
  int decimal_character_code = 46;
  SettingsRecord settings;
  ClassTable class_table = MakeClassTable();
  // Every class maps to itself until fak.dat is read.
  FakState fak{IdentityFakMap(MakeClassTable()), false};
};

// The program's one instance.
State& Get();
// Back to a freshly started program's state (for tests).
void Reset();

inline const std::string& DataDirectory() { return Get().data_directory; }
inline char DecimalCharacter() { return Get().decimal_character; }
inline SettingsRecord& Settings() { return Get().settings; }
inline const ClassTable& Classes() { return Get().class_table; }
inline const FakClassMap& FakMap() { return Get().fak.map; }
// The FAK-active flag as the program shows it: "Y" or "N".
inline char FakActiveFlag() { return Get().fak.active ? 'Y' : 'N'; }

// The full name of a data file: the actual file when one matches `name` without regard to
// case, else the data directory followed by `name` as given (where a new file is created).
std::string DataFilePath(const std::string& name);

// Reads variable.dat into the settings, dropping every change made in memory. Returns
// false, with a message in *error, when the file cannot be used; the settings in memory
// are then kept as they were.
[[nodiscard]] bool LoadSettings(std::string* error);
// Writes the settings whole to variable.dat. Returns false, with a message, on failure;
// the file on disk is then as it was.
[[nodiscard]] bool SaveSettings(std::string* error);

// The caption of the program's main windows: the trimmed company name, " - Effective: "
// and the trimmed effective-date text of the settings.
std::string CaptionWithEffectiveDate();

void LoadClassTable();
// Reads fak.dat into the FAK mapping and sets the FAK-active flag.
void LoadFAK();
[[nodiscard]] bool SaveFAK(std::string* error);
std::optional<std::int16_t> LookupFAKClass(std::int16_t freight_class);
bool IsValidClass(double value);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_MAIN_MODULE_H_
