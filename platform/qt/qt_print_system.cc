#include "platform/qt/qt_print_system.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/qt/keyboard_return.h"
#include "platform/qt/print_replay.h"

namespace qtbind {
namespace {

constexpr int kPdfDotsPerInch = 1200;

bool IsPdf(const print::PrinterInfo& printer) { return printer.device_name == kPdfPrinterName; }

print::PrinterInfo PdfPrinter() { return {kPdfPrinterName, "PDF", "file"}; }

// A PDF page has no unprintable border of its own; it keeps the usual quarter inch of a
// printer's, so that a page prints to a file as it would on paper (a page taller than that
// is spaced to fit when painted).
QPageLayout PdfLayout() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                     QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

print::PageArea ToTwips(const QRectF& inches) {
  return {static_cast<int>(std::lround(inches.width() * print::kTwipsPerInch)),
          static_cast<int>(std::lround(inches.height() * print::kTwipsPerInch))};
}

QPrinterInfo FindCupsPrinter(const print::PrinterInfo& printer) {
  return QPrinterInfo::printerInfo(QString::fromStdString(printer.device_name));
}

// The page of a CUPS printer as the printer describes it; a printer Qt does not know gets
// the PDF file's page (CUPS then judges the queue itself).
QPageLayout CupsLayout(const print::PrinterInfo& printer) {
  const QPrinterInfo info = FindCupsPrinter(printer);
  if (info.isNull()) return PdfLayout();
  return QPrinter(info).pageLayout();
}

// The job painted as a PDF in memory; empty when painting failed.
QByteArray PaintPdf(const QPageLayout& layout, const print::Document& document) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool painted = false;
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Frelane"));
    writer.setTitle(QStringLiteral("Frelane"));
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(layout);
    painted = PaintDocument(writer, kPdfDotsPerInch, document,
                            ToTwips(layout.paintRect(QPageLayout::Inch)));
  }
  return painted ? bytes : QByteArray();
}

[[noreturn]] void Fail(const QString& description) {
  throw print::PrinterError(print::kPrinterErrorNumber, description.toStdString());
}

}  // namespace

QString AskForPdfPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QWidget* window = QApplication::activeWindow();
  const QString path = QFileDialog::getSaveFileName(
      window, QStringLiteral("Print to PDF file"),
      QDir(folder).filePath(QStringLiteral("Frelane.pdf")), QStringLiteral("PDF files (*.pdf)"));
  ReturnKeyboardTo(window);
  return path;
}

QtPrintSystem::QtPrintSystem(PdfPathChooser choose_pdf_path, FileWriter write_file,
                             Spooler spool)
    : choose_pdf_path_(std::move(choose_pdf_path)),
      write_file_(std::move(write_file)),
      spool_(std::move(spool)) {}

std::vector<print::PrinterInfo> QtPrintSystem::Printers() const {
  std::vector<print::PrinterInfo> printers;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    printers.push_back({info.printerName().toStdString(), info.makeAndModel().toStdString(),
                        info.location().toStdString()});
  }
  printers.push_back(PdfPrinter());
  return printers;
}

int QtPrintSystem::DefaultPrinter() const {
  const std::vector<print::PrinterInfo> printers = Printers();
  const std::string wanted = QPrinterInfo::defaultPrinterName().toStdString();
  for (std::size_t i = 0; i + 1 < printers.size(); ++i) {
    if (!wanted.empty() && printers[i].device_name == wanted) return static_cast<int>(i);
  }
  return static_cast<int>(printers.size()) - 1;
}

std::vector<std::string> QtPrintSystem::FontNames(const print::PrinterInfo&) const {
  std::vector<std::string> names = {"Arial", "Courier New", "Times New Roman"};
  for (const QString& family : QFontDatabase::families()) {
    const std::string name = family.toStdString();
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

print::PageArea QtPrintSystem::PrintableArea(const print::PrinterInfo& printer) const {
  const QPageLayout layout = IsPdf(printer) ? PdfLayout() : CupsLayout(printer);
  return ToTwips(layout.paintRect(QPageLayout::Inch));
}

void QtPrintSystem::Submit(const print::PrinterInfo& printer, const print::Document& document) {
  if (IsPdf(printer)) {
    SubmitToPdf(document);
  } else {
    SubmitToCups(printer, document);
  }
}

void QtPrintSystem::SubmitToPdf(const print::Document& document) {
  const QString path = choose_pdf_path_ ? choose_pdf_path_() : QString();
  if (path.isEmpty()) throw print::PrintCancelled();
  const QByteArray pdf = PaintPdf(PdfLayout(), document);
  const QString reason =
      pdf.isEmpty() ? QStringLiteral("the pages could not be drawn") : write_file_(path, pdf);
  if (!reason.isEmpty()) {
    Fail(QStringLiteral("The PDF file could not be written: ") + path + QStringLiteral(" (") +
         reason + QStringLiteral(")"));
  }
}

void QtPrintSystem::SubmitToCups(const print::PrinterInfo& printer,
                                 const print::Document& document) {
  const QString name = QString::fromStdString(printer.device_name);
  const QByteArray pdf = PaintPdf(CupsLayout(printer), document);
  const QString reason = pdf.isEmpty() ? QStringLiteral("the pages could not be drawn")
                                       : spool_(name, QStringLiteral("Frelane"), pdf);
  if (!reason.isEmpty()) {
    Fail(QStringLiteral("The printer did not accept the job: ") + name + QStringLiteral(" (") +
         reason + QStringLiteral(")"));
  }
}

}  // namespace qtbind
