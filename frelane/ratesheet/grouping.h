// The grouping of a prefix's rated sub-ranges into rate-sheet rows, and the condensing of
// consecutive prefixes with one equal row each into one printed row ("300-302").
#ifndef FRELANE_RATESHEET_GROUPING_H_
#define FRELANE_RATESHEET_GROUPING_H_

#include <string>
#include <string_view>
#include <vector>

#include "frelane/ratesheet/rate_sheet_group.h"
#include "frelane/ratesheet/row_writer.h"
#include "frelane/ratesheet/run_state.h"

namespace frelane::ratesheet {

// Files the rated sub-range start..end of `prefix` with its candidate: into the first
// group of equal results whose zip list it continues, or (with notes) into the first equal
// group as a further list entry, or else as a new group.
void FileSubRange(std::vector<RateSheetGroup>& groups, const RateSheetGroup& candidate,
                  std::string_view start, std::string_view end, std::string_view prefix,
                  bool with_notes);

// Hands the groups of a finished prefix to the writers: every group to the export; to the
// printer either the groups (several) or the one group through the held-back row.
void HandOffGroups(RateSheetRunState& run, const std::vector<RateSheetGroup>& groups,
                   std::string_view prefix, RateSheetRowWriter& writer);

// The head of `text` that fits in `column` characters, cut after the last `delimiter` in
// them; `text` keeps the rest, trimmed. A text without a delimiter in reach is cut at the
// column.
std::string SplitAtDelimiter(std::string& text, char delimiter, std::size_t column);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_GROUPING_H_
