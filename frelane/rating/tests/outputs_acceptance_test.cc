// A real quote through the real engine library on the sample data set, printed and exported:
// what the printout and the export line carry is what the screen shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/print_quote.h"
#include "frelane/rating/shipment_export.h"
#include "frelane/rating/tests/sample_program_fixture.h"
#include "platform/print/display_list_text.h"
#include "platform/print/recording_print_system.h"
#include "platform/runtime/format.h"
#include "testkit/read_file.h"

namespace frelane {
namespace {

class OutputsAcceptanceTest : public testing::SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    modShipmentExport::ExportSettings() = {};
  }
  void TearDown() override {
    modShipmentExport::ExportSettings() = {};
    SampleProgramTest::TearDown();
  }

  frmRatingScreen& RatedQuote() {
    frmRatingScreen& s = Lane("30310", "60610", {});
    user_.TypeInto(s.cboClass(1), "100");
    user_.Tab();
    user_.Type("1200");
    user_.Tab();
    return s;
  }

  // Lane 30310 to 60610, class 100: 38.08 a hundredweight from 1000 lbs. The rated 1200 lbs
  // get 1600 typed over them, the box not left.
  frmRatingScreen& RetypedWeight() {
    frmRatingScreen& s = RatedQuote();
    EXPECT_EQ(s.lblTotalWeight.Caption(), "1200");
    user_.TypeInto(s.txtWeight(1), "1600");
    EXPECT_EQ(s.lblCharge(1).Caption(), "");  // the edit blanks the line until it is checked
    return s;
  }

  // Print or Export by one of four ways: 0 File > Print, 1 the toolbar's Print, 2 File >
  // Export, 3 the toolbar's Export. True when the command ran.
  bool PrintOrExport(frmRatingScreen& s, int way) {
    switch (way) {
      case 0: return user_.MenuClick(s.mnuFilePrint);
      case 1: return user_.Click(s.btnFilePrint, 10, 10);
      case 2: return user_.MenuClick(s.mnuFileExport);
      default: return user_.Click(s.btnFileExport, 10, 10);
    }
  }

  // The printed line that contains `text`, "" when none.
  std::string PrintedLine(const std::string& text) {
    const std::vector<std::string> lines =
        print::PageLines(printers_->LastDocument().pages.at(0));
    for (const std::string& line : lines) {
      if (line.find(text) != std::string::npos) return line;
    }
    return "";
  }

  void ExpectQuoteOf1600(frmRatingScreen& s) {
    EXPECT_EQ(s.lblRate(1).Caption(), "38.08 ");
    EXPECT_EQ(s.lblCharge(1).Caption(), "609.28 ");  // 16 x 38.08
    EXPECT_EQ(s.lblTotalWeight.Caption(), "1600");
    EXPECT_TRUE(s.txtWeight(1).HasFocus());  // the user goes on where they were
  }

  void ExpectPrinted1600() {
    ASSERT_FALSE(printers_->jobs().empty());
    EXPECT_EQ(PrintedLine("Origin      ").substr(55),
              " 100" + std::string(7, ' ') + "    1600" + "    38.08 " + "    609.28 ");
    const std::string weight = PrintedLine("Total Weight");
    EXPECT_EQ(weight.substr(weight.size() - 6), "  1600");
  }

  // Lane 30301 to 60601, class 100, 1500 lbs quoted; then `weight` typed over the 1500, the
  // box not left.
  void QuoteThenRetype(frmRatingScreen& s, const std::string& weight) {
    user_.TypeInto(s.cboClass(1), "100");
    user_.Tab();
    user_.Type("1500");
    user_.Tab();
    EXPECT_EQ(s.lblTotalWeight.Caption(), "1500");
    user_.TypeInto(s.txtWeight(1), weight);
  }

  print::testing::ScopedRecordingPrintSystem printers_;
};

