#include "platform/qt/page_fit.h"

#include <gtest/gtest.h>

#include <memory>
#include <variant>

#include "platform/print/font_metrics.h"

namespace qtbind {
namespace {

print::Font Courier10() {
  print::Font font;
  font.name = "Courier New";
  font.size = 10;
  return font;
}

// A rate sheet's page: 69 lines of 10-point Courier, one under the other from the top.
print::Page SixtyNineLines() {
  print::Page page;
  const int line = print::TextHeightTwips(Courier10());
  for (int i = 0; i < 69; ++i) {
    page.ops.push_back(print::op::Text{0, i * line, Courier10(), "|" + std::to_string(i) + "|"});
  }
  return page;
}

const print::op::Text& TextAt(const print::Page& page, std::size_t i) {
  return std::get<print::op::Text>(page.ops[i]);
}

constexpr int kPrintableHeight = 15120;  // Letter less a quarter inch at top and bottom

// The lines use the whole height: the first stays at the top, the footer ends at the foot.
TEST(PageFitTest, SixtyNineLinesAreSpacedIntoThePrintableHeightInTheirOwnFont) {
  const print::Page page = SixtyNineLines();
  const int line = print::TextHeightTwips(Courier10());
  const double fit = VerticalFit(page, kPrintableHeight);
  ASSERT_LT(fit, 1.0);
  const print::Page spaced = SpacedVertically(page, fit);
  ASSERT_EQ(spaced.ops.size(), 69u);
  EXPECT_EQ(TextAt(spaced, 0).y, 0);
  const int last_bottom = TextAt(spaced, 68).y + line;
  EXPECT_LE(last_bottom, kPrintableHeight);
  EXPECT_GE(last_bottom, kPrintableHeight - 2);
  EXPECT_EQ(TextAt(spaced, 68).font, Courier10());
  EXPECT_EQ(TextAt(spaced, 68).x, 0);
}

// A bill of lading's frame and its last text fit a Letter page with the usual border: the
// page is painted exactly as recorded.
TEST(PageFitTest, APageThatFitsIsLeftAsRecorded) {
  print::Page page;
  page.ops = {print::op::Box{100, 300, 11150, 14850, 6, false},
              print::op::Text{150, 14850 - 230, print::Font{}, "TOTALS"}};
  EXPECT_EQ(VerticalFit(page, kPrintableHeight), 1.0);
  // The empty texts of blank lines below the foot have no ink and move nothing.
  page.ops.push_back(print::op::Text{0, 20000, Courier10(), ""});
  EXPECT_EQ(VerticalFit(page, kPrintableHeight), 1.0);
}

// Lines and boxes move with the text rows they frame; pictures and text keep their size;
// what no spacing can bring in (taller than the page, or starting above its top) is left to
// be cut and does not squeeze the rest.
TEST(PageFitTest, FramesMoveWithTheRowsPicturesKeepTheirSize) {
  auto pixels = std::make_shared<print::Bitmap>(print::Bitmap{1, 1, {0xFF000000u}});
  print::Page page;
  page.ops = {print::op::Box{0, 1000, 6000, 12000, 1, true},
              print::op::Line{0, 6000, 6000, 6000, 10},
              print::op::DrawPicture{print::Picture{"", pixels, 15, 15}, 0, 4000, 900, 2000},
              print::op::DrawPicture{print::Picture{"", pixels, 15, 15}, 0, 0, 900, 9000},
              print::op::DrawPicture{print::Picture{"", pixels, 15, 15}, 0, 100, 900, 7000}};
  const double fit = VerticalFit(page, 6000);
  EXPECT_DOUBLE_EQ(fit, 0.5) << "the filled box's foot sets the spacing";
  const print::Page spaced = SpacedVertically(page, fit);
  const auto& box = std::get<print::op::Box>(spaced.ops[0]);
  EXPECT_EQ(box.y1, 500);
  EXPECT_EQ(box.y2, 6000);
  const auto& line = std::get<print::op::Line>(spaced.ops[1]);
  EXPECT_EQ(line.y1, 3000);
  EXPECT_EQ(line.y2, 3000);
  const auto& picture = std::get<print::op::DrawPicture>(spaced.ops[2]);
  EXPECT_EQ(picture.y, 2000);
  EXPECT_EQ(picture.height, 2000);
  EXPECT_EQ(picture.width, 900);

  // A thick rule at the very foot is brought in by half its pen.
  print::Page rule;
  rule.ops = {print::op::Line{0, 6000, 6000, 6000, 10}};
  EXPECT_LT(VerticalFit(rule, 6000), 1.0);
  EXPECT_GT(VerticalFit(rule, 6000), 0.99);
}

}  // namespace
}  // namespace qtbind
