#include "frelane/rating/print_lines.h"

#include "frelane/core/field_helpers.h"
#include "platform/os/cp1252.h"

namespace frelane {

namespace {

// The cut on the single-byte text, one byte a printed column.
std::string NextSingleByteLine(std::string& pending) {
  std::string line;
  std::size_t break_at = pending.find("\r\n");
  if (break_at != std::string::npos && break_at <= kPrintLineWidth) {
    line = modMain::Trim(pending.substr(0, break_at));
    pending = modMain::Trim(pending.substr(break_at + 2));
    return line;
  }
  if (pending.size() <= kPrintLineWidth) {
    line = pending;
    pending.clear();
    return line;
  }
  std::size_t blank = pending.rfind(' ', kPrintLineWidth - 1);
  if (blank != std::string::npos) {
    line = pending.substr(0, blank);
    pending = modMain::Trim(pending.substr(blank + 1));
  } else {
    line = pending.substr(0, kPrintLineWidth);
    pending = modMain::Trim(pending.substr(kPrintLineWidth));
  }
  return line;
}

}  // namespace

std::string NextPrintLine(std::string& pending) {
  // Columns are characters, not UTF-8 bytes: an accented letter takes one column and is
  // never split.
  std::string single_byte = os::Utf8ToCp1252(pending);
  std::string line = NextSingleByteLine(single_byte);
  pending = os::Cp1252ToUtf8(single_byte);
  return os::Cp1252ToUtf8(line);
}

}  // namespace frelane
