// The rate-sheet definition screen through the headless driver: loading from the tariff's
// tables, the state expansion from zipcodes.fil, the checks of every box and of Print, the
// headline's default and lock, Reset and closing.
#include "frelane/ratesheet/frm_rate_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "frelane/ratesheet/frm_rate_sheet_options.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "frelane/ratesheet/sideline_pair.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "frelane/ratesheet/weight_captions.h"
#include "frelane/rating/lane_state.h"
#include "testkit/app/settings_file_writer.h"
#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/rate_sheet_opener.h"
#include "testkit/ratesheet/rate_sheet_files.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane::ratesheet {
namespace {

using forms::MsgBoxResult;

class RateSheetScreenTest : public testing::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    dir_.Write("zipcodes.fil",
               testkit::ZipcodesFile({{"GA", {{"300", "319"}, {"398", "399"}}},
                                      {"NY", {{"005", "005"}, {"100", "149"}, {"063", "063"}}},
                                      {"RI", {{"028", "029"}}}}));
  }
  frmRateSheet& Shown() {
    frmRateSheet& screen = app_.Get<frmRateSheet>();
    screen.Show();
    // The headline box has the focus first; a valid headline lets it go.
    screen.txtHeadlineZip.SetText("30301");
    return screen;
  }
  // Types a code into low box i and tabs on.
  void EnterLow(frmRateSheet& screen, int i, std::string_view code) {
    ASSERT_TRUE(user_.TypeInto(screen.txtSidelineZipLow(i), code));
    user_.Tab();
  }
  std::pair<std::string, std::string> Pair(frmRateSheet& screen, int i) {
    return {screen.txtSidelineZipLow(i).Text(), screen.txtSidelineZipHigh(i).Text()};
  }
};

TEST_F(RateSheetScreenTest, LoadingShowsTheTariffsBreaksAndClassesAndZeroesTheSets) {
  SettingsRecord& s = modMain::Settings();
  s.SetF64(settings::kUsDiscounts, 40, 2);
  s.SetF64(settings::kCanadaDiscounts, 75, 4);
  s.SetI16(settings::kDiscountCount, 1);
  s.SetI16(settings::kDiscountsFixed, -1);
  modTolvDeclares32::ShipmentRecord().header().SetText(tolv::shipment_header::kOriginZip, "30301");
  frmRateSheet& screen = Shown();

  EXPECT_EQ(screen.Caption(), "Example Freight - Rate Sheet");
  const char* captions[] = {"L5C", "5C", "1M", "2M", "5M", "10M"};
  for (int i = 1; i <= 6; ++i) {
    EXPECT_TRUE(screen.chkWeight(i).Visible());
    EXPECT_EQ(screen.chkWeight(i).Caption(), captions[i - 1]);
  }
  EXPECT_FALSE(screen.chkWeight(7).Visible());
  EXPECT_EQ(screen.chkClass(2).Caption(), "85");
  EXPECT_TRUE(screen.chkClass(3).Visible());
  EXPECT_FALSE(screen.chkClass(4).Visible());
  EXPECT_EQ(DefinitionTables().WeightBreakCount, 6);
  const os::ConstRecordView tables{std::span<const std::uint8_t>(DefinitionTables().record)};
  EXPECT_EQ(tables.Text(tolv::tariff_tables_record::kTariffName), "NORTHW01");
  EXPECT_EQ(tables.Text(tolv::tariff_tables_record::kDate), "12-09-2026");

  EXPECT_EQ(s.F64(settings::kUsDiscounts, 2), 0);
  EXPECT_EQ(s.F64(settings::kCanadaDiscounts, 4), 0);
  EXPECT_EQ(s.I16(settings::kDiscountCount), 3);
  EXPECT_EQ(s.I16(settings::kDiscountsFixed), 0);
  EXPECT_EQ(modTolvDeclares32::ShipmentRecord().header().Text(tolv::shipment_header::kOriginZip), "");
  EXPECT_TRUE(app_.Get<frmRateSheetOptions>().IsLoaded());
}

TEST_F(RateSheetScreenTest, SpotQuoteLimitCutsTheBreaksAndZeroSetsNoLimit) {
  modMain::Settings().SetI32(settings::kSpotQuoteWeightLimit, 1000);
  frmRateSheet& screen = Shown();
  EXPECT_TRUE(screen.chkWeight(3).Visible());
  EXPECT_FALSE(screen.chkWeight(4).Visible());

  const std::int32_t breaks[] = {0, 750, 20000};
  EXPECT_EQ(WeightBoxCaptions(breaks, 0), (std::vector<std::string>{"L7.5C", "7.5C", "20M"}));
  EXPECT_EQ(WeightBoxCaptions(breaks, 500), (std::vector<std::string>{"L7.5C"}));
}

