#include "frelane/rating/print_lines.h"

#include "frelane/core/print_line.h"
#include "platform/os/cp1252.h"

namespace frelane {

std::string NextPrintLine(std::string& pending) {
  // Columns are characters, not UTF-8 bytes: an accented letter takes one column and is
  // never split.
  std::string single_byte = os::Utf8ToCp1252(pending);
  std::string line = modMain::NextLineOfWidth(single_byte, kPrintLineWidth);
  pending = os::Cp1252ToUtf8(single_byte);
  return os::Cp1252ToUtf8(line);
}

}  // namespace frelane
