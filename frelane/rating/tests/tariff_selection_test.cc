// Tariff choice over tariffs.dat and taripntr.dat: which line wins for each kind of lane,
// the intrastate question and the run's list, the overrides and the files that are
// missing, unreadable or name a tariff that could not be a file name.
#include "frelane/rating/tariff_selection.h"

#include <filesystem>
#include <string>
#include <vector>

#include "frelane/rating/tests/lane_test_support.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

namespace header = tolv::shipment_header;

class TariffSelectionTest : public testing::LaneTest {
 protected:
  // Runs the choice, answering each question with the next answer; returns the questions.
  std::vector<std::string> Select(bool batch, std::vector<bool> answers = {}) {
    std::vector<std::string> questions;
    shown_.clear();
    modMain::SelectTariffWith(
        batch,
        [&](const std::string& q) {
          questions.push_back(q);
          EXPECT_FALSE(answers.empty()) << "unexpected question " << q;
          bool yes = !answers.empty() && answers.front();
          if (!answers.empty()) answers.erase(answers.begin());
          return yes;
        },
        [&](const std::string& caption) { shown_.push_back(caption); });
    return questions;
  }
  std::string Tariff() const { return HeaderRaw(header::kTariffName); }
  std::string Flag() const { return HeaderRaw(header::kIntrastateFlag); }

  void WriteList(const std::vector<testkit::TariffListLine>& lines) {
    dir_.Write("tariffs.dat", testkit::TariffListFile(lines));
  }

  std::vector<std::string> shown_;
};

TEST_F(TariffSelectionTest, LastApplicableLineWinsPerKindOfLane) {
  WriteList({{"us", "usbase01"},
             {"CD", "CROSS001"},
             {"CN", "CANADA01"},
             {"CD", "CROSS002"},
             {"GA", "GEORGIA1"}});
  SetLane("30301", "90210", "GA", "CA");
  Select(false);
  EXPECT_EQ(Tariff(), "USBASE01");  // code and name compared and stored upper-cased
  EXPECT_EQ(Flag(), "N");

  SetLane("30301", "K1A0B1", "GA", "ON");
  Select(false);
  EXPECT_EQ(Tariff(), "CROSS002");

  // Both Canadian: "CD" and "CN" both apply, the later line wins.
  SetLane("M5V3L9", "K1A0B1", "ON", "ON");
  Select(false);
  EXPECT_EQ(Tariff(), "CROSS002");

  // An unflagged line of the lane's state is an intrastate tariff.
  SetLane("30301", "31701", "GA", "GA");
  Select(false);
  EXPECT_EQ(Tariff(), "GEORGIA1");
  EXPECT_EQ(Flag(), "Y");

  // Without points the first line decides.
  SetLane("", "");
  Select(true);
  EXPECT_EQ(Tariff(), "USBASE01");
  EXPECT_EQ(Flag(), "N");
}

TEST_F(TariffSelectionTest, FlaggedIntrastateTariffAsksOnTheScreen) {
  WriteList({{"US", "USBASE01"},
             {"GA", "GEORGIA1", true, "Georgia Intrastate Rates   "},
             {"GA", "GEORGIA2", true, ""}});
  SetLane("30301", "31701", "GA", "GA");
  std::vector<std::string> asked = Select(false, {true, false});
  EXPECT_EQ(asked, (std::vector<std::string>{"Use Georgia Intrastate Rates?",
                                             "Use GA Intrastate Tariff?"}));
  EXPECT_EQ(Tariff(), "GEORGIA1");
  EXPECT_EQ(Flag(), "Y");
  EXPECT_EQ(shown_, (std::vector<std::string>{"", "Georgia Intrastate Rates"}));

  // No to both: the US line stands; the last Yes wins when both are accepted.
  Select(false, {false, false});
  EXPECT_EQ(Tariff(), "USBASE01");
  EXPECT_EQ(Flag(), "N");
  Select(false, {true, true});
  EXPECT_EQ(Tariff(), "GEORGIA2");
  EXPECT_EQ(shown_.back(), "GA Intrastate Tariff");

  // A run never asks: the intrastate list decides.
  Select(true);
  EXPECT_EQ(Tariff(), "USBASE01");
  modMain::Lane().IntrastateList[4] = "GA";
  Select(true);
  EXPECT_EQ(Tariff(), "GEORGIA2");
  EXPECT_EQ(Flag(), "Y");
  EXPECT_TRUE(shown_.empty());
}

