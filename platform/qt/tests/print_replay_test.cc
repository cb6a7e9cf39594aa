#include "platform/qt/print_replay.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/print/font_metrics.h"

namespace qtbind {
namespace {

// A page painted at 96 dots to the inch: 15 twips a pixel.
QImage Paint(const print::Page& page, print::PageArea area) {
  QImage image(area.width / 15, area.height / 15, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(1.0 / 15, 1.0 / 15);
  PaintPage(painter, page, area);
  painter.end();
  return image;
}

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// True when any pixel of the rectangle (pixels) is not white (thin pens antialias to grey).
bool AnyInk(const QImage& image, QRect rect) {
  rect = rect.intersected(image.rect());
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 230) return true;
    }
  }
  return false;
}

print::Font Courier() {
  print::Font font;
  font.name = "Courier New";
  font.size = 20;
  return font;
}

const print::PageArea kArea = {6000, 6000};  // 400 x 400 pixels

TEST(PrintReplayTest, BoxesAndLinesLandAtTheirTwips) {
  print::Page page;
  page.ops = {print::op::Box{1500, 1500, 3000, 3000, 1, true},
              print::op::Box{4500, 300, 5400, 900, 6, false},
              print::op::Line{300, 4500, 5700, 4500, 3}};
  const QImage image = Paint(page, kArea);
  EXPECT_TRUE(Dark(image, 150, 150)) << "inside the filled box";
  EXPECT_FALSE(Dark(image, 95, 150)) << "left of it";
  EXPECT_FALSE(Dark(image, 205, 150)) << "right of it";
  EXPECT_TRUE(AnyInk(image, QRect(299, 19, 3, 3))) << "outlined box corner";
  EXPECT_FALSE(AnyInk(image, QRect(320, 40, 10, 10))) << "an outlined box is hollow";
  EXPECT_TRUE(AnyInk(image, QRect(100, 299, 1, 3)));
}

TEST(PrintReplayTest, TextSitsInTheCellThePrinterModelMeasured) {
  const print::Font font = Courier();
  print::Page page;
  page.ops = {print::op::Text{1500, 1500, font, "MMMM"}};
  const QImage image = Paint(page, kArea);
  const int width = print::TextWidthTwips(font, "MMMM") / 15;
  const int height = print::TextHeightTwips(font) / 15;
  EXPECT_TRUE(AnyInk(image, QRect(100, 100, width, height)));
  EXPECT_FALSE(AnyInk(image, QRect(0, 0, 98, 400))) << "ink left of the text's x";
  EXPECT_FALSE(AnyInk(image, QRect(100 + width + 2, 0, 50, 400))) << "ink past its width";
  EXPECT_FALSE(AnyInk(image, QRect(0, 0, 400, 98))) << "ink above its y";
}

// Content past the page's sides (a heading picture wider than it, a box running off its
// right edge) is cut at the edge; everything else keeps its size and place.
TEST(PrintReplayTest, ContentPastThePageSidesIsCutNotShrunk) {
  auto black = std::make_shared<print::Bitmap>(print::Bitmap{2, 2, {}});
  black->argb.assign(4, 0xFF000000u);
  print::Page page;
  page.ops = {print::op::Box{0, 3000, 600, 3600, 1, true},
              print::op::DrawPicture{print::Picture{"", black, 30, 30}, -299, 0, 12000, 600},
              print::op::Box{4500, 4500, 9000, 5100, 1, true}};
  const QImage image = Paint(page, kArea);
  EXPECT_TRUE(Dark(image, 38, 238)) << "the near box keeps its full size";
  EXPECT_FALSE(Dark(image, 42, 242)) << "and ends where it ends";
  EXPECT_TRUE(Dark(image, 0, 38)) << "the wide picture fills the page's width";
  EXPECT_TRUE(Dark(image, 399, 38));
  EXPECT_FALSE(Dark(image, 200, 42)) << "at its own height";
  EXPECT_TRUE(Dark(image, 399, 320)) << "a box past the right edge is drawn up to it";
}

// The rows of a page taller than the area are spaced closer until its foot lands on the
// page; the text keeps its size.
TEST(PrintReplayTest, ContentPastTheFootIsSpacedOntoThePage) {
  const print::Font font = Courier();
  const int line = print::TextHeightTwips(font);
  print::Page alone;
  alone.ops = {print::op::Text{1500, 0, font, "MMMM"}};
  print::Page page = alone;
  page.ops.push_back(print::op::Box{5400, 11400, 6000, 12000, 1, true});  // twice the height
  const QImage image = Paint(page, kArea);
  EXPECT_TRUE(Dark(image, 390, 390)) << "the box at the foot is on the page";
  EXPECT_FALSE(AnyInk(image, QRect(370, 0, 30, 378))) << "moved, not stretched";
  const QImage unspaced = Paint(alone, kArea);
  EXPECT_EQ(image.copy(0, 0, 300, line / 15 + 2), unspaced.copy(0, 0, 300, line / 15 + 2))
      << "the text at the top is drawn as it was, at its own size";
}

TEST(PrintReplayTest, PicturesFromPixelsAndUnreadableFiles) {
  auto pixels = std::make_shared<print::Bitmap>();
  pixels->width = 2;
  pixels->height = 2;
  pixels->argb.assign(4, 0xFF000000u);
  print::Page page;
  page.ops = {print::op::DrawPicture{print::Picture{"", pixels, 30, 30}, 3000, 3000, 1500, 1500},
              print::op::DrawPicture{print::Picture{"/no/such.bmp", nullptr, 30, 30}, 0, 0, 900,
                                     900},
              print::op::DrawPicture{print::Picture{"", std::make_shared<print::Bitmap>(
                                                            print::Bitmap{5, 5, {}}),
                                                    30, 30},
                                     0, 1500, 900, 900}};
  const QImage image = Paint(page, kArea);
  EXPECT_TRUE(Dark(image, 250, 250));
  EXPECT_FALSE(AnyInk(image, QRect(0, 0, 60, 160))) << "bad pictures draw nothing";
}

}  // namespace
}  // namespace qtbind
