// modMain.InitializeApplication: everything the program sets up before its first window
// shows, in a fixed order: data directory, settings, help file, the constant fields of the
// ShipmentRecord, the engine, the decimal character, the class and FAK tables.
#ifndef FRELANE_CORE_STARTUP_H_
#define FRELANE_CORE_STARTUP_H_

#include <functional>
#include <string>

namespace frelane {

// What start-up takes from the world outside the program.
struct StartupEnvironment {
  // The directory that holds the program's executable.
  std::string executable_directory;
  // Formats a number as text the way the user's locale does; the decimal character is
  // found from its answer for 1.5. Unset: the C++ environment's locale.
  std::function<std::string(double)> format_in_locale;
};

// The directory of the running executable (from /proc/self/exe); empty when unknown.
std::string ExecutableDirectory();

enum class StartupResult {
  kReady,
  // The engine reported that another program holds files it needs.
  kFilesLocked,
  // A step that start-up cannot do without failed (settings file, engine library);
  // the message says which.
  kCannotStart,
};

inline constexpr char kFilesLockedMessage[] =
    "Another program has some needed files locked.  Please close other Tarvexs and Rate "
    "Sheet programs and try again.";

namespace modMain {

// The environment the splash starts the program in; by default the executable's directory
// and the C++ environment's locale.
void SetStartupEnvironment(StartupEnvironment env);
const StartupEnvironment& StartupEnvironmentInUse();

// Runs start-up in its order. On kCannotStart, *error holds the message for the user.
StartupResult InitializeApplication(const StartupEnvironment& env, std::string* error);

// The adjustment factor field of the ShipmentRecord: (hidden + visible factor) x 10000 as
// decimal text, left-aligned in 5 characters. Start-up fills it; the rating screen again
// after the settings change.
void FillAdjustmentFactor();

// "." or "," as the locale writes 1.5.
char DecimalCharacterOf(const std::string& one_and_a_half);

}  // namespace modMain

}  // namespace frelane

#endif  // FRELANE_CORE_STARTUP_H_
