#include "frelane/core/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "testkit/app/fake_engine.h"
#include "testkit/app/settings_file_writer.h"
#include "sample/app_files.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    auto engine = std::make_unique<testkit::FakeEngine>();
    engine_ = engine.get();
    modTolvDeclares32::InstallEngine(std::move(engine));
    settings_.CompanyName("Example Freight Lines").RatingDate("03/02/2026");
    previous_cwd_ = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(previous_cwd_);
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  StartupResult Start(std::string dir = "") {
    dir_.Write("variable.dat", settings_.Bytes());
    StartupEnvironment env;
    env.executable_directory = dir.empty() ? dir_.path() : dir;
    env.format_in_locale = [this](double) { return locale_text_; };
    error_.clear();
    return modMain::InitializeApplication(env, &error_);
  }

  std::string RecordBytes(std::size_t offset, std::size_t width) const {
    const auto& r = modTolvDeclares32::ShipmentRecord().bytes();
    return std::string(reinterpret_cast<const char*>(&r[offset]), width);
  }

  testkit::TempDir dir_;
  testkit::SettingsFileWriter settings_;
  testkit::FakeEngine* engine_ = nullptr;
  std::string locale_text_ = "1.5";
  std::string error_;
  std::filesystem::path previous_cwd_;
};

TEST_F(StartupTest, RunsItsStepsInOrderOnTheProgramDirectory) {
  ASSERT_EQ(Start(), StartupResult::kReady) << error_;
  std::string dir = dir_.path();  // ends in "/" already: no second one
  EXPECT_EQ(modMain::DataDirectory(), dir);
  EXPECT_EQ(engine_->calls(), (std::vector<std::string>{"Tolv_InitializeTolv(" + dir + ")",
                                                        "Tolv_Set_Tolvdata(" + dir + ")"}));
  EXPECT_EQ(std::filesystem::current_path().string() + "/", dir);
  EXPECT_EQ(modMain::Get().help_file, dir + "help.chm");
  EXPECT_EQ(modMain::Settings().Text(settings::kCompanyName), "Example Freight Lines");
  EXPECT_EQ(modMain::DecimalCharacter(), '.');
  EXPECT_EQ(modMain::Get().decimal_character_code, 46);
  EXPECT_EQ(modMain::Classes()[1], 500);
}

TEST_F(StartupTest, DirectoryWithoutSeparatorGetsOne) {
  std::string bare = dir_.path().substr(0, dir_.path().size() - 1);
  ASSERT_EQ(Start(bare), StartupResult::kReady) << error_;
  EXPECT_EQ(modMain::DataDirectory(), dir_.path());
}

TEST_F(StartupTest, FillsTheConstantFieldsOfTheShipmentRecord) {
  auto& record = modTolvDeclares32::ShipmentRecord().bytes();
  record[265 + 30 * 8] = 'x';  // slot 9 belongs to nobody at start-up
  ASSERT_EQ(Start(), StartupResult::kReady) << error_;
  EXPECT_EQ(RecordBytes(0, 1), "F");
  EXPECT_EQ(RecordBytes(2159, 1), "*");
  EXPECT_EQ(RecordBytes(1, 2), "01");
  EXPECT_EQ(RecordBytes(20, 10), "03/02/2026");
  EXPECT_EQ(RecordBytes(236, 5), "10000");
  EXPECT_EQ(RecordBytes(177, 1), "N");
  for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(RecordBytes(265 + 30 * (slot - 1), 2), "02");
  EXPECT_EQ(record[265 + 30 * 8], 'x');
  EXPECT_EQ(RecordBytes(865, 2), "D%");
}

TEST_F(StartupTest, AdjustmentFactorIsTheSumTimesTenThousandInFiveCharacters) {
  struct Row {
    double visible, hidden;
    const char* text;
  };
  const Row rows[] = {{1.0, 0.0, "10000"}, {1.25, 0.0, "12500"}, {0.25, 0.25, "5000 "},
                      {0.57, 0.0, "5700 "}, {1.13, 0.0, "11300"}, {1.0, 0.05, "10500"},
                      {0.0, 0.0, "0    "},  {1.23456, 0.0, "12345"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    settings_.RateAdjustmentFactor(row.visible).HiddenRateAdjustmentFactor(row.hidden);
    ASSERT_EQ(Start(), StartupResult::kReady) << error_;
    EXPECT_EQ(RecordBytes(236, 5), row.text);
  }
}

TEST_F(StartupTest, DecimalCharacterFollowsTheLocale) {
  locale_text_ = "1,5";
  ASSERT_EQ(Start(), StartupResult::kReady) << error_;
  EXPECT_EQ(modMain::DecimalCharacter(), ',');
  EXPECT_EQ(modMain::Get().decimal_character_code, 44);
}

TEST_F(StartupTest, FilesLockedIsTheLowSixteenBitsBeingTen) {
  for (std::int32_t status : {10, 0x1000A}) {
    engine_->initialize_status = status;
    EXPECT_EQ(Start(), StartupResult::kFilesLocked) << status;
  }
  // The data path is still handed over, and no engine error other than 10 stops start-up.
  EXPECT_EQ(engine_->calls().back(), "Tolv_Set_Tolvdata(" + dir_.path() + ")");
  for (std::int32_t status : {203, 11, 0x10000}) {
    engine_->initialize_status = status;
    EXPECT_EQ(Start(), StartupResult::kReady) << status;
  }
}

TEST_F(StartupTest, FakMappingIsReadOnlyWhenTheSettingsSaySo) {
  std::vector<std::int16_t> fak = testkit::FreightClasses();
  fak[11] = 70;  // 85 -> 70
  dir_.Write("fak.dat", testkit::FakFileBytes(fak));
  ASSERT_EQ(Start(), StartupResult::kReady);
  EXPECT_EQ(modMain::FakActiveFlag(), 'N');
  EXPECT_EQ(modMain::LookupFAKClass(85), 85);

  settings_.FakInUse(true);
  ASSERT_EQ(Start(), StartupResult::kReady);
  EXPECT_EQ(modMain::FakActiveFlag(), 'Y');
  EXPECT_EQ(modMain::LookupFAKClass(85), 70);
}

TEST_F(StartupTest, FakInUseWithoutFakFileSendsEveryClassUnchanged) {
  settings_.FakInUse(true);
  ASSERT_EQ(Start(), StartupResult::kReady);
  EXPECT_EQ(modMain::FakActiveFlag(), 'N');
  EXPECT_EQ(modMain::LookupFAKClass(100), 100);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("fak.dat")));
}

