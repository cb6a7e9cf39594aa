// The printed rate sheet through the recording printer: the hand-worked page byte for byte,
// the layout without notes and towards the headline, page breaks that move whole rows,
// wrapped bracket and note lines, and texts too wide for the frame.
#include "frelane/ratesheet/rate_sheet_page.h"

#include <gtest/gtest.h>

#include "frelane/ratesheet/tests/output_test_support.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/read_file.h"

namespace frelane::ratesheet {
namespace {

using testing::DocumentPages;
using testing::DocumentText;
using testing::RowA;
using testing::RowB;

class RateSheetPageTest : public testing::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    dir_.Write("state.dat", testkit::StateFile({{300, "GA"}, {303, "GA"}, {606, "IL"}}));
    run_.StartRun();
    run_.PrintOutput = true;
  }
  const print::Document& Printed() {
    print::CurrentPrinter().EndDoc();
    return printers_->LastDocument();
  }

  print::testing::ScopedRecordingPrintSystem printers_;
  RateSheetRunState run_;
  RateSheetLayout layout_ = testing::SampleLayout();
  RateSheetPage page_{run_, layout_, print::CurrentPrinter()};
};

TEST_F(RateSheetPageTest, PrintsTheHandWorkedPage) {
  run_.WithNotes = true;
  run_.NoteNumber = 4;
  page_.PrintGroupRow(RowA(), false);
  page_.PrintGroupRow(RowB(), true);
  page_.PrintPageFooter();
  EXPECT_EQ(DocumentText(Printed()),
            testkit::ReadFile(FRELANE_RATESHEET_GOLDEN_DIR "/page_with_notes.txt"));
  EXPECT_EQ(run_.NoteNumber, 5);
  EXPECT_EQ(run_.PageNumber, 1);
  EXPECT_EQ(run_.PageLineCount, 0);
}

TEST_F(RateSheetPageTest, WithoutNotesTowardsTheHeadline) {
  run_.WithNotes = false;
  layout_.from_headline = false;
  layout_.headline_zip = "60601";
  page_.PrintGroupRow(RowA(), false);
  RateSheetGroup split = RowB("00-49");
  page_.PrintGroupRow(split, true);
  const std::vector<std::string> lines = DocumentPages(Printed()).at(0);
  ASSERT_EQ(lines.size(), 16u);  // header, 3 + 4 body lines, no note lines
  EXPECT_EQ(lines[5], "|INBOUND TO:   60601  IL" + std::string(71, ' ') + "|");
  EXPECT_EQ(lines[7], "|FROM:        ST  MC    CLASS    L5C     5C     1M     5M" +
                          std::string(38, ' ') + "|");
  EXPECT_EQ(lines[9], "|30000-30299  GA  8500   100     1234   1100    980    815" +
                          std::string(37, ' ') + "|");
  EXPECT_EQ(lines[12], "|30300-30349  GA  *      100     2345   2100   19901234567" +
                           std::string(37, ' ') + "|");
  EXPECT_EQ(lines[14].substr(0, 3), "|*[");
  EXPECT_EQ(run_.NoteNumber, 0);  // notes are numbered only when they are printed
}

TEST_F(RateSheetPageTest, ARowThatDoesNotFitStartsTheNextPage) {
  run_.WithNotes = false;
  // 19 rows of 3 lines (two classes and the rule) fill 57 lines; the 20th moves whole.
  for (int i = 0; i < 20; ++i) page_.PrintGroupRow(RowA(), false);
  EXPECT_EQ(run_.PageNumber, 2);
  EXPECT_EQ(run_.PageLineCount, 3);
  page_.PrintPageFooter();
  const auto pages = DocumentPages(Printed());
  ASSERT_EQ(pages.size(), 2u);
  for (const auto& lines : pages) {
    ASSERT_EQ(lines.size(), 69u);
    for (std::size_t i = 4; i < 9 + 57 && i < lines.size(); ++i) {
      if (!lines[i].empty()) {
        EXPECT_EQ(lines[i].size(), 96u) << i;
      }
    }
  }
  EXPECT_EQ(pages[0][9 + 57], "");  // one filler line after 57 body lines
  EXPECT_TRUE(pages[0][68].ends_with("1               Example Freight   EFFECTIVE 01-01-2027"));
  EXPECT_EQ(pages[0][68].size(), 94u);
  EXPECT_EQ(pages[1][0], pages[0][0]);  // the new page has its header
  EXPECT_EQ(pages[1][9], pages[0][9]);  // and the moved row at its top
  EXPECT_TRUE(pages[1][68].starts_with(std::string(40, ' ') + "2 "));
}

