// The printed quote on the recording printer: two whole quotes against printouts worked out
// by hand, the heading picture's place, and what a failing printer leaves behind.
#include "frelane/rating/print_quote.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/outputs_fixture.h"
#include "platform/os/cp1252.h"
#include "platform/print/display_list_text.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"
#include "testkit/app/picture_writer.h"
#include "testkit/geo/screen_files.h"
#include "testkit/read_file.h"

namespace frelane {
namespace {

std::string Left55(std::string text) {
  text.resize(55, ' ');
  return text;
}

std::vector<std::string> GoldenLines(const std::string& name) {
  std::istringstream in(testkit::ReadFile(std::string(FRELANE_RATING_GOLDEN_DIR) + "/" + name));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void SetLine(frmRatingScreen& s, int line, const char* cls, const char* fak, const char* weight,
             const char* rate, const char* charge) {
  s.cboClass(line).SetText(cls);
  s.lblFAK(line).SetCaption(fak);
  s.txtWeight(line).SetText(weight);
  s.lblRate(line).SetCaption(rate);
  s.lblCharge(line).SetCaption(charge);
}

void ShowTotal(forms::Label& label, forms::Label& amount, const char* value) {
  label.SetVisible(true);
  amount.SetCaption(value);
}

class PrintQuoteTest : public testing::OutputsTest {
 protected:
  // A two-line US quote in terminal mode with FAK classes.
  frmRatingScreen& UsQuote() {
    modMain::Settings().SetOn(settings::kTerminalServiceGuide, true);
    modMain::Settings().SetOn(settings::kFakInUse, true);
    frmRatingScreen& s = Screen();
    // The points first: a point's change clears the lane's labels.
    s.txtOrigin.SetText("30301");
    s.txtDestination.SetText("60609");
    s.lblOriginState.SetCaption("GA");
    s.lblOriginTerminal.SetCaption("ATL");
    s.lblServiceDays.SetCaption("2 Day(s)");
    s.lblDestinationState.SetCaption("IL");
    s.lblDestinationTerminal.SetCaption("CHI");
    s.lblServiceType.SetCaption("Direct");
    SetLine(s, 1, "70", "65", "1250", "19.65 ", "245.63 ");
    SetLine(s, 2, "92", "85", "400", "28.40 ", "113.60 ");
    s.lblTotalWeightLabel.SetVisible(true);
    s.lblTotalWeight.SetCaption("1650");
    ShowTotal(s.lblUndiscountedChargeLabel, s.lblUndiscountedCharge, "359.23 ");
    ShowTotal(s.lblDiscountLabel, s.lblDiscount, "197.58 ");
    ShowTotal(s.lblNetLabel, s.lblNet, "161.65 ");
    ShowTotal(s.lblFuelSurchargeLabel, s.lblFuelSurcharge, "29.91 ");
    ShowTotal(s.lblTotalChargeLabel, s.lblTotalCharge, "191.56 ");
    s.lblRBN.SetCaption("RBN 4417");
    s.lblServiceDisclaimer.SetCaption("Service days are estimates.");
    s.lblServiceDisclaimer.SetVisible(true);
    dir_.Write("PrintDisclaimer.dat",
               testkit::DisclaimerFile(
                   {"All rates are quoted from the tariff in force on the ship date and are "
                    "subject to the rules tariff of the carrier.\r\nQuotes are valid for thirty "
                    "days."}));
    return s;
  }

  // A one-line Canadian quote with City Lookup, a deficit, accessorials and the currency rows.
  frmRatingScreen& CanadianQuote() {
    modMain::Settings().SetOn(settings::kCityLookupShown, true);
    frmRatingScreen& s = Screen();
    s.txtOrigin.SetText("K1A0B1");
    s.txtDestination.SetText("30301");
    s.lblOriginState.SetCaption("ON");
    s.cboOriginCity.AddItem("OTTAWA");
    s.cboOriginCity.SetListIndex(0);
    s.lblDestinationState.SetCaption("GA");
    s.cboDestinationCity.AddItem("ATLANTA");
    s.cboDestinationCity.SetListIndex(0);
    SetLine(s, 1, "100", "", "800", "41.00 ", "328.00 ");
    s.lblZipDisclaimer.SetCaption("Delivery appointment required");
    s.lblZipDisclaimer.SetVisible(true);
    s.lblDeficitLabel.SetVisible(true);
    s.lblDeficitWeight.SetCaption("200");
    s.lblDeficitRate.SetCaption("41.00 ");
    s.lblDeficitCharge.SetCaption("82.00 ");
    s.lblTotalWeightLabel.SetVisible(true);
    s.lblTotalWeight.SetCaption("1000");
    ShowTotal(s.lblUndiscountedChargeLabel, s.lblUndiscountedCharge, "410.00 ");
    ShowTotal(s.lblDiscountLabel, s.lblDiscount, "143.50 ");
    ShowTotal(s.lblNetLabel, s.lblNet, "266.50 ");
    ShowTotal(s.lblAccessorialChargeLabel, s.lblAccessorialCharge, "25.00 ");
    s.lblTotalChargeLabel.SetCaption("Total US Charge");
    ShowTotal(s.lblTotalChargeLabel, s.lblTotalCharge, "291.50 ");
    ShowTotal(s.lblCanCurrencyExchangeLabel, s.lblCanCurrencyExchange, "106.40 ");
    ShowTotal(s.lblTotalCanChargeLabel, s.lblTotalCanCharge, "397.90 ");
    s.lblRBN.SetCaption("RBN 88213");
    s.lblChargeDisclaimer.SetCaption(
        "Charges in Canadian dollars are estimates.\r\nExchange at the rate in force on the ship "
        "date.");
    s.lblChargeDisclaimer.SetVisible(true);
    return s;
  }

  std::vector<std::string> PrintedLines() {
    const print::Document& doc = printers_->LastDocument();
    EXPECT_EQ(doc.pages.size(), 1u);
    return print::PageLines(doc.pages.at(0), /*mark_bold=*/true);
  }
};

TEST_F(PrintQuoteTest, UsQuoteWithTerminalsFakAndStoredDisclaimer) {
  frmRatingScreen& s = UsQuote();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "12/09/2026");
  EXPECT_EQ(PrintedLines(), GoldenLines("quote_us.txt"));
  EXPECT_EQ(s.PendingPrintText, "");
  // Every text is in the fixed-pitch font at 10 points from the caption on.
  for (const print::PrintOp& op : printers_->LastDocument().pages[0].ops) {
    if (const auto* text = std::get_if<print::op::Text>(&op)) {
      EXPECT_EQ(text->font.name, "Courier New");
    }
  }
}

TEST_F(PrintQuoteTest, CanadianQuoteWithCityDeficitAndCurrencyRows) {
  frmRatingScreen& s = CanadianQuote();
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "9/12/26");
  EXPECT_EQ(PrintedLines(), GoldenLines("quote_ca.txt"));
}

TEST_F(PrintQuoteTest, LongCaptionsNeverBreakARowAndALongNoticeGoesOnBelow) {
  frmRatingScreen& s = CanadianQuote();
  s.lblZipDisclaimer.SetCaption(std::string(70, 'Z') + "\r\nsecond line");
  s.lblCanCurrencyExchangeLabel.SetCaption(std::string(40, 'L'));
  s.lblRBN.SetCaption(std::string(100, 'R'));
  s.lblTotalChargeLabel.SetVisible(false);
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "9/12/26");
  std::vector<std::string> lines = PrintedLines();
  ASSERT_EQ(lines.size(), 31u);
  // The notice fills line 4's lead and goes on in the leads below, breaking where it breaks.
  EXPECT_EQ(lines[8], std::string(55, 'Z') + std::string(40, ' '));
  EXPECT_EQ(lines[9], std::string(15, 'Z') + std::string(40 + 40, ' '));
  EXPECT_EQ(lines[10], "second line" + std::string(44 + 40, ' '));
  EXPECT_EQ(lines[11], std::string(95, ' '));
  // A hidden total drops its rule and leaves an empty line in its place.
  EXPECT_EQ(lines[20].substr(0, 3), "<b>");
  EXPECT_EQ(lines[21], "");
  EXPECT_EQ(lines[22], "<b>" + std::string(53, ' ') + std::string(30, 'L') + "</b>  " +
                           "   106.40 ");
  EXPECT_EQ(lines[26], "<b>Printed 9/12/26 " + std::string(100, 'R') + "</b>");
}

