// What a print job is: pages of drawing operations, recorded by the printer object and
// replayed by each back end (the recording printer keeps them; the Qt back ends paint them).
// Coordinates are twips from the top-left corner of the printable area, x to the right and
// y downward. Every operation carries all it needs, so a page replays without state.
#ifndef FRELANE_PLATFORM_PRINT_DISPLAY_LIST_H_
#define FRELANE_PLATFORM_PRINT_DISPLAY_LIST_H_

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/print/font.h"

namespace print {

// Pixels captured from a window (a printed form), row by row, 0xAARRGGBB.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
};

// A picture as the program holds it: an image file, or captured pixels; with its own size.
struct Picture {
  std::string path;                      // image file (.bmp, .gif, .jpg), when from a file
  std::shared_ptr<const Bitmap> pixels;  // captured pixels, when not from a file
  int width = 0;                         // twips
  int height = 0;                        // twips

  bool empty() const { return path.empty() && pixels == nullptr; }
};

namespace op {

// One run of text on one line. An empty text is kept: it marks a printed empty line.
struct Text {
  int x = 0;         // left edge of the first character
  int y = 0;         // top of the text cell
  Font font;         // face, size and style the text is drawn in
  std::string text;  // UTF-8, no line ends
};

// A straight line between two points.
struct Line {
  int x1 = 0, y1 = 0;  // from
  int x2 = 0, y2 = 0;  // to
  int draw_width = 1;  // pen width in device dots, as the printer's DrawWidth (600 to the inch)
};

// A rectangle between two corners, outlined with the pen or filled.
struct Box {
  int x1 = 0, y1 = 0;  // one corner
  int x2 = 0, y2 = 0;  // the opposite corner
  int draw_width = 1;  // outline pen width in device dots
  bool filled = false; // filled with the pen colour (black) instead of outlined
};

// A picture stretched into a rectangle (its own size unless the program gave another).
struct DrawPicture {
  Picture picture;                      // what to draw
  int x = 0, y = 0;                     // top-left corner; may lie off the page (clipped)
  int width = 0, height = 0;            // size drawn, twips
};

}  // namespace op

using PrintOp = std::variant<op::Text, op::Line, op::Box, op::DrawPicture>;

struct Page {
  std::vector<PrintOp> ops;  // in drawing order
};

// One print job as the program ended it.
struct Document {
  std::vector<Page> pages;
};

// The nominal device resolution for draw widths: a dot is 1440 / 600 = 2.4 twips.
inline constexpr int kDotsPerInch = 600;
inline constexpr int kTwipsPerInch = 1440;

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_DISPLAY_LIST_H_
