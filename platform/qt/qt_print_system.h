// The real printers: every CUPS printer Qt knows, and after them an always-present
// "PDF file" printer that writes the job to a PDF file the user chooses, so printing works on a
// machine without printers. Jobs are painted from their display list (print_replay.h) into a
// PDF, which then goes to the file or to the CUPS queue (print_outlets.h).
#ifndef FRELANE_PLATFORM_QT_QT_PRINT_SYSTEM_H_
#define FRELANE_PLATFORM_QT_QT_PRINT_SYSTEM_H_

#include <functional>

#include <QString>

#include "platform/print/print_system.h"
#include "platform/qt/print_outlets.h"

namespace qtbind {

inline constexpr char kPdfPrinterName[] = "PDF file";

// Asks the user where to write a PDF; an empty path means cancelled.
QString AskForPdfPath();

class QtPrintSystem : public print::PrintSystem {
 public:
  using PdfPathChooser = std::function<QString()>;

  // The outlets are where painted jobs go (print_outlets.h); tests put failing ones in.
  explicit QtPrintSystem(PdfPathChooser choose_pdf_path = AskForPdfPath,
                         FileWriter write_file = WriteWholeFile, Spooler spool = SpoolToCups);

  // CUPS printers in CUPS's order, then "PDF file".
  std::vector<print::PrinterInfo> Printers() const override;
  // The CUPS default printer, else "PDF file".
  int DefaultPrinter() const override;
  // "Arial", "Courier New", "Times New Roman", then the installed families.
  std::vector<std::string> FontNames(const print::PrinterInfo& printer) const override;
  print::PageArea PrintableArea(const print::PrinterInfo& printer) const override;
  // Returns once the job is out: the PDF file fully written, or the job accepted by CUPS.
  // Throws print::PrintCancelled when the user chose no file, print::PrinterError when the
  // file could not be written (a full disk) or CUPS refused the job; the message says why.
  void Submit(const print::PrinterInfo& printer, const print::Document& document) override;

 private:
  void SubmitToPdf(const print::Document& document);
  void SubmitToCups(const print::PrinterInfo& printer, const print::Document& document);

  PdfPathChooser choose_pdf_path_;
  FileWriter write_file_;
  Spooler spool_;
};

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_QT_PRINT_SYSTEM_H_
