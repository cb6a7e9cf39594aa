// zipcodes.fil: the 3-character postal-code prefix ranges of each state, one text line per
// state sorted by its code. Columns (1-based): 1-2 the state, 3 the number of ranges (1 to
// 3), then the ranges low/high at 4-6/8-10, 12-14/16-18 and 20-22/24-26; the columns
// between are separators. A short line reads as blanks where it ends.
#ifndef FRELANE_RATESHEET_STATE_PREFIX_RANGES_H_
#define FRELANE_RATESHEET_STATE_PREFIX_RANGES_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace frelane::ratesheet {

inline constexpr char kZipcodesFileName[] = "zipcodes.fil";

struct PrefixRange {
  std::string low;   // blank when the line has no such range
  std::string high;
};

struct StatePrefixLine {
  std::string state;
  int range_count = 0;
  std::array<PrefixRange, 3> ranges;
};

struct StateSearch {
  bool file_found = false;
  // The last line read: the state's own line when `found`, else the first line whose code
  // is not below the wanted one, or the file's last line.
  std::optional<StatePrefixLine> last_line;
  bool found = false;
};

// Reads the file from the top while the codes stay below `state` (codes compared as
// stored, case-sensitive). A missing or unreadable file gives file_found false.
StateSearch FindStatePrefixRanges(const std::string& path, std::string_view state);

// One line of the file by its columns.
StatePrefixLine ParseStatePrefixLine(std::string_view line);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_STATE_PREFIX_RANGES_H_