TEST_F(OutputsAcceptanceTest, PrintedAndExportedQuoteCarryTheScreensValues) {
  frmRatingScreen& s = RatedQuote();
  const std::string total = s.lblTotalCharge.Caption();
  ASSERT_FALSE(modMain::Trim(total).empty()) << "the lane was not rated";
  ASSERT_TRUE(s.lblTotalChargeLabel.Visible());

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  user_.MenuClick(s.mnuFilePrint);
  ASSERT_EQ(printers_->jobs().size(), 1u);
  const std::string origin = PrintedLine("Origin      ");
  EXPECT_EQ(origin.substr(12, 8), "30310   ");
  EXPECT_EQ(origin.substr(55), " 100" + std::string(7, ' ') + "    1200" +
                                   std::string(10 - s.lblRate(1).Caption().size(), ' ') +
                                   s.lblRate(1).Caption() +
                                   std::string(11 - s.lblCharge(1).Caption().size(), ' ') +
                                   s.lblCharge(1).Caption());
  const std::string total_row = PrintedLine("Total Charge");
  ASSERT_EQ(total_row.size(), 95u);
  EXPECT_EQ(total_row.substr(95 - total.size()), total);
  EXPECT_NE(PrintedLine("Quotes are valid for thirty days."), "");

  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("quotes.prn")};
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  user_.MenuClick(s.mnuFileExport);
  const std::string file = testkit::ReadFile(dir_.File("quotes.prn"));
  ASSERT_EQ(file.size(), 253u + 2);
  EXPECT_EQ(file.substr(15, 5), "30310");
  EXPECT_EQ(file.substr(20, 2), s.lblOriginState.Caption().substr(0, 2));
  EXPECT_EQ(file.substr(22, 5), "60610");
  EXPECT_EQ(file.substr(27, 2), s.lblDestinationState.Caption().substr(0, 2));
  EXPECT_EQ(file.substr(29, 6), "001200");
  EXPECT_EQ(file.substr(109, 14),
            runtime::Format(modMain::SafeValue(total), "00000000000.00"));  // NET_$
  EXPECT_EQ(file.substr(125, 3), "100");
  EXPECT_EQ(modMain::SafeValue(file.substr(128, 6)), 1200);
  EXPECT_EQ(modMain::SafeValue(file.substr(134, 7)), modMain::SafeValue(s.lblRate(1).Caption()));
  EXPECT_EQ(file.substr(141, 112), std::string(112, ' '));
  EXPECT_EQ(file.substr(253), "\r\n");
}

// A weight or class typed over the quote and not yet left, then printed or exported from the
// menu or the toolbar: the output carries the new entry rated, or, refused, nothing goes out.
TEST_F(OutputsAcceptanceTest, PrintFromTheMenuRatesTheTypedWeightFirst) {
  frmRatingScreen& s = RetypedWeight();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  EXPECT_TRUE(user_.MenuClick(s.mnuFilePrint));
  ExpectQuoteOf1600(s);
  ExpectPrinted1600();
}

TEST_F(OutputsAcceptanceTest, PrintFromTheToolbarRatesTheTypedWeightFirst) {
  frmRatingScreen& s = RetypedWeight();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  EXPECT_TRUE(user_.Click(s.btnFilePrint, 10, 10));
  ExpectQuoteOf1600(s);
  ExpectPrinted1600();
}

// With a default weight, the box the toolbar gives the focus back to, or that a closed
// dialog leaves it in, keeps the weight the user typed: printed or recalculated, the quote
// stays the one on the screen.
TEST_F(OutputsAcceptanceTest, TheFocusGivenBackKeepsTheTypedWeightOverTheDefault) {
  modMain::Settings().SetI32(settings::kDefaultWeight, 500);
  frmRatingScreen& s = RetypedWeight();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  EXPECT_TRUE(user_.Click(s.btnFilePrint, 10, 10));
  EXPECT_EQ(s.txtWeight(1).Text(), "1600");
  ExpectQuoteOf1600(s);
  ExpectPrinted1600();

  frmAccessorialCharges& dialog = app_.Get<frmAccessorialCharges>();
  for (bool toolbar : {true, false}) {
    user_.WhenShown("frmAccessorialCharges", [&] { user_.Click(dialog.btnOK); });
    EXPECT_TRUE(toolbar ? user_.Click(s.btnEditAccessorialCharges, 10, 10)
                        : user_.MenuClick(s.mnuEditAccessorialCharges));
    EXPECT_EQ(s.txtWeight(1).Text(), "1600") << toolbar;
    ExpectQuoteOf1600(s);
  }
  // Entered anew, the box offers the default again.
  user_.Tab();
  user_.ShiftTab();
  EXPECT_EQ(s.txtWeight(1).Text(), "500");
}

TEST_F(OutputsAcceptanceTest, ExportFromTheMenuAndTheToolbarCarriesTheTypedWeight) {
  frmRatingScreen& s = RetypedWeight();
  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("menu.prn")};
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  EXPECT_TRUE(user_.MenuClick(s.mnuFileExport));
  ExpectQuoteOf1600(s);
  std::string file = testkit::ReadFile(dir_.File("menu.prn"));
  ASSERT_EQ(file.size(), 255u);
  EXPECT_EQ(file.substr(29, 6), "001600");  // ACTL_WT
  EXPECT_EQ(file.substr(128, 6), "001600");  // line 1

  user_.TypeInto(s.txtWeight(1), "1500");
  modShipmentExport::ExportSettings().PathFile = dir_.File("toolbar.prn");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  EXPECT_TRUE(user_.Click(s.btnFileExport, 10, 10));
  EXPECT_EQ(s.lblTotalWeight.Caption(), "1500");
  file = testkit::ReadFile(dir_.File("toolbar.prn"));
  ASSERT_EQ(file.size(), 255u);
  EXPECT_EQ(file.substr(29, 6), "001500");
}

