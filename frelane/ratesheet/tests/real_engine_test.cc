// A small rate sheet of the sample carrier rated through the real engine library: the rows
// equal those worked out by hand from the sample tariff, and the engine is asked once per
// sub-range and never for an unserved prefix; the sample data set has the files a sheet needs.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/grouping.h"
#include "frelane/ratesheet/lane_rating.h"
#include "frelane/ratesheet/sideline_pair.h"
#include "frelane/ratesheet/zip_block_file.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/os/file_lookup.h"
#include "platform/runtime/fixed_string.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane::ratesheet {
namespace {

// Counts the engine's ratings on the way to the real library.
class CountingEngine : public EngineApi {
 public:
  explicit CountingEngine(std::unique_ptr<EngineApi> real) : real_(std::move(real)) {}
  EngineOutcome Tolv_InitializeTolv(const std::string& p) override { return real_->Tolv_InitializeTolv(p); }
  EngineOutcome Tolv_Set_Tolvdata(const std::string& p) override { return real_->Tolv_Set_Tolvdata(p); }
  EngineOutcome Tolv_RateShipment(ShipmentBytes r) override {
    ++*ratings;
    return real_->Tolv_RateShipment(r);
  }
  EngineOutcome Tolv_GetTables(TariffTablesBytes r) override { return real_->Tolv_GetTables(r); }
  EngineOutcome Tolv_EndTolv() override { return real_->Tolv_EndTolv(); }
  std::shared_ptr<int> ratings = std::make_shared<int>(0);

