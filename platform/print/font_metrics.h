// Text measurement on the printer, in twips, from fixed tables of the Liberation fonts
// (metric twins of Arial, Times New Roman and Courier New). Every back end lays text out by
// these numbers, so a recorded page and its print agree, and tests do not depend on the
// fonts of the machine. Widths are rounded to whole twips character by character, as a
// printer rounds to its device dots: 10-point Courier New is exactly 120 twips a character.
#ifndef FRELANE_PLATFORM_PRINT_FONT_METRICS_H_
#define FRELANE_PLATFORM_PRINT_FONT_METRICS_H_

#include <string_view>

#include "platform/print/font.h"

namespace print {

// The advance of a UTF-8 text on one line. Characters without a Windows-1252 byte measure
// as "?"; control characters measure 0.
int TextWidthTwips(const Font& font, std::string_view text);

// The height of one line of the font, leading included: what a line end advances.
int TextHeightTwips(const Font& font);

// From the top of the text cell to the baseline.
int AscentTwips(const Font& font);

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_FONT_METRICS_H_