TEST_F(OutputsAcceptanceTest, ARefusedClassStopsPrintAndExport) {
  frmRatingScreen& s = RetypedWeight();
  user_.Tab();
  user_.TypeInto(s.cboClass(1), "93");
  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("refused.prn")};
  for (int attempt = 0; attempt < 4; ++attempt) {
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Class");
    EXPECT_FALSE(PrintOrExport(s, attempt)) << attempt;
    EXPECT_TRUE(user_.AllMessageBoxesShown()) << attempt;
    EXPECT_TRUE(s.cboClass(1).HasFocus()) << attempt;
  }
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("refused.prn")));
  EXPECT_EQ(s.lblTotalWeight.Caption(), "1600");  // the 1600 was rated on leaving its box

  // Reset throws the quote away and asks nothing.
  EXPECT_TRUE(user_.MenuClick(s.mnuFileReset));
  EXPECT_EQ(s.cboClass(1).Text(), "");
  EXPECT_TRUE(s.txtOrigin.HasFocus());
}

// 15000 lbs typed over the quote, over the sample's spot-quote limit of 10,000 lbs, and not
// left: the check before File > Print or Export shows the notice and clears the shipment,
// and then neither the menu item nor the toolbar button acts. The user goes on in the box.
TEST_F(OutputsAcceptanceTest, AShipmentOverTheSpotQuoteLimitIsNeitherPrintedNorExported) {
  frmRatingScreen& s = Lane("30301", "60601", {});
  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("spot.prn")};
  for (int attempt = 0; attempt < 4; ++attempt) {
    QuoteThenRetype(s, "15000");
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Spot Quote Desk");
    EXPECT_FALSE(PrintOrExport(s, attempt)) << attempt;
    EXPECT_TRUE(user_.AllMessageBoxesShown()) << attempt;
    EXPECT_NE(user_.LastPrompt().find("Spot Quote Desk"), std::string::npos) << attempt;
    EXPECT_EQ(s.txtWeight(1).Text(), "") << attempt;
    EXPECT_EQ(s.lblTotalCharge.Caption(), "") << attempt;
    EXPECT_TRUE(s.txtWeight(1).HasFocus()) << attempt;
  }
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("spot.prn")));

  // What the user types next goes into the weight box; under the limit it prints and
  // exports as ever.
  user_.Type("9000");
  EXPECT_EQ(s.txtWeight(1).Text(), "9000");
  QuoteThenRetype(s, "9000");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  EXPECT_TRUE(user_.MenuClick(s.mnuFilePrint));
  ASSERT_EQ(printers_->jobs().size(), 1u);
  EXPECT_EQ(PrintedLine("Origin      ").substr(55, 19), " 100" + std::string(7, ' ') + "    9000");
  user_.TypeInto(s.txtWeight(1), "8000");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Rating data exported to");
  EXPECT_TRUE(user_.Click(s.btnFileExport, 10, 10));
  const std::string file = testkit::ReadFile(dir_.File("spot.prn"));
  ASSERT_EQ(file.size(), 255u);
  EXPECT_EQ(file.substr(29, 6), "008000");  // ACTL_WT
  EXPECT_TRUE(s.txtWeight(1).HasFocus());
}

// A point typed and not left that makes a lane the engine cannot rate: the menu's and the
// toolbar's Print and Export say so as leaving the box would, and do nothing.
TEST_F(OutputsAcceptanceTest, AnUnratedLaneIsNeitherPrintedNorExported) {
  frmRatingScreen& s = Lane("30301", "60601", {});
  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("unrated.prn")};
  for (int attempt = 0; attempt < 4; ++attempt) {
    user_.TypeInto(s.txtOrigin, "000");
    user_.Tab();
    user_.TypeInto(s.txtDestination, "606");
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
    EXPECT_FALSE(PrintOrExport(s, attempt)) << attempt;
    EXPECT_TRUE(user_.AllMessageBoxesShown()) << attempt;
    EXPECT_TRUE(s.txtOrigin.HasFocus()) << attempt;
  }
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("unrated.prn")));
}

}  // namespace
}  // namespace frelane
