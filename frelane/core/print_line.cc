#include "frelane/core/print_line.h"

#include "frelane/core/field_helpers.h"

namespace frelane::modMain {

std::string NextLineOfWidth(std::string& text, std::size_t width) {
  std::string line;
  const std::size_t break_at = text.find("\r\n");
  if (break_at != std::string::npos && break_at <= width) {
    line = Trim(text.substr(0, break_at));
    text = Trim(text.substr(break_at + 2));
    return line;
  }
  if (text.size() <= width) {
    line = text;
    text.clear();
    return line;
  }
  const std::size_t blank = text.rfind(' ', width - 1);
  if (blank != std::string::npos) {
    line = text.substr(0, blank);
    text = Trim(text.substr(blank + 1));
  } else {
    line = text.substr(0, width);
    text = Trim(text.substr(width));
  }
  return line;
}

}  // namespace frelane::modMain
