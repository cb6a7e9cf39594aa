// Text renderings of recorded pages for golden tests: the operation listing, exact to the
// twip, and the printed lines as they read.
#ifndef FRELANE_PLATFORM_PRINT_DISPLAY_LIST_TEXT_H_
#define FRELANE_PLATFORM_PRINT_DISPLAY_LIST_TEXT_H_

#include <string>
#include <vector>

#include "platform/print/display_list.h"

namespace print {

// One line per operation, for example
//   text 0,227 "Courier New" 10 bold "Origin      "
//   line 100,700 11150,700 w3
//   box 100,0 11150,14850 w6 filled
//   picture -299,100 2880x720 "PrintHdr.bmp"
std::string OperationListing(const Page& page);
// Every page's listing under a "page n" line.
std::string OperationListing(const Document& document);

// The page's text lines in drawing order: the texts that follow one another on the same line
// (same y, each starting at or after the previous end) join into one line; an empty printed
// line is an empty string. With mark_bold, bold runs are wrapped in <b> and </b>.
std::vector<std::string> PageLines(const Page& page, bool mark_bold = false);

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_DISPLAY_LIST_TEXT_H_
