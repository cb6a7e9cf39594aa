// RateSheetRowWriter: where the rows of a rate sheet go once a prefix is rated: the printed
// page and the export file. `split` is true when the row is one of several groups of one
// prefix (the row then stands for its zip list, not for the whole prefix).
#ifndef FRELANE_RATESHEET_ROW_WRITER_H_
#define FRELANE_RATESHEET_ROW_WRITER_H_

#include "frelane/ratesheet/rate_sheet_group.h"

namespace frelane::ratesheet {

class RateSheetRowWriter {
 public:
  virtual ~RateSheetRowWriter() = default;
  virtual void ExportGroupRow(const RateSheetGroup& row, bool split) = 0;
  virtual void PrintGroupRow(const RateSheetGroup& row, bool split) = 0;
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_ROW_WRITER_H_
