// The program's start and end as a user sees them, on a fixture directory with a fake
// engine: the splash's pictures and timer, the hand-over to the rating screen, the "files
// locked" answer and the engine's end when the main window closes.
#include "frelane/core/frm_intro.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "frelane/core/form_setup.h"
#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/fake_engine.h"
#include "testkit/app/picture_writer.h"
#include "testkit/app/settings_file_writer.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using forms::MsgBoxResult;

std::vector<std::uint8_t> SmallBmp() { return testkit::BmpBytes(testkit::Canvas(8, 6, {1, 2, 3})); }

// The first bytes of a GIF and of a JPEG, as far as a picture's size is read from them.
std::vector<std::uint8_t> SmallGif() {
  return {'G', 'I', 'F', '8', '9', 'a', 8, 0, 6, 0, 0, 0, 0, ';'};
}
std::vector<std::uint8_t> SmallJpeg() {
  return {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x06, 0x00, 0x08,
          0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xD9};
}

class SplashTest : public ::testing::Test {
 protected:
  SplashTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    auto engine = std::make_unique<testkit::FakeEngine>();
    engine_ = engine.get();
    log_ = engine->log();
    modTolvDeclares32::InstallEngine(std::move(engine));
    modMain::SetStartupEnvironment({dir_.path(), [](double) { return std::string("1.5"); }});
    SetMainWindow([this]() -> forms::Form& { return app_.Get<frmRatingScreen>(); });
    settings_.CompanyName("Example Freight Lines").EffectiveDateText("12-01-2026");
    // Start-up moves into the data directory, which goes away with the test.
    previous_cwd_ = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(previous_cwd_);
    SetMainWindow(nullptr);
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  frmIntro& Start() {
    dir_.Write("variable.dat", settings_.Bytes());
    frmIntro& splash = app_.Get<frmIntro>();
    splash.Show();
    return splash;
  }
  frmRatingScreen& Screen() { return app_.Get<frmRatingScreen>(); }
  int EndCalls() const {
    int n = 0;
    for (const std::string& call : log_->calls) n += call == "Tolv_EndTolv";
    return n;
  }

  testkit::TempDir dir_;
  testkit::SettingsFileWriter settings_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
  testkit::FakeEngine* engine_ = nullptr;
  std::shared_ptr<testkit::FakeEngine::Log> log_;
  std::filesystem::path previous_cwd_;
};

TEST_F(SplashTest, FirstPictureOnlyWaitsForTheUser) {
  dir_.Write("intro.jpg", SmallJpeg());
  frmIntro& splash = Start();
  EXPECT_TRUE(splash.IsVisible());
  EXPECT_EQ(splash.PictureValue().path, dir_.File("intro.jpg"));
  EXPECT_FALSE(splash.Timer1.Enabled());
  EXPECT_EQ(splash.CaptionValue(), "Example Freight Lines - Effective: 12-01-2026");
  EXPECT_EQ(splash.Geometry().width, 9600);
  EXPECT_EQ(splash.Geometry().height, 7320);
  // The rating screen is loaded behind the splash, not shown.
  EXPECT_TRUE(Screen().IsLoaded());
  EXPECT_FALSE(Screen().IsVisible());

  user_.AdvanceClock(60000);
  EXPECT_TRUE(splash.IsVisible());

  user_.ClickForm(splash);
  EXPECT_TRUE(splash.handed_over());
  EXPECT_FALSE(splash.IsLoaded());
  EXPECT_TRUE(Screen().IsVisible());
  EXPECT_EQ(EndCalls(), 0);
}

TEST_F(SplashTest, SplashAndRatingScreenShowTheSameCaptionTrimmedOnBothSides) {
  settings_.CompanyName("  Example Freight Lines").EffectiveDateText(" 12-01-2026");
  frmIntro& splash = Start();
  EXPECT_EQ(splash.CaptionValue(), "Example Freight Lines - Effective: 12-01-2026");
  EXPECT_EQ(Screen().Caption(), splash.CaptionValue());
}

TEST_F(SplashTest, AnyKeyHandsOver) {
  frmIntro& splash = Start();
  user_.Type("q");
  EXPECT_TRUE(splash.handed_over());
  EXPECT_TRUE(Screen().IsVisible());
}

TEST_F(SplashTest, SecondPictureReplacesTheFirstAndStartsTheTimer) {
  dir_.Write("intro.bmp", SmallBmp());
  dir_.Write("Introd.gif", SmallGif());
  frmIntro& splash = Start();
  EXPECT_EQ(splash.PictureValue().path, dir_.File("Introd.gif"));
  EXPECT_TRUE(splash.Timer1.Enabled());
  EXPECT_EQ(splash.Timer1.Interval(), 3000);

  user_.AdvanceClock(2999);
  EXPECT_TRUE(splash.IsVisible());
  user_.AdvanceClock(1);
  EXPECT_FALSE(splash.IsLoaded());
  EXPECT_TRUE(Screen().IsVisible());
}

TEST_F(SplashTest, PicturesAreFoundWithoutRegardToCaseAndMayBeAbsent) {
  dir_.Write("INTRO.BMP", SmallBmp());
  frmIntro& splash = Start();
  EXPECT_EQ(splash.PictureValue().path, dir_.File("INTRO.BMP"));

  user_.ClickForm(splash);
  EXPECT_TRUE(Screen().IsVisible());
}

