// The program started on a private copy of the sample data set with the real engine
// library, for tests that drive the whole program.
#ifndef FRELANE_RATING_TESTS_SAMPLE_PROGRAM_H_
#define FRELANE_RATING_TESTS_SAMPLE_PROGRAM_H_

#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/lane_state.h"
#include "testkit/rating/lane_lookup_files.h"
#include "testkit/temp_dir.h"

namespace frelane::testing {

// Installs the real engine on the data set in `engine_dir` and runs start-up in `dir` in a
// "." locale. Returns start-up's message when it fails, else "".
inline std::string StartProgramIn(const testkit::TempDir& dir, const std::string& engine_dir) {
  modTolvDeclares32::InstallEngine(std::make_unique<Tolv32Binding>(engine_dir));
  std::string error;
  StartupResult result = modMain::InitializeApplication(
      {.executable_directory = dir.path(), .format_in_locale = [](double) { return "1.5"; }},
      &error);
  return result == StartupResult::kReady ? "" : "start-up failed: " + error;
}

// Copies `sample_dir` into `dir`, serves every lane and starts the program there on the
// engine of `sample_dir`.
inline std::string StartOnSampleData(const testkit::TempDir& dir, const std::string& sample_dir) {
  modMain::Reset();
  modTolvDeclares32::Reset();
  modMain::Lane() = modMain::LaneState{};
  dir.CopyFilesOf(sample_dir);
  dir.Write("zipval.dat", testkit::ServedLaneFile({{"000", "999", "000", "999"}}));
  return StartProgramIn(dir, sample_dir);
}

// The discount boxes (three, and the MC floor) and the price per unit prompted on the screen.
inline void PromptDiscountsAndUnits(SettingsRecord& settings) {
  settings.SetI16(settings::kDiscountsFixed, 0);
  settings.SetI16(settings::kDiscountCount, 3);
  settings.SetOn(settings::kMcFloorDiscountShown, true);
  settings.SetOn(settings::kPricePerUnitOffered, true);
  settings.SetOn(settings::kPricePerUnitDefault, true);
}

inline void StopSampleProgram() {
  modMain::Lane() = modMain::LaneState{};
  modTolvDeclares32::Reset();
  modMain::Reset();
}

}  // namespace frelane::testing

#endif  // FRELANE_RATING_TESTS_SAMPLE_PROGRAM_H_