 private:
  std::unique_ptr<EngineApi> real_;
};

struct Row {
  std::string prefixes, zips, rate_basis;
  std::int32_t class100_first_break = 0;  // cents per 100 lbs
  std::int32_t mc = 0;                    // cents
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << r.prefixes << " " << r.zips << " rbn[" << r.rate_basis << "] "
            << r.class100_first_break << " mc " << r.mc;
}

class Rows : public RateSheetRowWriter {
 public:
  void ExportGroupRow(const RateSheetGroup& g, bool) override { exported.push_back(Of(g)); }
  void PrintGroupRow(const RateSheetGroup& g, bool) override { printed.push_back(Of(g)); }
  static Row Of(const RateSheetGroup& g) {
    return {g.PrefixText, g.ZipText, g.RateBasis,
            g.RateFor("100", g.Shape.weight_breaks[0]).value_or(-1), g.BracketCharges[0]};
  }
  std::vector<Row> exported, printed;
};

class RealEngineSheetTest : public ::testing::Test, public RateSheetDefinition {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    auto engine = std::make_unique<CountingEngine>(std::make_unique<Tolv32Binding>(dir_.path()));
    ratings_ = engine->ratings;
    modTolvDeclares32::InstallEngine(std::move(engine));
    StartupEnvironment env{dir_.path(), [](double) { return std::string("1.5"); }};
    std::string error;
    ASSERT_EQ(modMain::InitializeApplication(env, &error), StartupResult::kReady) << error;
  }
  void TearDown() override {
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  std::string HeadlineZip() override { return headline_; }
  bool FromHeadline() override { return from_headline_; }

  // Walks one pair as the run does and returns the rated rows.
  void Walk(std::string low, const std::string& high) {
    LaneRating lane(run_, *this, rows_);
    for (std::string prefix = low;;) {
      lane.RateLane(prefix);
      sub_ranges_ += static_cast<int>(run_.SubRanges.size());
      if (!StepWithinPair(prefix, high)) break;
    }
  }

  std::string headline_ = "30301";
  bool from_headline_ = true;
  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_{app_};
  RateSheetRunState run_;
  Rows rows_;
  int sub_ranges_ = 0;
  std::shared_ptr<int> ratings_;
};

TEST_F(RealEngineSheetTest, RowsOfASmallSheetEqualTheHandWorkedOnes) {
  run_.StartRun();
  run_.PrintOutput = run_.ExportOutput = true;
  run_.WithNotes = false;
  // NORTHW01 puts 00000-29999 and 30000-59999 in two points: lanes from 30301 to 298 and
  // 299 take rate record 1 (rate basis 1102, class 100 at the first break 54.00, minimum
  // 105.00), lanes to 300-303 record 2 (1202, 41.00, 95.00). 300 and 303 lie in two zip
  // blocks each, which rate alike. 090 and 091 are not served.
  Walk("298", "303");
  Walk("090", "091");
  // To Ontario the cross-border tariff: record 1 of QFLC0001 (3012, minimum 145.00), its
  // first-break rate 98.00 scaled by the factor file's 2.3040 for class 100: 225.79.
  Walk("K1A", "K1B");
  if (!run_.PendingRow.IsEmpty()) rows_.printed.push_back(Rows::Of(run_.PendingRow));
  const std::string us1 = "       1102", us2 = "       1202", ca = "       3012";
  EXPECT_EQ(rows_.printed, (std::vector<Row>{{"298-299", "00-99", us1, 5400, 10500},
                                             {"300-303", "00-99", us2, 4100, 9500},
                                             {"K1A-K1B", "0A-9Z", ca, 22579, 14500}}));
  ASSERT_EQ(rows_.exported.size(), 8u);
  EXPECT_EQ(rows_.exported[1], (Row{"299-299", "00-99", us1, 5400, 10500}));
  EXPECT_EQ(rows_.exported[5], (Row{"303-303", "00-99", us2, 4100, 9500}));
  EXPECT_EQ(sub_ranges_, 1 + 1 + 2 + 1 + 1 + 2 + 0 + 0 + 1 + 1);
  EXPECT_EQ(*ratings_, sub_ranges_);
}

TEST_F(RealEngineSheetTest, LanesOnTheZoneTariffAreRated) {
  // taripntr.dat sends 10000-19999 to 60000-69999 onto ZIPRNG01: rate basis 7013C, class
  // 100 at its base 80.00 at the first break; its ZIP pair's minimum 75.00 is raised to the
  // settings' interstate MC floor 85.00. The served prefixes 600-658 and 660-693 each rate
  // alike; 659 and 694-699 are not served.
  run_.StartRun();
  run_.PrintOutput = true;
  headline_ = "10001";
  Walk("600", "699");
  ASSERT_FALSE(run_.RunStopped);
  if (!run_.PendingRow.IsEmpty()) rows_.printed.push_back(Rows::Of(run_.PendingRow));
  ASSERT_EQ(rows_.printed.size(), 2u);
  EXPECT_EQ(rows_.printed[0].prefixes, "600-658");
  EXPECT_EQ(rows_.printed[1].prefixes, "660-693");
  for (const Row& row : rows_.printed) {
    EXPECT_EQ(runtime::Trim(row.rate_basis), "7013C") << row;
    EXPECT_EQ(row.class100_first_break, 8000) << row;
    EXPECT_EQ(row.mc, 8500) << row;
  }

  // Toward the headline the override holds for the sideline as origin.
  run_.StartRun();
  run_.PrintOutput = true;
  rows_.printed.clear();
  headline_ = "60601";
  from_headline_ = false;
  Walk("100", "199");
  ASSERT_FALSE(run_.RunStopped);
  if (!run_.PendingRow.IsEmpty()) rows_.printed.push_back(Rows::Of(run_.PendingRow));
  ASSERT_EQ(rows_.printed.size(), 1u);
  EXPECT_EQ(rows_.printed[0].prefixes, "100-199");
  EXPECT_EQ(runtime::Trim(rows_.printed[0].rate_basis), "7013C");
}

// Every tariff the sample's lookups can choose has its zip block file.
TEST(SampleDataSetTest, EveryChosenTariffHasAZipBlockFile) {
  std::vector<std::string> tariffs;
  auto names = [&](const char* file, std::size_t at) {
    std::istringstream in(testkit::ReadFile(std::string(FRELANE_SAMPLE_DIR) + file));
    for (std::string line; std::getline(in, line);) {
      if (line.size() > at) tariffs.push_back(line.substr(at, 8));
    }
  };
  names("tariffs.dat", 2);
  names("taripntr.dat", 20);
  ASSERT_GE(tariffs.size(), 5u);
  for (const std::string& tariff : tariffs) {
    EXPECT_TRUE(os::FindFileNoCase(FRELANE_SAMPLE_DIR, ZipBlockFileName(tariff)).has_value())
        << "\"" << tariff << "\" has no zip block file";
  }
}

}  // namespace
}  // namespace frelane::ratesheet
