// The printed rate sheet: a fixed-pitch text report of 96-column lines on pages of 69 lines:
// a 9-line header (four centred header lines, the direction and the column titles between
// rules), at most 58 body lines (each row's class lines, bracket lines and note lines and a
// rule), blank filler lines and the footer with the page number, the company and the
// effective date. A row is never split across pages.
#ifndef FRELANE_RATESHEET_RATE_SHEET_PAGE_H_
#define FRELANE_RATESHEET_RATE_SHEET_PAGE_H_

#include <string>
#include <vector>

#include "frelane/ratesheet/rate_sheet_group.h"
#include "frelane/ratesheet/rate_sheet_layout.h"
#include "frelane/ratesheet/run_state.h"
#include "platform/print/printer.h"

namespace frelane::ratesheet {

inline constexpr int kPageBodyLines = 58;

class RateSheetPage {
 public:
  // Counts lines, pages and notes in `run`; prints with `printer`.
  RateSheetPage(RateSheetRunState& run, const RateSheetLayout& layout, print::Printer& printer)
      : run_(run), layout_(layout), printer_(printer) {}

  // The 9 header lines; begins the page count of a new page.
  void PrintPageHeader();
  // "|", 94 dashes, "|".
  void PrintRuleLine();
  // Fills the page with empty lines and prints the footer; no page is begun afterwards.
  void PrintPageFooter();
  // Every line of one row, starting the page (or a new one) as needed. With notes, a split
  // row gets the next note number and its note lines.
  void PrintGroupRow(const RateSheetGroup& row, bool split);

 private:
  void PrintLine(const std::string& cp1252);
  std::string TitleLine() const;
  std::string RowHead(const RateSheetGroup& row, bool split);
  // "|" + text padded to 94 + "|"; a longer text is cut to 94 columns, a row text wider than
  // its columns (a number that does not fit) is kept whole.
  static std::string Framed(const std::string& text);
  void AddWrapped(std::vector<std::string>& lines, std::string text, char delimiter,
                  const std::string& first_lead, const std::string& later_lead);

  RateSheetRunState& run_;
  const RateSheetLayout& layout_;
  print::Printer& printer_;
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_RATE_SHEET_PAGE_H_