TEST_F(PrintQuoteTest, ANoticeOfSeveralWordsIsCutAtBlanksAndPrintsWhole) {
  frmRatingScreen& s = CanadianQuote();
  s.lblZipDisclaimer.SetCaption(
      "Deliveries to this point need an appointment and can take an extra day.");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "9/12/26");
  std::vector<std::string> lines = PrintedLines();
  EXPECT_EQ(lines.at(8).substr(0, 55), Left55("Deliveries to this point need an appointment and can"));
  EXPECT_EQ(lines.at(9).substr(0, 55), Left55("take an extra day."));
  EXPECT_EQ(lines.at(10).substr(0, 55), std::string(55, ' '));
}

TEST_F(PrintQuoteTest, LineFourCarriesTheIntrastateTariffBeforeTheZipDisclaimer) {
  frmRatingScreen& s = CanadianQuote();
  s.ShowIntrastateTariff("GA Intrastate Tariff 200");
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "9/12/26");
  std::vector<std::string> lines = PrintedLines();
  EXPECT_EQ(lines.at(8), "GA Intrastate Tariff 200" + std::string(31 + 40, ' '));
}

TEST_F(PrintQuoteTest, TheRateBasisEndsAtColumn94WhateverTheDate) {
  frmRatingScreen& s = CanadianQuote();
  for (const std::string date : {"9/12/26", "9 d\u00e9c. 2026"}) {
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
    PrintQuote(s, date);
    std::vector<std::string> lines = PrintedLines();
    auto footer = std::find_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.starts_with("<b>Printed"); });
    ASSERT_NE(footer, lines.end());
    const std::string text = footer->substr(3, footer->size() - 7);
    EXPECT_EQ(os::DecodeUtf8(text).size(), 94u) << text;
    EXPECT_TRUE(text.ends_with(" RBN 88213")) << text;
  }
}

