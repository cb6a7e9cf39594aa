// The printed quote: what the rating screen shows, laid out on 94 columns of a fixed-pitch
// font and sent to the current printer as one document: the heading picture, the screen's
// caption, the points with the eight freight lines, the deficit, weight and total rows, a
// footer with the print date and the rate basis, and the disclaimers.
#ifndef FRELANE_RATING_PRINT_QUOTE_H_
#define FRELANE_RATING_PRINT_QUOTE_H_

#include <string>

namespace print {
class Printer;
}

namespace frelane {

class frmRatingScreen;

inline constexpr char kPrintDisclaimerFileName[] = "PrintDisclaimer.dat";

// Draws the quote on the printer and ends the document. printed_date is the date the footer
// shows. Throws print::PrinterError when the printer fails.
void DrawQuote(frmRatingScreen& screen, print::Printer& printer, const std::string& printed_date);

// Prints the quote on the current printer and then says "Information Printed"; when the
// job does not go out, the job is discarded and the message says why.
void PrintQuote(frmRatingScreen& screen, const std::string& printed_date);

// Today's date in the system's short form.
std::string ShortDateToday();

}  // namespace frelane

#endif  // FRELANE_RATING_PRINT_QUOTE_H_
