// The rating screen's rules that need no window: printed lines, toolbar places and the
// disclaimer files.
#include <gtest/gtest.h>

#include <string>

#include "frelane/rating/disclaimer_files.h"
#include "frelane/rating/print_lines.h"
#include "frelane/rating/toolbar_layout.h"
#include "testkit/geo/screen_files.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

std::vector<std::string> AllLines(std::string text) {
  std::vector<std::string> lines;
  while (!text.empty()) lines.push_back(NextPrintLine(text));
  return lines;
}

TEST(NextPrintLine, CutsAtLineBreaksBlanksOrTheWidth) {
  std::vector<std::string> lines = AllLines(std::string(200, 'x'));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 94u);
  EXPECT_EQ(lines[1].size(), 94u);
  EXPECT_EQ(lines[2].size(), 12u);

  // A line break at position 95 still ends the line, trimmed.
  std::string text = " " + std::string(93, 'a') + "\r\n  next  ";
  EXPECT_EQ(NextPrintLine(text), std::string(93, 'a'));
  EXPECT_EQ(text, "next");
  // At position 96 the text is cut at the last blank of the first 94.
  text = std::string(50, 'a') + " " + std::string(44, 'b') + "\r\nc";
  EXPECT_EQ(NextPrintLine(text), std::string(50, 'a'));
  EXPECT_EQ(text, std::string(44, 'b') + "\r\nc");
  // A short text goes whole, untrimmed.
  text = "  short ";
  EXPECT_EQ(NextPrintLine(text), "  short ");
  EXPECT_EQ(text, "");
  // A blank at position 95 is past the line.
  text = std::string(94, 'a') + " b" + std::string(10, ' ');
  EXPECT_EQ(NextPrintLine(text), std::string(94, 'a'));
  EXPECT_EQ(text, "b");
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(NextPrintLine, CountsAccentedLettersAsOneColumnEach) {
  // 94 characters (107 bytes) fit on one line.
  std::string text = std::string(80, 'a') + " " + Repeat("\u00e9", 13);
  EXPECT_EQ(NextPrintLine(text), std::string(80, 'a') + " " + Repeat("\u00e9", 13));
  EXPECT_EQ(text, "");
  // Without a blank the cut falls after 94 characters, never inside a letter.
  text = "a" + Repeat("\u00e9", 99);
  EXPECT_EQ(NextPrintLine(text), "a" + Repeat("\u00e9", 93));
  EXPECT_EQ(text, Repeat("\u00e9", 6));
}

ToolbarOffer Offer(bool all) {
  ToolbarOffer offer;
  offer.fill(all);
  return offer;
}

TEST(ToolbarLayout, EverySwitchOffOrOn) {
  auto off = ArrangeToolbarButtons(Offer(false));
  struct Place {
    int button, left;
  };
  for (Place p : {Place{kToolReset, 75}, {kToolCalculator, 390}, {kToolPrint, 705},
                  {kToolExport, 1020}, {kToolDefaults, 1425}, {kToolExportSetup, 1740},
                  {kToolRateBlockAlternation, 2145}, {kToolHelpContents, 2550}}) {
    EXPECT_EQ(off[p.button].left, p.left) << p.button;
    EXPECT_EQ(off[p.button].visibility, ToolbarVisibility::kShow);
  }
  for (int hidden : {kToolBillOfLading, kToolCityLookup, kToolRateSheet, kToolAccessorialCharges,
                     kToolFak, kToolMap, kToolRules, kToolTerminalInformation, kToolWebSite}) {
    EXPECT_EQ(off[hidden].visibility, ToolbarVisibility::kHide) << hidden;
  }
  auto on = ArrangeToolbarButtons(Offer(true));
  const int lefts[] = {75,   390,  705,  1020, 1335, 1650, 1965, 2370, 2685,
                       3000, 3315, 3720, 4035, 4350, 4665, 4980, 5385};
  for (int b = 0; b < kToolButtonCount; ++b) EXPECT_EQ(on[b].left, lefts[b]) << b;
  EXPECT_EQ(on[kToolWebSite].visibility, ToolbarVisibility::kLeave);
}

TEST(ToolbarLayout, HiddenFirstButtonKeepsTheGroupGap) {
  ToolbarOffer offer = Offer(true);
  offer[kToolAccessorialCharges] = false;
  offer[kToolRules] = false;
  auto placed = ArrangeToolbarButtons(offer);
  EXPECT_EQ(placed[kToolDefaults].left, 1965 + 405);
  EXPECT_EQ(placed[kToolTerminalInformation].left, placed[kToolRateBlockAlternation].left + 315);
}

class DisclaimerFilesTest : public ::testing::Test {
 protected:
  bool Search(const std::string& origin, const std::string& destination) {
    return IsZipInDisclaimerRanges(dir_.File("ZipDisclaimerZips.dat"), origin, destination);
  }
  testkit::TempDir dir_;
};

TEST_F(DisclaimerFilesTest, ShiftedTextJoinedByLineBreaks) {
  dir_.Write("d.dat", testkit::DisclaimerFile({"", "   ", "Rates are", "", "subject to change."}));
  EXPECT_EQ(ReadDisclaimerFile(dir_.File("d.dat")).value(),
            "   Rates are\r\n\r\nsubject to change.");
  // By hand: stored codes 137, 170 and 98 show "H", "i" and "!".
  EXPECT_EQ(DecodeDisclaimerText("\x89\xaa\r\n\x62"), "Hi\r\n!");
  // A stored code below 65 cannot be shifted and is kept.
  EXPECT_EQ(DecodeDisclaimerText("\x89\x21"), "H!");
  EXPECT_FALSE(ReadDisclaimerFile(dir_.File("missing.dat")).has_value());
}

TEST_F(DisclaimerFilesTest, RangesAreSearchedForEitherPoint) {
  dir_.Write("ZipDisclaimerZips.dat",
             testkit::ZipDisclaimerZipsFile({{"10000", "10999"},
                                             {"30300", "30399"},
                                             {"59000", "59999"},
                                             {"K0A0A", "K9Z9Z"}}));
  EXPECT_TRUE(Search("30301", "60601"));
  EXPECT_TRUE(Search("60601", "10000"));
  EXPECT_TRUE(Search("60601", "59999 "));
  EXPECT_TRUE(Search("K1A0B1", "60601"));
  EXPECT_FALSE(Search("60601", "60601"));
  EXPECT_FALSE(Search("09999", "11000"));
  EXPECT_FALSE(Search("", ""));
}

TEST_F(DisclaimerFilesTest, EmptyOrMissingRangeFileMatchesNothing) {
  EXPECT_FALSE(Search("30301", "30301"));
  dir_.Write("ZipDisclaimerZips.dat", std::string("3030"));
  EXPECT_FALSE(Search("30301", "30301"));
  // One hand-made record.
  dir_.Write("ZipDisclaimerZips.dat", std::string("3030030399\r\n"));
  EXPECT_TRUE(Search("30350", "10000"));
}

}  // namespace
}  // namespace frelane
