// The rate-sheet export file (RATES.PRN by default): a Windows-1252 text file of CR LF lines
// for other programs to read, no header line. Each row gives one fixed-column line per
// checked class (headline, its state, "T" when the headline is the origin or "F" when it is
// the destination, the lane, the minimum charge, the class and one rate per checked weight
// break in cents, the rate basis number), then a bracket line when the row has several
// minimum-charge brackets; with notes, the note lines close the file. The file is rewritten
// through a temporary beside it: the sheet that was there stays until the new one is closed
// whole, and a failed write leaves it as it was.
#ifndef FRELANE_RATESHEET_RATE_SHEET_EXPORT_H_
#define FRELANE_RATESHEET_RATE_SHEET_EXPORT_H_

#include <string>
#include <vector>

#include "frelane/ratesheet/rate_sheet_group.h"
#include "frelane/ratesheet/rate_sheet_layout.h"
#include "frelane/ratesheet/run_state.h"
#include "platform/os/atomic_file.h"
#include "platform/runtime/error.h"

namespace frelane::ratesheet {

inline constexpr char kDefaultExportFileName[] = "RATES.PRN";

// The export file could not be created where its path says: the folder does not exist (76)
// or the file cannot be written there (75).
class ExportPathError : public runtime::RuntimeError {
 public:
  using runtime::RuntimeError::RuntimeError;
};

class RateSheetExport {
 public:
  RateSheetExport(RateSheetRunState& run, const RateSheetLayout& layout)
      : run_(run), layout_(layout) {}
  RateSheetExport(const RateSheetExport&) = delete;
  RateSheetExport& operator=(const RateSheetExport&) = delete;

  // Begins the new file; raises ExportPathError when it cannot be made there.
  void Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }
  // Puts the file with what was written in place of the old one; nothing when none is open.
  // A write that fails, here or for any line, drops the new file and raises run-time error
  // 75, whose description gives the system's reason.
  void Close();

  // The class lines and, when the row has several brackets, the bracket line of one row.
  // With notes, a split row first adds its note to the run's note list and carries that
  // note's number.
  void ExportGroupRow(const RateSheetGroup& row, bool split);
  // One line per note of the run's note list, numbered from 1.
  void WriteNoteLines();

 private:
  void WriteLine(const std::string& cp1252);
  void Flush();
  [[noreturn]] void RaiseWriteError();

  RateSheetRunState& run_;
  const RateSheetLayout& layout_;
  os::AtomicFileWriter file_;
  std::string path_;
  // Lines not yet handed to the file.
  std::string pending_;
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_RATE_SHEET_EXPORT_H_
