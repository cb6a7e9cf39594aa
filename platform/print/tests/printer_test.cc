#include "platform/print/printer.h"

#include <gtest/gtest.h>

#include "platform/print/display_list_text.h"
#include "platform/print/recording_print_system.h"

namespace print {
namespace {

using testing::RecordingPrintSystem;

class PrinterTest : public ::testing::Test {
 protected:
  PrinterTest() : printer_(system_, system_.Printers()[0]) {
    printer_.SetFontName("Courier New");
    printer_.SetFontSize(10);
  }

  std::string Listing() const { return OperationListing(printer_.OpenDocument()); }

  RecordingPrintSystem system_;
  Printer printer_;
};

TEST_F(PrinterTest, ARunWithoutLineEndKeepsItsLineAndEveryBreakStartsANewOne) {
  printer_.SetFontBold(true);
  printer_.Print("Origin      ", PrintEnd::kStay);
  printer_.SetFontBold(false);
  printer_.Print("30301");
  printer_.Print();
  printer_.Print("a\r\nb\nc", PrintEnd::kStay);
  EXPECT_EQ(Listing(),
            "page 1\n"
            "text 0,0 \"Courier New\" 10 bold \"Origin      \"\n"
            "text 1440,0 \"Courier New\" 10 \"30301\"\n"
            "text 0,227 \"Courier New\" 10 \"\"\n"
            "text 0,454 \"Courier New\" 10 \"a\"\n"
            "text 0,681 \"Courier New\" 10 \"b\"\n"
            "text 0,908 \"Courier New\" 10 \"c\"\n");
  EXPECT_EQ(printer_.CurrentX(), 120);
  EXPECT_EQ(printer_.CurrentY(), 908);
  EXPECT_EQ(PageLines(printer_.OpenDocument().pages[0], true),
            (std::vector<std::string>{"<b>Origin      </b>30301", "", "a", "b", "c"}));
}

TEST_F(PrinterTest, LineAdvanceUsesTheFontInForceAtTheLineEnd) {
  printer_.SetFontSize(20);
  printer_.Print("big", PrintEnd::kStay);
  printer_.SetFontSize(10);
  printer_.Print("small");
  EXPECT_EQ(printer_.CurrentY(), 227);
  EXPECT_EQ(printer_.TextHeight("one\r\ntwo"), 454);
  EXPECT_EQ(printer_.TextWidth("ab\r\nabcd"), 480);
}

TEST_F(PrinterTest, CommaMovesToTheNextFourteenColumnZone) {
  printer_.Print("ab", PrintEnd::kNextZone);
  EXPECT_EQ(printer_.CurrentX(), 14 * 120);
  printer_.Print("", PrintEnd::kNextZone);
  EXPECT_EQ(printer_.CurrentX(), 28 * 120);
}

TEST_F(PrinterTest, AbsolutePositionsLinesBoxesAndPictures) {
  printer_.SetCurrentX(9700);
  printer_.SetCurrentY(400);
  printer_.Print("Page  1  of  2");
  printer_.SetDrawWidth(6);
  printer_.Box(100, 0, 11150, 14850);
  printer_.SetDrawWidth(3);
  printer_.Line(1200, 7760, 1200, 9850);
  EXPECT_EQ(printer_.CurrentX(), 1200);
  EXPECT_EQ(printer_.CurrentY(), 9850);
  printer_.Box(10, 20, 30, 40, true);
  printer_.PaintPicture(Picture{"PrintHdr.bmp", nullptr, 2880, 720}, -299, 100);
  printer_.PaintPicture(Picture{"logo.gif", nullptr, 100, 100}, 0, 0, 50, 60);
  EXPECT_EQ(Listing(),
            "page 1\n"
            "text 9700,400 \"Courier New\" 10 \"Page  1  of  2\"\n"
            "box 100,0 11150,14850 w6\n"
            "line 1200,7760 1200,9850 w3\n"
            "box 10,20 30,40 w3 filled\n"
            "picture -299,100 2880x720 \"PrintHdr.bmp\"\n"
            "picture 0,0 50x60 \"logo.gif\"\n");
}

TEST_F(PrinterTest, JobOpensOnFirstDrawingAndEndDocSendsItOnce) {
  printer_.EndDoc();
  EXPECT_TRUE(system_.jobs().empty()) << "nothing drawn, nothing sent";
  EXPECT_EQ(printer_.Page(), 1);
  printer_.Print("one");
  printer_.NewPage();
  EXPECT_EQ(printer_.Page(), 2);
  EXPECT_EQ(printer_.CurrentY(), 0);
  printer_.Print("two");
  printer_.EndDoc();
  ASSERT_EQ(system_.jobs().size(), 1u);
  EXPECT_EQ(system_.jobs()[0].printer.device_name, "Recording Printer");
  const Document& job = system_.LastDocument();
  ASSERT_EQ(job.pages.size(), 2u);
  EXPECT_EQ(PageLines(job.pages[1]), std::vector<std::string>{"two"});
  EXPECT_FALSE(printer_.HasOpenDocument());
  EXPECT_EQ(printer_.Page(), 1);
  EXPECT_EQ(printer_.FontName(), "Courier New") << "font settings outlive the job";
}

TEST_F(PrinterTest, KillDocDiscardsAndTheNextDrawingStartsANewJob) {
  printer_.Print("discarded");
  printer_.KillDoc();
  printer_.EndDoc();
  EXPECT_TRUE(system_.jobs().empty());
  printer_.Print("kept");
  printer_.EndDoc();
  ASSERT_EQ(system_.jobs().size(), 1u);
  EXPECT_EQ(PageLines(system_.LastDocument().pages[0]), std::vector<std::string>{"kept"});
}

TEST_F(PrinterTest, NewPageOnAFreshJobLeavesABlankFirstPage) {
  printer_.NewPage();
  printer_.Print("x");
  printer_.EndDoc();
  ASSERT_EQ(system_.LastDocument().pages.size(), 2u);
  EXPECT_TRUE(system_.LastDocument().pages[0].ops.empty());
}

TEST_F(PrinterTest, FailuresRaiseTheirErrorAndLeaveNoHalfState) {
  system_.FailNextSubmit(PrinterError(482, "Printer error"));
  printer_.Print("lost");
  EXPECT_THROW(printer_.EndDoc(), PrinterError);
  EXPECT_FALSE(printer_.HasOpenDocument()) << "a failed send still closes the job";
  EXPECT_TRUE(system_.jobs().empty());

  system_.FailOperation("FontBold", 2, PrinterError(482, "gone"));
  printer_.SetFontBold(true);
  EXPECT_THROW(printer_.SetFontBold(false), PrinterError);
  EXPECT_TRUE(printer_.FontBold());

  try {
    printer_.SetFontSize(0);
    FAIL() << "size 0 accepted";
  } catch (const PrinterError& error) {
    EXPECT_EQ(error.number(), 380);
  }
  EXPECT_EQ(printer_.FontSize(), 10.0f);
  EXPECT_THROW(printer_.SetDrawWidth(0), PrinterError);
  EXPECT_THROW(printer_.PaintPicture(Picture{}, 0, 0), PrinterError);
}

TEST(PrinterWithoutDeviceTest, EndDocReportsThatNoPrinterIsInstalled) {
  RecordingPrintSystem system;
  system.SetPrinters({}, -1);
  Printer printer(system, PrinterInfo{});
  printer.Print("x");
  try {
    printer.EndDoc();
    FAIL() << "a job without a printer reported success";
  } catch (const PrinterError& error) {
    EXPECT_EQ(error.number(), 482);
  }
  EXPECT_TRUE(system.jobs().empty());
}

}  // namespace
}  // namespace print
