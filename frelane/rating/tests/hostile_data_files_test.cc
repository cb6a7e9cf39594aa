// The program started on the sample data set with each of its data files in turn replaced
// by a named pipe: a read that waited for a writer would hang the start before any window.
// Every start ends, with the file taken as missing or reported.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frelane/core/frm_intro.h"
#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

namespace fs = std::filesystem;

// A user who answers whatever the program asks with No (or its only button), and notes it.
class AnsweringDriver : public forms::testing::HeadlessDriver {
 public:
  using HeadlessDriver::HeadlessDriver;
  forms::MsgBoxResult ShowMessageBox(const forms::MessageBoxRequest& request) override {
    prompts.push_back(request.prompt);
    return request.Offers(forms::MsgBoxResult::kNo) ? forms::MsgBoxResult::kNo
                                                     : request.DefaultResult();
  }
  std::vector<std::string> prompts;
};

// The sample's data files the program itself reads; the engine's own are its tests' business.
std::vector<std::string> ProgramDataFiles() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(FRELANE_SAMPLE_DIR)) {
    const std::string name = entry.path().filename();
    if (!entry.is_regular_file() || name.find(".so") != std::string::npos ||
        name == "Frelane" || name == "variable.dat") {
      continue;
    }
    names.push_back(name);
  }
  return names;
}

TEST(HostileDataFilesTest, APipeInPlaceOfAnyDataFileLetsTheProgramStart) {
  const std::vector<std::string> names = ProgramDataFiles();
  ASSERT_GT(names.size(), 40u);
  const fs::path previous_cwd = fs::current_path();
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    testkit::TempDir dir;
    dir.CopyFilesOf(FRELANE_SAMPLE_DIR);
    fs::remove(dir.File(name));
    ASSERT_EQ(::mkfifo(dir.File(name).c_str(), 0600), 0);

    forms::Application app;
    AnsweringDriver user(app);
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = modMain::LaneState{};
    modTolvDeclares32::InstallEngine(std::make_unique<Tolv32Binding>(FRELANE_SAMPLE_DIR));
    modMain::SetStartupEnvironment({dir.path(), [](double) { return std::string("1.5"); }});
    SetMainWindow([&app]() -> forms::Form& { return app.Get<frmRatingScreen>(); });
    frmIntro& splash = app.Get<frmIntro>();
    splash.Show();
    user.ClickForm(splash);
    EXPECT_TRUE(app.Get<frmRatingScreen>().IsVisible());
    // The pipe is still there: nothing was created or written in its place.
    struct stat st;
    ASSERT_EQ(::lstat(dir.File(name).c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    SetMainWindow(nullptr);
    modMain::Lane() = modMain::LaneState{};
    modTolvDeclares32::Reset();
    modMain::Reset();
    fs::current_path(previous_cwd);
  }
}

}  // namespace
}  // namespace frelane
