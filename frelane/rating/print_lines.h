// Cutting a long text into printed lines: the quote printout prints its disclaimers line by
// line, no line longer than the page allows.
#ifndef FRELANE_RATING_PRINT_LINES_H_
#define FRELANE_RATING_PRINT_LINES_H_

#include <string>

namespace frelane {

inline constexpr std::size_t kPrintLineWidth = 94;

// Takes the next line off the front of `pending` and shortens `pending` by it: up to a
// CR LF within the first 95 characters (both sides trimmed), else all of a short text, else
// up to the last blank within the first 94 characters, else the first 94 characters.
std::string NextPrintLine(std::string& pending);

}  // namespace frelane

#endif  // FRELANE_RATING_PRINT_LINES_H_