TEST_F(RateSheetScreenTest, UsAndStateCodesExpandIntoPairs) {
  frmRateSheet& screen = Shown();
  EnterLow(screen, 5, "US");
  EXPECT_EQ(Pair(screen, 5), (std::pair<std::string, std::string>{"010", "994"}));
  EXPECT_TRUE(screen.txtSidelineZipLow(6).HasFocus());

  screen.txtSidelineZipLow(4).SetText("500");
  screen.txtSidelineZipHigh(4).SetText("510");
  EnterLow(screen, 2, "GA");
  EXPECT_EQ(Pair(screen, 2), (std::pair<std::string, std::string>{"300", "319"}));
  EXPECT_EQ(Pair(screen, 3), (std::pair<std::string, std::string>{"398", "399"}));
  EXPECT_EQ(Pair(screen, 4), (std::pair<std::string, std::string>{"", ""}));  // blanked
  EXPECT_TRUE(screen.txtSidelineZipLow(4).HasFocus());
}

TEST_F(RateSheetScreenTest, AStateNearTheLastRowNeverWritesPastIt) {
  frmRateSheet& screen = Shown();
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Not enough space to display all zips");
  EnterLow(screen, 15, "NY");
  EXPECT_EQ(Pair(screen, 15), (std::pair<std::string, std::string>{"005", "005"}));
  EXPECT_EQ(Pair(screen, 16), (std::pair<std::string, std::string>{"100", "149"}));
  EXPECT_TRUE(screen.btnWeightSelectAll.HasFocus());

  // One range in the last row: no message, nothing beyond it.
  EnterLow(screen, 16, "RI");
  EXPECT_EQ(Pair(screen, 16), (std::pair<std::string, std::string>{"028", "029"}));
  EXPECT_TRUE(screen.btnWeightSelectAll.HasFocus());
  EXPECT_EQ(user_.MessageBoxes().size(), 1u);
}

TEST_F(RateSheetScreenTest, UnknownCodeOrMissingFileIsAnInvalidZip) {
  frmRateSheet& screen = Shown();
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Zip");
  EnterLow(screen, 1, "KS");
  EXPECT_TRUE(screen.txtSidelineZipLow(1).HasFocus());
  EXPECT_EQ(Pair(screen, 2), (std::pair<std::string, std::string>{"", ""}));

  std::remove(dir_.File("zipcodes.fil").c_str());
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Zip");
  EnterLow(screen, 1, "GA");
  EXPECT_TRUE(screen.txtSidelineZipLow(1).HasFocus());
  EXPECT_EQ(Pair(screen, 1).second, "");
}

TEST_F(RateSheetScreenTest, PairChecksOnLeavingTheBoxes) {
  frmRateSheet& screen = Shown();
  ASSERT_TRUE(user_.TypeInto(screen.txtSidelineZipLow(1), "300"));
  user_.Tab();
  user_.Type("300");
  user_.Tab();  // equal ends pass
  EXPECT_TRUE(screen.txtSidelineZipLow(2).HasFocus());

  user_.Type("302");
  user_.Tab();
  user_.Type("300");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Low must be less than high");
  user_.Tab();
  EXPECT_TRUE(screen.txtSidelineZipLow(2).HasFocus());

  user_.ExpectMsgBox(MsgBoxResult::kOK, "You must enter a high zip");
  ASSERT_TRUE(user_.TypeInto(screen.txtSidelineZipLow(3), "400"));
  user_.Tab();
  user_.Tab();
  EXPECT_TRUE(screen.txtSidelineZipHigh(3).HasFocus());
}

// The heading and "Low"/"High" caption all 32 range boxes alike: a screen reader names each
// by its row, numbered in the order Tab visits them (down the first column, then the second).
TEST_F(RateSheetScreenTest, EachRangeBoxIsNamedByItsRow) {
  frmRateSheet& screen = Shown();
  std::vector<forms::TextBox*> boxes;
  for (int i = 1; i <= frmRateSheet::kPairs; ++i) {
    boxes.push_back(&screen.txtSidelineZipLow(i));
    boxes.push_back(&screen.txtSidelineZipHigh(i));
  }
  std::stable_sort(boxes.begin(), boxes.end(),
                   [](forms::TextBox* a, forms::TextBox* b) { return a->TabIndex() < b->TabIndex(); });
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    const std::string row = "Row " + std::to_string(k / 2 + 1);
    EXPECT_EQ(boxes[k]->AccessibleName(), row + (k % 2 == 0 ? " low" : " high"))
        << boxes[k]->DisplayName();
  }
  // Row 9 heads the second column, level with row 1.
  EXPECT_EQ(screen.txtSidelineZipLow(9).Top(), screen.txtSidelineZipLow(1).Top());
  EXPECT_GT(screen.txtSidelineZipLow(9).Left(), screen.txtSidelineZipHigh(1).Left());
}