TEST_F(PrintQuoteTest, HeadingPictureIsCentredOrStartsLeftOfThePage) {
  frmRatingScreen& s = Screen();
  testkit::Canvas small(100, 20, {0, 0, 128});
  dir_.Write("printhdr.BMP", testkit::BmpBytes(small));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "1/1/27");
  std::string listing = print::OperationListing(printers_->LastDocument());
  // Page 11520 twips, picture 1500 x 300: (11520 - 1500) / 2 - 300; text from 300 + 150.
  EXPECT_NE(listing.find("picture 4710,100 1500x300"), std::string::npos) << listing;
  EXPECT_NE(listing.find("text 0,450 \"Courier New\" 10 bold \"Example Freight"),
            std::string::npos)
      << listing;
  EXPECT_FALSE(s.imgPicture2.GetPicture().empty());

  testkit::Canvas wide(800, 20, {0, 0, 128});
  dir_.Write("printhdr.BMP", testkit::BmpBytes(wide));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "1/1/27");
  listing = print::OperationListing(printers_->LastDocument());
  EXPECT_NE(listing.find("picture -299,100 12000x300"), std::string::npos) << listing;
}

// Cancel in the printer's own file dialog is the user's: nothing printed, nothing said.
TEST_F(PrintQuoteTest, ACancelledPrintSaysNothing) {
  frmRatingScreen& s = UsQuote();
  printers_->CancelNextSubmit();
  PrintQuote(s, "12/09/2026");
  EXPECT_TRUE(user_.MessageBoxes().empty());
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "12/09/2026");
  EXPECT_EQ(printers_->jobs().size(), 1u);
}

TEST_F(PrintQuoteTest, AFailingPrinterPrintsNothingMoreAndSaysSo) {
  frmRatingScreen& s = UsQuote();
  printers_->FailOperation("Print", 5, print::PrinterError(482, "Printer error"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred.\r\nPrinter error");
  PrintQuote(s, "12/09/2026");
  EXPECT_TRUE(printers_->jobs().empty());
  EXPECT_FALSE(print::CurrentPrinter().HasOpenDocument());

  printers_->FailNextSubmit(print::PrinterError(482, "The PDF file could not be written"));
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "could not be written");
  PrintQuote(s, "12/09/2026");
  EXPECT_TRUE(printers_->jobs().empty());

  // No printer at all.
  auto none = std::make_unique<print::testing::RecordingPrintSystem>();
  none->SetPrinters({}, -1);
  {
    print::testing::ScopedRecordingPrintSystem no_printers(std::move(none));
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Error # 482 occurred.");
    PrintQuote(s, "12/09/2026");
    EXPECT_TRUE(no_printers->jobs().empty());
  }

  // The next print goes out whole.
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Information Printed");
  PrintQuote(s, "12/09/2026");
  EXPECT_EQ(PrintedLines(), GoldenLines("quote_us.txt"));
}

}  // namespace
}  // namespace frelane
