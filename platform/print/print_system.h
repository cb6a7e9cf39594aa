// The printers of the system as the printer object sees them: the list of installed
// printers, each one's fonts and printable area, and the hand-over of a finished job.
// The Qt binding implements it over CUPS plus an always-present "PDF file" printer; tests use
// the recording system (recording_print_system.h).
#ifndef FRELANE_PLATFORM_PRINT_PRINT_SYSTEM_H_
#define FRELANE_PLATFORM_PRINT_PRINT_SYSTEM_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/print/display_list.h"
#include "platform/runtime/error.h"

namespace print {

// One entry of the printer collection.
struct PrinterInfo {
  std::string device_name;  // as the user knows it; unique within the collection
  std::string driver_name;
  std::string port;

  bool operator==(const PrinterInfo&) const = default;
};

// The printable area of a printer's page, twips.
struct PageArea {
  int width = 0;
  int height = 0;
};

// US Letter less a quarter inch on every side.
inline constexpr PageArea kLetterPrintableArea = {8 * kTwipsPerInch, 21 * kTwipsPerInch / 2};

// A failed print operation: a run-time error of the program like any other, so that the
// program's error handlers (and the form model's last-resort report) treat it alike.
class PrinterError : public runtime::RuntimeError {
 public:
  PrinterError(int number, const std::string& description)
      : runtime::RuntimeError(number, description) {}
  int number() const { return Number(); }
};

// The run-time error number of every printer failure.
inline constexpr int kPrinterErrorNumber = 482;

// The user cancelled the job in a dialog of the print system's own (the PDF file's name):
// nothing went out, and nothing is wrong. A print path that meets it stops quietly; one that
// does not reports it as the run-time error "Cancel was selected".
class PrintCancelled : public PrinterError {
 public:
  PrintCancelled() : PrinterError(runtime::kErrCancel, runtime::ErrorDescription(runtime::kErrCancel)) {}
};

class PrintSystem {
 public:
  virtual ~PrintSystem() = default;

  // The installed printers in the system's order.
  virtual std::vector<PrinterInfo> Printers() const = 0;
  // Position in Printers() of the system's default printer; -1 when there is none.
  virtual int DefaultPrinter() const = 0;
  // The font names a printer offers, in its order.
  virtual std::vector<std::string> FontNames(const PrinterInfo& printer) const = 0;
  virtual PageArea PrintableArea(const PrinterInfo& printer) const = 0;

  // Called before each operation on the printer object; throws PrinterError to make that
  // operation fail (a printer that went away; tests inject faults here).
  virtual void BeforeOperation(const PrinterInfo& printer, std::string_view operation) {
    (void)printer;
    (void)operation;
  }

  // Sends a finished job to a printer. Throws PrinterError when it did not go out,
  // PrintCancelled when the user cancelled it.
  virtual void Submit(const PrinterInfo& printer, const Document& document) = 0;
};

}  // namespace print

#endif  // FRELANE_PLATFORM_PRINT_PRINT_SYSTEM_H_
