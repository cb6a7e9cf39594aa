#include "platform/qt/qt_print_system.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/print/printers.h"

namespace qtbind {
namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF, pages separated by form feeds, runs of blanks folded to one.
QStringList PdfPages(const QString& path) {
  QStringList pages;
  const QString text = Run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
  for (const QString& page : text.split(QChar('\f'), Qt::SkipEmptyParts)) {
    pages.push_back(page.simplified());
  }
  return pages;
}

// The left edge, in points from the paper's edge, of the first word `word` of the PDF.
double WordLeft(const QString& path, const QString& word) {
  const QString boxes = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path,
                                                          QStringLiteral("-")});
  const QRegularExpression pattern(QStringLiteral("<word xMin=\"([0-9.]+)\"[^>]*>") +
                                   QRegularExpression::escape(word) + QStringLiteral("</word>"));
  const QRegularExpressionMatch match = pattern.match(boxes);
  return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

class QtPrintSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    pdf_ = dir_.filePath(QStringLiteral("job.pdf"));
    previous_ = print::InstallPrintSystem(
        std::make_unique<QtPrintSystem>([this] { return chosen_; }));
    chosen_ = pdf_;
  }
  void TearDown() override { print::InstallPrintSystem(std::move(previous_)); }

  QTemporaryDir dir_;
  QString pdf_;
  QString chosen_;
  std::unique_ptr<print::PrintSystem> previous_;
};

TEST_F(QtPrintSystemTest, PdfFilePrinterIsAlwaysOfferedWithTheWindowsFontNamesFirst) {
  const std::vector<print::PrinterInfo> printers = print::Printers();
  ASSERT_FALSE(printers.empty());
  EXPECT_EQ(printers.back().device_name, kPdfPrinterName);
  const print::Printer& printer = print::CurrentPrinter();
  EXPECT_FALSE(printer.DeviceName().empty());
  EXPECT_EQ(printer.Fonts(0), "Arial");
  EXPECT_EQ(printer.Fonts(1), "Courier New");
  EXPECT_GE(printer.FontCount(), 3);
}

TEST_F(QtPrintSystemTest, JobPrintedToPdfHoldsItsTextAndPages) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  ASSERT_TRUE(print::SelectPrinter(static_cast<int>(print::Printers().size()) - 1));
  print::Printer& printer = print::CurrentPrinter();
  EXPECT_EQ(printer.ScaleWidth(), 11520);
  EXPECT_EQ(printer.ScaleHeight(), 15120);
  printer.SetFontName("Courier New");
  printer.SetFontSize(10);
  printer.SetFontBold(true);
  printer.Print("Origin      ", print::PrintEnd::kStay);
  printer.SetFontBold(false);
  printer.Print("30301   GA    Atlanta");
  printer.SetDrawWidth(3);
  printer.Box(0, 600, 11400, 900);
  printer.NewPage();
  printer.SetFontName("Arial");
  printer.SetCurrentX(200);
  printer.SetCurrentY(11400);
  printer.Print("See 49 U.S.C. \xc2\xa7 14706");
  printer.EndDoc();

  ASSERT_TRUE(QFile::exists(pdf_));
  const QStringList pages = PdfPages(pdf_);
  ASSERT_EQ(pages.size(), 2) << pages.join("|").toStdString();
  EXPECT_EQ(pages[0], QStringLiteral("Origin 30301 GA Atlanta"));
  EXPECT_EQ(pages[1], QStringLiteral("See 49 U.S.C. \u00a7 14706"));
  // 12 columns of 10-point Courier are one inch; the page's printable area starts a quarter
  // inch in: 90 points from the paper's edge.
  EXPECT_NEAR(WordLeft(pdf_, QStringLiteral("Origin")), 18.0, 0.5);
  EXPECT_NEAR(WordLeft(pdf_, QStringLiteral("30301")), 90.0, 0.5);
}

TEST_F(QtPrintSystemTest, CancelledOrUnwritablePdfFailsTheJobAndLeavesNoFile) {
  ASSERT_TRUE(print::SelectPrinter(static_cast<int>(print::Printers().size()) - 1));
  print::Printer& printer = print::CurrentPrinter();
  chosen_.clear();
  printer.Print("never printed");
  EXPECT_THROW(printer.EndDoc(), print::PrinterError);
  EXPECT_FALSE(printer.HasOpenDocument());

  chosen_ = dir_.filePath(QStringLiteral("no/such/folder/job.pdf"));
  printer.Print("never printed");
  try {
    printer.EndDoc();
    FAIL() << "an unwritable PDF reported success";
  } catch (const print::PrinterError& error) {
    EXPECT_EQ(error.number(), print::kPrinterErrorNumber);
    EXPECT_NE(std::string(error.what()).find("could not be written"), std::string::npos);
  }
  EXPECT_FALSE(QFile::exists(chosen_));
}

}  // namespace
}  // namespace qtbind