TEST_F(RateSheetScreenTest, TabbingPastAnEmptyLowBoxEndsTheZipEntry) {
  frmRateSheet& screen = Shown();
  screen.txtSidelineZipLow(1).SetText("300");
  screen.txtSidelineZipHigh(1).SetText("302");
  user_.Focus(screen.txtSidelineZipLow(4));
  user_.Tab();
  EXPECT_TRUE(screen.btnWeightSelectAll.HasFocus());

  user_.ExpectMsgBox(MsgBoxResult::kOK, "You must enter at least one pair of zips");
  screen.txtSidelineZipLow(1).SetText("");
  user_.Focus(screen.txtSidelineZipLow(1));
  user_.Tab();
  EXPECT_TRUE(screen.txtSidelineZipLow(1).HasFocus());
}

class PrintChecksTest : public RateSheetScreenTest {
 protected:
  void SetUp() override {
    RateSheetScreenTest::SetUp();
    screen_ = &Shown();
    screen_->ShowRunDialog = [this] { calls_.push_back("run"); };
    screen_->txtHeadlineZip.SetText("30301");
    screen_->txtSidelineZipLow(2).SetText("300");
    screen_->txtSidelineZipHigh(2).SetText("302");
    screen_->chkWeight(1).SetValue(1);
    screen_->chkClass(1).SetValue(1);
  }
  void PrintFails(const std::string& message, forms::Control& focus) {
    user_.ExpectMsgBox(MsgBoxResult::kOK, message);
    user_.Click(screen_->btnPrint);
    EXPECT_EQ(user_.LastPrompt(), message);
    EXPECT_TRUE(focus.HasFocus()) << message;
    EXPECT_TRUE(calls_.empty());
  }
  frmRateSheet* screen_ = nullptr;
  std::vector<std::string> calls_;
};

TEST_F(PrintChecksTest, APassingDefinitionChoosesTariffsThenRuns) {
  dir_.Write("tariffs.dat", testkit::TariffListFile({{"US", "NORTHW01"},
                                                     {"GA", "GAINTRA1", true, "Georgia Rates"}}));
  user_.WhenShown("frmIntrastateTariffs", [this] {
    frmIntrastateTariffs& chooser = app_.Get<frmIntrastateTariffs>();
    user_.Click(chooser.chkIntrastateTariff(1));
    user_.Click(chooser.btnOK);
    calls_.push_back("intrastate");
  });
  user_.Click(screen_->btnPrint);
  EXPECT_EQ(calls_, (std::vector<std::string>{"intrastate", "run"}));
  EXPECT_EQ(modMain::Lane().IntrastateList[0], "GA");
  modMain::Lane().IntrastateList[0] = "";
}

TEST_F(PrintChecksTest, EachMissingPartIsReported) {
  screen_->chkClass(1).SetValue(0);
  PrintFails("You must select a class", screen_->chkClass(1));
  screen_->chkWeight(1).SetValue(0);
  PrintFails("You must select a weight", screen_->chkWeight(1));
  screen_->txtSidelineZipLow(2).SetText("");
  PrintFails("You must enter at least one zip range", screen_->txtSidelineZipLow(1));
  screen_->txtHeadlineZip.SetText(" ");
  PrintFails("You must enter a Headline Zip", screen_->txtHeadlineZip);
}

TEST_F(PrintChecksTest, PairsThatCouldNotEndAreRefused) {
  screen_->txtSidelineZipLow(3).SetText("100");
  screen_->txtSidelineZipHigh(3).SetText("K1A");
  PrintFails("Invalid Zip", screen_->txtSidelineZipHigh(3));
  screen_->txtSidelineZipHigh(3).SetText("09");
  PrintFails("Invalid Zip", screen_->txtSidelineZipHigh(3));
  screen_->txtSidelineZipHigh(3).SetText("099");
  PrintFails("Low must be less than high", screen_->txtSidelineZipLow(3));
  // A pair with one box filled is not walked, so it passes when another pair is filled.
  screen_->txtSidelineZipLow(3).SetText("");
  user_.Click(screen_->btnPrint);
  EXPECT_EQ(calls_.size(), 1u);
}

