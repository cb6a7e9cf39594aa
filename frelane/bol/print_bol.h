// Printing the bill in the editor: every page carries the blank straight bill of lading
// (PrintBOLForm), its page number line and the bill's header values; the item area below
// takes eight rows a page: the line items (hazardous ones first), a totals row and the
// special instructions, long texts wrapped at 60 characters.
//
// The page count of the "Page n of m" line comes from laying the bill out once without
// drawing, so it always agrees with the pages printed. Every item takes at least one row,
// and an item that does not fit on the rows left of a page (or meets a full page) starts the
// next one, so no row is printed over another. A step that fails shows its error, discards
// the job and ends the print: nothing more is drawn and PrintBOL returns false.
#ifndef FRELANE_BOL_PRINT_BOL_H_
#define FRELANE_BOL_PRINT_BOL_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace frelane::modBOL {

// What the caller sums over the bill's items before every copy.
struct BillTotals {
  std::int32_t units = 0;     // PrintTotalUnits
  std::int32_t packages = 0;  // PrintTotalPackages
  std::int32_t weight = 0;    // PrintTotalWeight
  double cube = 0;            // PrintTotalCube
  bool row = false;           // PrintTotalsRow: any of the four is not 0
};

// The state one print keeps between its procedures.
struct PrintState {
  std::int16_t page_count = 1;   // PrintPageCount
  bool page_just_started = false;  // PageJustStarted
  bool measuring = false;        // laying out without drawing, counting pages
  int pages_laid_out = 1;
  bool failed = false;           // a step failed: the job is discarded, nothing more prints
};

BillTotals& PrintTotalsOfBill();
PrintState& PrintStateOfBill();

// The sums of the current bill's items 1 .. ItemCount, as the print command sets them.
BillTotals SumItems();

// The copies of the print command on the current printer: the font set to Arial, then for
// each copy bold off, 10 points, the totals summed and PrintBOL. Stops at the first copy
// that fails; an error raised while a copy is sent is shown like a failed step. True only
// when every copy went out.
bool PrintCopies(int copies);

// Prints the current bill as one job on the current printer. False when a step failed (its
// error was shown and the job discarded). Errors of ending the document reach the caller.
bool PrintBOL();
bool PrintPageFields(std::int16_t page_count);
bool PrintLineItem(std::int16_t& row, int item);
bool PrintTotals(std::int16_t& row);
void PrintSpecialInstructions(std::int16_t& row);
void PrintWrappedText(std::int16_t& row, std::string text);

// Text is Windows-1252, one byte a character. NextTextLine removes the next printed line
// from the text and returns it: a line break within the first 61 characters ends it,
// otherwise at most 60 characters, broken at the last blank among them when there is one.
std::string NextTextLine(std::string& text);
std::int16_t CountTextLines(std::string_view text);

// The drawing primitives: a failure of theirs is passed over and the next step runs.
// A draw width or font size of 0 means the default (3 dots, 10 points).
void PrintLine(int x1, int y1, int x2, int y2, int draw_width = 0);
void PrintBox(int x1, int y1, int x2, int y2, int draw_width = 0);
void PrintText(int x, int y, float size, std::string_view utf8_text);

// The blank form on the current page; false after its error was shown and the job discarded.
bool PrintBOLForm();

// The one report of a failed print step: the message, then the job discarded.
void ReportPrintError(int number, const std::string& description);

}  // namespace frelane::modBOL

#endif  // FRELANE_BOL_PRINT_BOL_H_