TEST_F(TariffSelectionTest, NoApplicableLineSendsNotIntrastate) {
  modTolvDeclares32::ShipmentRecord().header().SetText(header::kIntrastateFlag, "Y");
  modTolvDeclares32::ShipmentRecord().header().SetText(header::kTariffName, "MILE0001");
  SetLane("30301", "K1A0B1", "GA", "ON");
  // Missing, then empty, then without a line for this lane.
  Select(false);
  EXPECT_EQ(Tariff(), "        ");
  EXPECT_EQ(Flag(), "N");
  WriteList({});
  Select(false);
  EXPECT_EQ(Flag(), "N");
  WriteList({{"US", "USBASE01"}});
  modTolvDeclares32::ShipmentRecord().header().SetText(header::kIntrastateFlag, "Y");
  Select(false);
  EXPECT_EQ(Tariff(), "        ");
  EXPECT_EQ(Flag(), "N");
}

TEST_F(TariffSelectionTest, OverridesOfTaripntrApplyLast) {
  WriteList({{"US", "USBASE01"}, {"GA", "GEORGIA1"}});
  dir_.Write("TARIPNTR.DAT", testkit::TariffOverrideFile({
                                 {"60000", "60999", "90000", "90999", "ChiLa001"},
                                 {"30000", "31999", "30000", "31999", "Atl00001"},
                             }));
  SetLane("30301", "31701", "GA", "GA");
  Select(false);
  EXPECT_EQ(Tariff(), "Atl00001");  // as written, and the flag goes back to "N"
  EXPECT_EQ(Flag(), "N");

  // No override covers the lane: tariffs.dat's choice stands on the screen...
  SetLane("30301", "90210", "GA", "CA");
  Select(false);
  EXPECT_EQ(Tariff(), "USBASE01");
  // ...and a run that found no tariff takes the first override line.
  WriteList({});
  Select(true);
  EXPECT_EQ(Tariff(), "ChiLa001");
}

TEST_F(TariffSelectionTest, NamesThatAreNoPlainTariffNameAreIgnoredAndReportedOnce) {
  EXPECT_TRUE(modMain::IsPlainTariffName("NORTHW01"));
  EXPECT_TRUE(modMain::IsPlainTariffName("AB_1-   "));
  EXPECT_FALSE(modMain::IsPlainTariffName("../ETC01"));
  EXPECT_FALSE(modMain::IsPlainTariffName("A\\B"));
  EXPECT_FALSE(modMain::IsPlainTariffName(std::string("AB\tC", 4)));

  WriteList({{"US", "USBASE01"}});
  dir_.Write("taripntr.dat", testkit::TariffOverrideFile({
                                 {"30000", "31999", "90000", "99999", "../../x"},
                             }));
  SetLane("30301", "90210", "GA", "CA");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "\"../../x\" in taripntr.dat");
  modMain::SelectTariff(true);
  modMain::SelectTariff(true);
  EXPECT_EQ(Tariff(), "        ");
  EXPECT_EQ(Flag(), "N");
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
}

TEST_F(TariffSelectionTest, UnreadableListIsNamedOnceAndLeavesTheChoiceToTheEngine) {
  std::filesystem::create_directory(dir_.File("tariffs.dat"));
  SetLane("30301", "90210", "GA", "CA");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Unable to read tariffs.dat");
  modMain::SelectTariff(false);
  modMain::SelectTariff(false);
  EXPECT_EQ(Tariff(), "        ");
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace frelane
