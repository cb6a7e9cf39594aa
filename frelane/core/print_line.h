// Cutting single-byte text, one byte a printed column, into printed lines of a width.
#ifndef FRELANE_CORE_PRINT_LINE_H_
#define FRELANE_CORE_PRINT_LINE_H_

#include <cstddef>
#include <string>

namespace frelane::modMain {

// Takes the next line off the front of `text` and shortens `text` by it: up to a CR LF
// within the first width + 1 characters (both sides trimmed), else all of a short text, else
// up to the last blank within the first width characters, else the first width characters.
std::string NextLineOfWidth(std::string& text, std::size_t width);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_PRINT_LINE_H_