TEST(SidelinePairTest, EveryWalkEnds) {
  std::string prefix = "998";
  EXPECT_TRUE(StepWithinPair(prefix, "999"));
  EXPECT_EQ(prefix, "999");
  EXPECT_FALSE(StepWithinPair(prefix, "999"));  // 999 wraps to 000
  prefix = "K1Y";
  int steps = 0;
  while (StepWithinPair(prefix, "K2A")) ++steps;
  EXPECT_EQ(steps, 2);  // K1Z, K2A
  prefix = "3000";  // a text that does not step
  EXPECT_FALSE(StepWithinPair(prefix, "9999"));
  EXPECT_EQ(CheckSidelinePair("K1A", "K2B"), PairCheck::kOk);
  EXPECT_EQ(CheckSidelinePair("300", "300"), PairCheck::kOk);
}

TEST_F(RateSheetScreenTest, DefaultOriginAndLockRuleTheHeadline) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kDefaultOrigin, "303015");
  s.SetOn(settings::kOriginLocked, true);
  frmRateSheet& screen = Shown();
  user_.Focus(screen.txtSidelineZipLow(1));
  screen.optInBound.SetValue(true);
  user_.Focus(screen.txtHeadlineZip);
  EXPECT_EQ(screen.txtHeadlineZip.Text(), "30301");
  EXPECT_TRUE(screen.optOutBound.Value());
  EXPECT_FALSE(screen.optInBound.Enabled());
  user_.Type("4");
  user_.Press(forms::kKeyDelete);
  EXPECT_EQ(screen.txtHeadlineZip.Text(), "30301");

  s.SetOn(settings::kOriginLocked, false);
  user_.Focus(screen.txtSidelineZipLow(1));
  screen.txtHeadlineZip.SetText("");
  user_.Focus(screen.txtHeadlineZip);
  EXPECT_EQ(screen.txtHeadlineZip.Text(), "30301");  // restored at every entry
}

// A Canadian default origin does not fit the five-letter box whole: the headline is its
// prefix, so a locked origin never holds the user in a box that cannot pass.
TEST_F(RateSheetScreenTest, ACanadianDefaultOriginGivesItsPrefix) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kDefaultOrigin, "K1A0B1");
  s.SetOn(settings::kOriginLocked, true);
  frmRateSheet& screen = Shown();
  user_.Focus(screen.txtSidelineZipLow(1));
  user_.Focus(screen.txtHeadlineZip);
  EXPECT_EQ(screen.txtHeadlineZip.Text(), "K1A");
  user_.Tab();
  EXPECT_FALSE(screen.txtHeadlineZip.HasFocus());
  EXPECT_TRUE(user_.MessageBoxes().empty());
}

TEST_F(RateSheetScreenTest, AnInvalidHeadlineKeepsTheFocus) {
  frmRateSheet& screen = Shown();
  ASSERT_TRUE(user_.TypeInto(screen.txtHeadlineZip, "3030"));
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Zip");
  user_.Tab();
  EXPECT_TRUE(screen.txtHeadlineZip.HasFocus());
  // The options menu checks it as a Tab does and stays shut; Exit leaves without asking.
  user_.ExpectMsgBox(MsgBoxResult::kOK, "Invalid Zip");
  EXPECT_FALSE(user_.MenuClick(screen.mnuRateSheetOptions));
  EXPECT_TRUE(user_.AllMessageBoxesShown());
  EXPECT_TRUE(screen.txtHeadlineZip.HasFocus());
  user_.ExpectMsgBox(MsgBoxResult::kOK, "variable.dat");  // the settings read back: none here
  EXPECT_TRUE(user_.MenuClick(screen.mnuExit));
  EXPECT_FALSE(screen.IsLoaded());
  EXPECT_TRUE(user_.AllMessageBoxesShown());
}

TEST_F(RateSheetScreenTest, ResetClearsTheDefinitionButNotTheRunChoices) {
  frmRateSheet& screen = Shown();
  screen.txtHeadlineZip.SetText("30301");
  screen.optInBound.SetValue(true);
  screen.txtSidelineZipLow(7).SetText("300");
  screen.chkWeight(2).SetValue(1);
  screen.chkClass(3).SetValue(1);
  app_.Get<frmRateSheetOptions>().txtHeader(1).SetText("OUR RATES");
  modMain::Lane().IntrastateList[0] = "GA";
  UseZipDiscounts() = true;
  modMain::Settings().SetF64(settings::kIntrastateDiscounts, 12, 1);

  user_.Click(screen.btnStartOver);
  EXPECT_EQ(screen.txtHeadlineZip.Text(), "");
  EXPECT_TRUE(screen.optOutBound.Value());
  EXPECT_EQ(screen.txtSidelineZipLow(7).Text(), "");
  EXPECT_EQ(screen.chkWeight(2).Value(), 0);
  EXPECT_EQ(screen.chkClass(3).Value(), 0);
  EXPECT_EQ(modMain::Settings().F64(settings::kIntrastateDiscounts, 1), 0);
  EXPECT_TRUE(screen.txtHeadlineZip.HasFocus());
  EXPECT_EQ(app_.Get<frmRateSheetOptions>().txtHeader(1).Text(), "OUR RATES");
  EXPECT_EQ(modMain::Lane().IntrastateList[0], "GA");
  EXPECT_TRUE(UseZipDiscounts());
  modMain::Lane().IntrastateList[0] = "";
}