TEST_F(StartupTest, SettingsFileNamesMatchWithoutRegardToCase) {
  dir_.Write("VARIABLE.DAT", settings_.CompanyName("Upper Case Carrier").Bytes());
  StartupEnvironment env{dir_.path(), [](double) { return std::string("1.5"); }};
  ASSERT_EQ(modMain::InitializeApplication(env, &error_), StartupResult::kReady) << error_;
  EXPECT_EQ(modMain::Settings().Text(settings::kCompanyName), "Upper Case Carrier");
}

TEST_F(StartupTest, WithoutSettingsFileStartUpStopsBeforeTheEngine) {
  StartupEnvironment env{dir_.path(), {}};
  EXPECT_EQ(modMain::InitializeApplication(env, &error_), StartupResult::kCannotStart);
  EXPECT_NE(error_.find("variable.dat"), std::string::npos);
  EXPECT_TRUE(engine_->calls().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("variable.dat")));
}

TEST_F(StartupTest, ReReadDropsChangesInMemoryButAFailedReReadKeepsTheSettings) {
  ASSERT_EQ(Start(), StartupResult::kReady) << error_;
  const std::vector<std::uint8_t> on_disk = settings_.Bytes();
  modMain::Settings().SetText(settings::kCompanyName, "Changed in memory");
  ASSERT_TRUE(modMain::LoadSettings(&error_)) << error_;
  EXPECT_EQ(modMain::Settings().Text(settings::kCompanyName), "Example Freight Lines");

  std::filesystem::remove(dir_.File("variable.dat"));
  EXPECT_FALSE(modMain::LoadSettings(&error_));
  EXPECT_EQ(modMain::Settings().Text(settings::kCompanyName), "Example Freight Lines");
  // A save after the failed read writes the settings back, not a blank record.
  ASSERT_TRUE(modMain::SaveSettings(&error_)) << error_;
  std::ifstream in(dir_.File("variable.dat"), std::ios::binary);
  EXPECT_EQ(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}), on_disk);
}

TEST_F(StartupTest, MissingEngineLibraryOrEntryPointStopsStartUpWithItsMessage) {
  engine_->library_missing = true;
  EXPECT_EQ(Start(), StartupResult::kCannotStart);
  EXPECT_EQ(error_.rfind("Error # 53 occurred.\r\n", 0), 0u) << error_;

  engine_->library_missing = false;
  engine_->missing_entry_points = {"Tolv_Set_Tolvdata"};
  EXPECT_EQ(Start(), StartupResult::kCannotStart);
  EXPECT_NE(error_.find("Tolv_Set_Tolvdata"), std::string::npos);
}

TEST_F(StartupTest, SampleDataSetStartsWithItsCarriersSettings) {
  ASSERT_TRUE(sample::BuildAppFiles(FRELANE_SOURCE_DIR "/sample", dir_.path()));
  StartupEnvironment env{dir_.path(), [](double) { return std::string("1.5"); }};
  ASSERT_EQ(modMain::InitializeApplication(env, &error_), StartupResult::kReady) << error_;
  const SettingsRecord& s = modMain::Settings();
  EXPECT_EQ(s.Text(settings::kCompanyName), "Quillmoor Freight Lines");
  EXPECT_EQ(s.Raw(settings::kRatingDate), "12/01/2026");
  EXPECT_TRUE(s.On(settings::kFakInUse));
  EXPECT_EQ(s.I16(settings::kDiscountCount), 3);
  EXPECT_DOUBLE_EQ(s.F64(settings::kUsDiscounts, settings::kDiscountLtl), 55.0);
  EXPECT_EQ(s.Text(settings::kIconFileName), "frelane.ico");
  EXPECT_EQ(RecordBytes(236, 5), "10000");
  // FAK pricing is offered, and the sample's mapping changes no class.
  EXPECT_EQ(modMain::FakActiveFlag(), 'N');
  for (const char* picture : {"intro.bmp", "Introd.bmp", "frelane.ico"}) {
    EXPECT_TRUE(std::filesystem::exists(dir_.File(picture))) << picture;
  }
}

}  // namespace
}  // namespace frelane