TEST_F(SplashTest, NoPictureAtAllStillShowsTheSplash) {
  frmIntro& splash = Start();
  EXPECT_TRUE(splash.IsVisible());
  EXPECT_TRUE(splash.PictureValue().empty());
  EXPECT_FALSE(splash.Timer1.Enabled());
}

TEST_F(SplashTest, ClosingTheSplashBeforeHandOverEndsEngineAndProgram) {
  frmIntro& splash = Start();
  ASSERT_TRUE(Screen().IsLoaded());
  user_.CloseForm(splash);
  EXPECT_FALSE(splash.handed_over());
  EXPECT_EQ(EndCalls(), 1);
  EXPECT_TRUE(app_.Ended());
}

TEST_F(SplashTest, ClosingTheMainWindowEndsTheEngineOnce) {
  frmIntro& splash = Start();
  user_.ClickForm(splash);
  ASSERT_TRUE(Screen().IsVisible());
  user_.CloseForm(Screen());
  EXPECT_EQ(log_->calls, (std::vector<std::string>{"Tolv_InitializeTolv(" + dir_.path() + ")",
                                                    "Tolv_Set_Tolvdata(" + dir_.path() + ")",
                                                    "Tolv_EndTolv"}));
  EXPECT_TRUE(app_.Ended());
}

TEST_F(SplashTest, FilesLockedIsReportedAndNoWindowIsLeft) {
  engine_->initialize_status = 10;
  user_.ExpectMsgBox(MsgBoxResult::kOK,
                     "Another program has some needed files locked.  Please close other "
                     "Tarvexs and Rate Sheet programs and try again.");
  frmIntro& splash = Start();
  EXPECT_FALSE(splash.IsLoaded());
  EXPECT_FALSE(Screen().IsLoaded());
  EXPECT_EQ(app_.LoadedFormCount(), 0);
  EXPECT_EQ(EndCalls(), 0);
  // The hourglass was gone before the message.
  ASSERT_FALSE(user_.mouse_pointers().empty());
  EXPECT_EQ(user_.mouse_pointers().back(), 0);
}

TEST_F(SplashTest, MissingSettingsOrEngineIsReportedAndTheProgramDoesNotStart) {
  user_.ExpectMsgBox(MsgBoxResult::kOK, "variable.dat");
  frmIntro& splash = app_.Get<frmIntro>();  // no variable.dat written
  splash.Show();
  EXPECT_FALSE(splash.IsLoaded());
  EXPECT_EQ(app_.LoadedFormCount(), 0);
  EXPECT_TRUE(log_->calls.empty());

  engine_->missing_entry_points = {"Tolv_InitializeTolv"};
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Error # 453 occurred.");
  Start();
  EXPECT_EQ(app_.LoadedFormCount(), 0);
}

TEST_F(SplashTest, IconComesFromTheSettingsWhenItIsASafeExistingFile) {
  dir_.Write("carrier.ico", testkit::IcoBytes(testkit::Canvas(16, 16, {9, 9, 9})));
  settings_.IconFileName("carrier.ico");
  frmIntro& splash = Start();
  EXPECT_EQ(splash.IconValue().path, dir_.File("carrier.ico"));
  user_.ClickForm(splash);
  EXPECT_EQ(Screen().IconValue().path, dir_.File("carrier.ico"));
}

TEST_F(SplashTest, MissingBlankOrEscapingIconNameLeavesTheWindowWithoutIcon) {
  dir_.Write("sub/x.ico", testkit::IcoBytes(testkit::Canvas(16, 16, {9, 9, 9})));
  frmIntro& splash = Start();  // the icon name is blank
  EXPECT_TRUE(splash.IsVisible());
  EXPECT_TRUE(splash.IconValue().empty());
  for (const char* name : {"absent.ico", "../up.ico", "sub/x.ico"}) {
    modMain::Settings().SetText(settings::kIconFileName, name);
    modMain::SetFormIcon(splash);
    EXPECT_TRUE(splash.IconValue().empty()) << name;
  }
}

TEST_F(SplashTest, MissingRatingEntryPointIsARunTimeErrorNotACrash) {
  engine_->missing_entry_points = {"Tolv_RateShipment"};
  frmIntro& splash = Start();
  user_.ClickForm(splash);
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Run-time error '453'");
  app_.Dispatch([] { modTolvDeclares32::Tolv_RateShipment(); });
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_TRUE(Screen().IsVisible());
  EXPECT_FALSE(app_.Ended());
}

TEST_F(SplashTest, RecordTextCrossesAsSingleBytes) {
  Start();
  auto& record = modTolvDeclares32::ShipmentRecord();
  modTolvDeclares32::SetRecordText(record.bytes(), 36, 19, "Montréal");
  EXPECT_EQ(record.bytes()[41], 0xE9);
  EXPECT_EQ(record.bytes()[54], ' ');  // padded to the width
  EXPECT_EQ(modTolvDeclares32::RecordText(record.bytes(), 36, 19), "Montréal");
  engine_->rate = [](ShipmentBytes r) { r[3] = '0'; };
  modTolvDeclares32::Tolv_RateShipment();
  ASSERT_EQ(log_->rated_records.size(), 1u);
  EXPECT_EQ(log_->rated_records[0][41], 0xE9);  // the engine saw the bytes
  EXPECT_EQ(record.bytes()[3], '0');            // and its answer came back in place
}

}  // namespace
}  // namespace frelane