TEST_F(RateSheetScreenTest, ClosingRestoresTheSavedSettings) {
  testkit::SettingsFileWriter file;
  file.CompanyName("Example Freight").UsDiscount(2, 35).DiscountCount(1);
  file.Text(672, 65, "SAVED HEADER");
  dir_.Write("variable.dat", file.Bytes());
  std::string error;
  ASSERT_TRUE(modMain::LoadSettings(&error)) << error;
  frmRateSheet& screen = Shown();
  EXPECT_EQ(app_.Get<frmRateSheetOptions>().txtHeader(1).Text(), "SAVED HEADER");
  EXPECT_EQ(modMain::Settings().F64(settings::kUsDiscounts, 2), 0);
  app_.Get<frmRateSheetRun>().Load();
  user_.MenuClick(screen.mnuExit);
  EXPECT_FALSE(screen.IsLoaded());
  EXPECT_FALSE(app_.Get<frmRateSheetOptions>().IsLoaded());
  EXPECT_FALSE(app_.Get<frmRateSheetRun>().IsLoaded());
  EXPECT_EQ(modMain::Settings().F64(settings::kUsDiscounts, 2), 35);
  EXPECT_EQ(modMain::Settings().I16(settings::kDiscountCount), 1);
}

}  // namespace
}  // namespace frelane::ratesheet

namespace frelane::ratesheet {
namespace {

TEST_F(RateSheetScreenTest, TheRatingScreensFileMenuOpensItModally) {
  testkit::SettingsFileWriter file;
  file.CompanyName("Example Freight").Switch(557, true);  // rate sheets shown
  dir_.Write("variable.dat", file.Bytes());
  std::string error;
  ASSERT_TRUE(modMain::LoadSettings(&error)) << error;
  SetRateSheetScreen([this] { app_.Get<frmRateSheet>().ShowModal(); });
  frmRatingScreen& rating = app_.Get<frmRatingScreen>();
  rating.Show();
  bool shown = false;
  user_.WhenShown("frmRateSheet", [&] {
    frmRateSheet& sheet = app_.Get<frmRateSheet>();
    shown = sheet.Caption() == "Example Freight - Rate Sheet";
    user_.MenuClick(sheet.mnuExit);
  });
  user_.MenuClick(rating.mnuFileRateSheet);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(app_.Get<frmRateSheet>().IsLoaded());
  SetRateSheetScreen(nullptr);
}

}  // namespace
}  // namespace frelane::ratesheet

namespace frelane::ratesheet {
namespace {

TEST_F(RateSheetScreenTest, HeaderLinesAreEditedForTheSheetOnly) {
  modMain::Settings().SetText(settings::kRateSheetHeaderLines, "  OUR RATES  ", 2);
  frmRateSheet& screen = Shown();
  frmRateSheetOptions& options = app_.Get<frmRateSheetOptions>();
  user_.WhenShown("frmRateSheetOptions", [&] {
    EXPECT_EQ(options.txtHeader(2).Text(), "OUR RATES");
    user_.TypeInto(options.txtHeader(1), "FOR EXAMPLE CUSTOMER");
    user_.Click(options.btnOK);
  });
  user_.MenuClick(screen.mnuRateSheetOptions);
  EXPECT_TRUE(options.IsLoaded());  // hidden, its edits kept for the page
  EXPECT_EQ(options.txtHeader(1).Text(), "FOR EXAMPLE CUSTOMER");
  EXPECT_EQ(modMain::Settings().Text(settings::kRateSheetHeaderLines, 1), "");
  EXPECT_TRUE(screen.txtHeadlineZip.HasFocus());
  user_.WhenShown("frmRateSheetOptions", [&] {
    user_.Click(options.btnReset);
    EXPECT_EQ(options.txtHeader(1).Text(), "");
    user_.Click(options.btnOK);
  });
  user_.MenuClick(screen.mnuRateSheetOptions);
}

}  // namespace
}  // namespace frelane::ratesheet
