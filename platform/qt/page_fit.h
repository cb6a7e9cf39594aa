// Fitting a page to the height of the printable area. The printer model records the program's
// own layout (a rate sheet is 69 lines at the font's line height, taller than a page with the
// usual quarter-inch border); the page is fitted when it is painted, so that every line lands
// on the paper: its vertical positions are spaced closer by one factor, while text keeps its
// font and size and a picture its size. A page that fits is painted as recorded; what runs
// past the sides is still cut there.
#ifndef FRELANE_PLATFORM_QT_PAGE_FIT_H_
#define FRELANE_PLATFORM_QT_PAGE_FIT_H_

#include "platform/print/display_list.h"

namespace qtbind {

// The factor, 0 < f <= 1, that brings everything of `page` within `height` twips when its
// vertical positions are multiplied by it; 1 when the page fits. Something that starts at or
// above the top, or is taller than the area itself, cannot be brought in this way and is left
// to be cut.
double VerticalFit(const print::Page& page, int height);

// The page with every vertical position multiplied by `factor` (rounded toward the top), sizes
// of text and pictures unchanged.
print::Page SpacedVertically(const print::Page& page, double factor);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_PAGE_FIT_H_
