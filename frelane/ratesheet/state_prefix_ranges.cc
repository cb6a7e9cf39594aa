#include "frelane/ratesheet/state_prefix_ranges.h"

#include "platform/runtime/conversions.h"
#include "platform/runtime/line_input.h"

namespace frelane::ratesheet {

namespace {

// Mid(line, column, width) with 1-based columns: blanks past the end of the line.
std::string Column(std::string_view line, std::size_t column, std::size_t width) {
  std::string text;
  for (std::size_t i = column - 1; i < column - 1 + width; ++i) {
    text += i < line.size() ? line[i] : ' ';
  }
  return text;
}

// A 3-character prefix field; all blanks read as "".
std::string PrefixField(std::string_view line, std::size_t column) {
  std::string text = Column(line, column, 3);
  return text.find_first_not_of(' ') == std::string::npos ? std::string() : text;
}

}  // namespace

StatePrefixLine ParseStatePrefixLine(std::string_view line) {
  StatePrefixLine parsed;
  parsed.state = Column(line, 1, 2);
  parsed.range_count = static_cast<int>(runtime::Val(Column(line, 3, 1)));
  for (std::size_t r = 0; r < 3; ++r) {
    parsed.ranges[r].low = PrefixField(line, 4 + 8 * r);
    parsed.ranges[r].high = PrefixField(line, 8 + 8 * r);
  }
  return parsed;
}

StateSearch FindStatePrefixRanges(const std::string& path, std::string_view state) {
  StateSearch search;
  runtime::LineReader reader;
  if (!reader.Open(path)) return search;
  search.file_found = true;
  std::string line;
  while (reader.ReadLine(line)) {
    search.last_line = ParseStatePrefixLine(line);
    if (!(search.last_line->state < state)) break;
  }
  search.found = search.last_line && search.last_line->state == state;
  return search;
}

}  // namespace frelane::ratesheet
