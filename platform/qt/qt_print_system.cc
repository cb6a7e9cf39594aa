#include "platform/qt/qt_print_system.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QApplication>
#include <QDir>
#include <QFile>
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

QtPrintSystem::QtPrintSystem(PdfPathChooser choose_pdf_path)
    : choose_pdf_path_(std::move(choose_pdf_path)) {}

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
  if (IsPdf(printer)) return ToTwips(PdfLayout().paintRect(QPageLayout::Inch));
  const QPrinterInfo info = FindCupsPrinter(printer);
  if (info.isNull()) return print::kLetterPrintableArea;
  QPrinter device(info);
  return ToTwips(device.pageLayout().paintRect(QPageLayout::Inch));
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
  if (path.isEmpty()) Fail(QStringLiteral("Printing cancelled: no PDF file was chosen."));
  bool painted = false;
  {
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Frelane"));
    writer.setResolution(kPdfDotsPerInch);
    writer.setPageLayout(PdfLayout());
    painted = PaintDocument(writer, kPdfDotsPerInch, document, PrintableArea(PdfPrinter()));
  }
  if (!painted) {
    QFile::remove(path);
    Fail(QStringLiteral("The PDF file could not be written: ") + path);
  }
}

void QtPrintSystem::SubmitToCups(const print::PrinterInfo& printer,
                                 const print::Document& document) {
  const QPrinterInfo info = FindCupsPrinter(printer);
  const QString name = QString::fromStdString(printer.device_name);
  if (info.isNull()) Fail(QStringLiteral("The printer is not available: ") + name);
  QPrinter device(info, QPrinter::HighResolution);
  device.setDocName(QStringLiteral("Frelane"));
  device.setFullPage(false);
  const bool painted =
      PaintDocument(device, device.resolution(), document, PrintableArea(printer));
  if (!painted || device.printerState() == QPrinter::Error) {
    Fail(QStringLiteral("The printer did not accept the job: ") + name);
  }
}

}  // namespace qtbind