TEST_F(RateSheetPageTest, LongBracketAndNoteListsWrapAtTheirDelimiters) {
  run_.WithNotes = true;
  run_.NoteNumber = 4;
  RateSheetGroup row = RowB();
  row.BracketCount = 8;
  for (int k = 0; k < 8; ++k) {
    row.BracketWeights[k] = 1000 * (k + 1);
    row.BracketCharges[k] = 10000 + k;
  }
  row.BracketFlags = std::string(30, '1');
  row.ZipText.clear();
  for (int z = 0; z < 30; ++z) row.ZipText += (z ? "," : "") + std::string(z < 5 ? "0" : "") + std::to_string(z * 2);
  page_.PrintGroupRow(row, true);
  const std::vector<std::string> lines = DocumentPages(Printed()).at(0);
  // Class lines, two bracket lines, two note lines, the rule.
  ASSERT_EQ(lines.size(), 9u + 2 + 2 + 2 + 1);
  const std::string& bracket1 = lines[11];
  const std::string& bracket2 = lines[12];
  EXPECT_TRUE(bracket1.starts_with("|*[>999  100.00][>1999  100.01]"));
  EXPECT_EQ(bracket1.find_last_not_of(' ', 94), bracket1.rfind(']'));
  EXPECT_TRUE(bracket2.starts_with("| [>")) << bracket2;
  const std::string& note1 = lines[13];
  const std::string& note2 = lines[14];
  EXPECT_TRUE(note1.starts_with("|  Note    5 : Apply for GA 30300,02,04,"));
  EXPECT_EQ(note1[note1.find_last_not_of(' ', 94)], ',');
  EXPECT_TRUE(note2.starts_with("|" + std::string(30, ' ') + "4")) << note2;
  for (const std::string& line : lines) EXPECT_LE(line.size(), 96u);
}

TEST_F(RateSheetPageTest, NumbersWiderThanTheirColumnsArePrintedWhole) {
  run_.WithNotes = true;
  RateSheetGroup row = RowA("300-300");
  row.BracketCharges[0] = 12345678;
  row.Rates[0] = 87654321;
  page_.PrintGroupRow(row, false);
  const std::string line = DocumentPages(Printed()).at(0).at(9);
  EXPECT_EQ(line.substr(0, 46), "|300-300 GA       12345678100  87654321   1100");
  EXPECT_EQ(line.back(), '|');
}

TEST_F(RateSheetPageTest, TextsWiderThanTheFrameAreCut) {
  run_.WithNotes = true;
  layout_.company_name = std::string(50, 'C');
  layout_.effective_date_text = std::string(30, 'E');
  for (int i = 0; i < 9; ++i) layout_.weight_boxes[i] = {"100000M", 1000000 * (i + 1), true};
  layout_.weight_break_count = 9;
  page_.PrintPageHeader();
  run_.PageLineCount = 1;
  page_.PrintPageFooter();
  const std::vector<std::string> lines = DocumentPages(Printed()).at(0);
  EXPECT_EQ(lines[7].size(), 96u);
  EXPECT_EQ(lines[7].back(), '|');
  EXPECT_EQ(lines.back(), ("1" + std::string(15, ' ') + std::string(50, 'C') + "   " +
                           std::string(30, 'E')).substr(0, 94));
}

}  // namespace
}  // namespace frelane::ratesheet
