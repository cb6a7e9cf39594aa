// The fixture of the rating screen's output windows: a data directory, a scripted engine,
// the headless user and the recording printer, with the settings of a plain carrier.
#ifndef FRELANE_RATING_TESTS_OUTPUTS_FIXTURE_H_
#define FRELANE_RATING_TESTS_OUTPUTS_FIXTURE_H_

#include <gtest/gtest.h>

#include <memory>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/point_entry.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/print/recording_print_system.h"
#include "testkit/app/fake_engine.h"
#include "testkit/temp_dir.h"

namespace frelane::testing {

// For tests of the lines and the quote: the point boxes' own checks on leaving them (a lane
// to rate, questions to ask) are left out.
inline void IgnorePointBoxes(frmRatingScreen& screen) {
  for (forms::TextBox* box : {&screen.txtOrigin, &screen.txtDestination}) {
    box->on.Validate = nullptr;
    box->on.LostFocus = nullptr;
  }
}

class OutputsTest : public ::testing::Test {
 protected:
  OutputsTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = {};
    modMain::OriginTerminal() = 0;
    modMain::DestinationTerminal() = 0;
    auto engine = std::make_unique<testkit::FakeEngine>();
    engine_ = engine.get();
    log_ = engine->log();
    modTolvDeclares32::InstallEngine(std::move(engine));
    modMain::Get().data_directory = dir_.path();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetText(settings::kEffectiveDateText, "12-01-2026");
  }
  void TearDown() override {
    modTolvDeclares32::Reset();
    modMain::Lane() = {};
    modMain::Reset();
  }

  frmRatingScreen& Screen() {
    frmRatingScreen& screen = app_.Get<frmRatingScreen>();
    screen.Show();
    return screen;
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
  print::testing::ScopedRecordingPrintSystem printers_;
  testkit::FakeEngine* engine_ = nullptr;
  std::shared_ptr<testkit::FakeEngine::Log> log_;
};

}  // namespace frelane::testing

#endif  // FRELANE_RATING_TESTS_OUTPUTS_FIXTURE_H_
