#include "platform/print/display_list_text.h"

#include <gtest/gtest.h>

namespace print {
namespace {

op::Text T(int x, int y, std::string text, bool bold = false) {
  Font font;
  font.name = "Courier New";
  font.bold = bold;
  return op::Text{x, y, font, std::move(text)};
}

TEST(PageLinesTest, RunsJoinOnlyWhenTheyFollowOnTheSameLine) {
  Page page;
  page.ops = {T(0, 0, "ab"), T(240, 0, "cd", true),      // follows "ab" exactly
              T(600, 0, "ef"),                           // a gap is still the same line
              op::Line{0, 100, 500, 100, 3},             // drawings are not text
              T(0, 227, ""),                             // an empty printed line
              T(0, 454, "gh"), T(0, 454, "ij"),          // overprint: a line of its own
              T(120, 681, "kl")};
  EXPECT_EQ(PageLines(page),
            (std::vector<std::string>{"abcdef", "", "gh", "ij", "kl"}));
  EXPECT_EQ(PageLines(page, true)[0], "ab<b>cd</b>ef");
}

TEST(OperationListingTest, QuotesTextAndNamesEveryStyleAndSource) {
  Font font;
  font.name = "Arial";
  font.size = 8.25f;
  font.italic = true;
  font.underline = true;
  auto pixels = std::make_shared<Bitmap>(Bitmap{300, 200, {}});
  Document document;
  document.pages.resize(2);
  document.pages[0].ops = {op::Text{5, 6, font, "say \"hi\" \\"}};
  document.pages[1].ops = {op::DrawPicture{Picture{"", pixels, 4500, 3000}, 0, 0, 4500, 3000}};
  EXPECT_EQ(OperationListing(document),
            "page 1\n"
            "text 5,6 \"Arial\" 8.25 italic underline \"say \\\"hi\\\" \\\\\"\n"
            "page 2\n"
            "picture 0,0 4500x3000 pixels 300x200\n");
}

}  // namespace
}  // namespace print
