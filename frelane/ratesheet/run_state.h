// The state of one rate-sheet run, owned by the run dialog and shared with the lane rating,
// the grouping and the row writers. One thread uses it.
#ifndef FRELANE_RATESHEET_RUN_STATE_H_
#define FRELANE_RATESHEET_RUN_STATE_H_

#include <string>
#include <vector>

#include "frelane/ratesheet/rate_sheet_group.h"

namespace frelane::ratesheet {

// A sub-range of a prefix: start and end suffix, both included ("00" .. "49").
struct SuffixRange {
  std::string start;
  std::string end;
  bool operator==(const SuffixRange&) const = default;
};

struct RateSheetRunState {
  // True while no run is active or a stop has been asked for.
  bool RunStopped = true;
  // Set with RunStopped when the engine refused the headline: the run ends without asking
  // whether to cancel.
  bool HeadlineInvalid = false;

  // The outputs and note style chosen when the run started; the run uses these, not the
  // dialog's boxes, so a change during the run cannot break an open output.
  bool PrintOutput = false;
  bool ExportOutput = false;
  bool WithNotes = true;

  // Note texts of the run from element 1 (element 0 stays empty).
  std::vector<std::string> NoteList{std::string()};
  long NoteNumber = 0;
  long PageNumber = 0;
  // Lines printed on the current page; 0 = no page begun.
  int PageLineCount = 0;
  // The printed row held back so that the next prefix with equal results can extend it.
  RateSheetGroup PendingRow;

  // The sub-ranges of the prefix being rated, in ascending order.
  std::vector<SuffixRange> SubRanges;
  // The sideline part of each zip-discount range touching the lane, clipped to the prefix,
  // sorted, without overlap.
  std::vector<SuffixRange> ZipDiscountRanges;

  // What a run resets when it starts.
  void StartRun() {
    RunStopped = false;
    HeadlineInvalid = false;
    NoteList.assign(1, std::string());
    NoteNumber = 0;
    PageNumber = 0;
    PageLineCount = 0;
    PendingRow.Clear();
  }
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_RUN_STATE_H_
