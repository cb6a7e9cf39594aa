#include "platform/qt/qt_print_system.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <vector>

#include "platform/print/printers.h"
#include "testkit/file_size_limit.h"

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

bool HavePdfToText() {
  return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The words of a PDF's pages with their boxes, in points from the paper's top-left corner.
struct PdfWord {
  int page = 0;
  double left = 0, top = 0, bottom = 0;
  QString text;
};
std::vector<PdfWord> PdfWords(const QString& path) {
  const QString boxes = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path,
                                                          QStringLiteral("-")});
  const QRegularExpression pattern(QStringLiteral(
      "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" "
      "yMax=\"([0-9.]+)\">([^<]*)</word>"));
  std::vector<PdfWord> words;
  int page = 0;
  for (const QRegularExpressionMatch& match : pattern.globalMatch(boxes)) {
    if (match.captured(0).startsWith(QStringLiteral("<page"))) {
      ++page;
      continue;
    }
    words.push_back({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                     match.captured(3).toDouble(), match.captured(4)});
  }
  return words;
}

// The left edge, in points from the paper's edge, of the first word `word` of the PDF.
double WordLeft(const QString& path, const QString& word) {
  for (const PdfWord& w : PdfWords(path)) {
    if (w.text == word) return w.left;
  }
  return -1;
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

  print::Printer& PdfPrinter() {
    EXPECT_TRUE(print::SelectPrinter(static_cast<int>(print::Printers().size()) - 1));
    return print::CurrentPrinter();
  }
  // The message of the PrinterError that ending the job raises; "" when it did not raise.
  static std::string EndDocError(print::Printer& printer) {
    try {
      printer.EndDoc();
    } catch (const print::PrinterError& error) {
      EXPECT_EQ(error.number(), print::kPrinterErrorNumber);
      EXPECT_FALSE(printer.HasOpenDocument());
      return error.what();
    }
    return "";
  }

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
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
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

// A full disk (here the kernel's file-size limit, which fails the write the same way) fails
// the job with the reason, and the PDF that was there before is kept whole.
TEST_F(QtPrintSystemTest, FullDiskFailsThePdfJobAndKeepsTheOldFile) {
  {
    QFile old(pdf_);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier quote");
  }
  print::Printer& printer = PdfPrinter();
  printer.Print("Origin      30301   GA    Atlanta");
  std::string error;
  {
    testkit::FileSizeLimit full_disk(512);
    error = EndDocError(printer);
  }
  EXPECT_NE(error.find("The PDF file could not be written: " + pdf_.toStdString() + " ("),
            std::string::npos)
      << error;
  QFile kept(pdf_);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("an earlier quote"));
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("job.pdf")})
      << "no temporary file is left behind";
}

TEST_F(QtPrintSystemTest, PdfWriteErrorsAndRefusingQueuesFailTheJobWithTheirReason) {
  QByteArray spooled;
  QString queue;
  QString refusal = QStringLiteral("The printer is stopped.");
  QtPrintSystem system([this] { return chosen_; },
                       [](const QString&, const QByteArray&) {
                         return QStringLiteral("No space left on device");
                       },
                       [&](const QString& printer, const QString&, const QByteArray& pdf) {
                         queue = printer;
                         spooled = pdf;
                         return refusal;
                       });
  print::Printer to_file(system, {kPdfPrinterName, "PDF", "file"});
  to_file.Print("never printed");
  EXPECT_NE(EndDocError(to_file).find("could not be written: " + pdf_.toStdString() +
                                      " (No space left on device)"),
            std::string::npos);
  EXPECT_FALSE(QFile::exists(pdf_));

  print::Printer queued(system, {"Office Laser", "", ""});
  queued.Print("never printed");
  EXPECT_EQ(EndDocError(queued),
            "The printer did not accept the job: Office Laser (The printer is stopped.)");
  EXPECT_EQ(queue, QStringLiteral("Office Laser"));
  EXPECT_TRUE(spooled.startsWith("%PDF")) << "the queue is handed the painted job";

  refusal.clear();  // a queue that accepts
  spooled.clear();
  queued.Print("printed");
  EXPECT_EQ(EndDocError(queued), "");
  EXPECT_TRUE(spooled.startsWith("%PDF"));
}

TEST_F(QtPrintSystemTest, CupsRefusesAQueueThatDoesNotExist) {
  // With a print service the queue is unknown to it; without one nobody takes the job.
  EXPECT_FALSE(SpoolToCups(QStringLiteral("frelane-no-such-queue"), QStringLiteral("Frelane"),
                           QByteArray("%PDF-1.4\n%%EOF\n"))
                   .isEmpty());
}

// A heading picture wider than the page and a text running off its right edge are cut at
// the edge; the rest of the page keeps its own scale and place.
TEST_F(QtPrintSystemTest, PagePrintsAtItsOwnScaleWhateverRunsPastIt) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  print::Printer& printer = PdfPrinter();
  auto pixels = std::make_shared<print::Bitmap>(print::Bitmap{4, 1, {}});
  pixels->argb.assign(4, 0xFF808080u);
  printer.PaintPicture(print::Picture{"", pixels, 21000, 900}, -299, 100);
  printer.SetFontName("Courier New");
  printer.SetFontSize(10);
  printer.SetCurrentX(1440);
  printer.SetCurrentY(1440);
  printer.Print("Origin");
  printer.SetFontName("Arial");
  printer.SetFontSize(8);
  printer.SetCurrentX(9725);
  printer.SetCurrentY(1770);
  printer.Print("PO 1234567890123456789012");  // runs past the paper's edge
  ASSERT_EQ(EndDocError(printer), "");
  // A quarter-inch margin and then the twips at 20 to the point.
  EXPECT_NEAR(WordLeft(pdf_, QStringLiteral("Origin")), 18.0 + 72.0, 0.5);
  EXPECT_NEAR(WordLeft(pdf_, QStringLiteral("PO")), 18.0 + 9725 / 20.0, 0.5);
}


// Lines of 10-point Courier one under the other from the top, as a rate sheet prints them:
// "|L01", "|L02", ... each framed by "|" at column 96.
void PrintNumberedLines(print::Printer& printer, int count) {
  printer.SetFontName("Courier New");
  printer.SetFontSize(10);
  for (int i = 1; i <= count; ++i) {
    const std::string number = (i < 10 ? "L0" : "L") + std::to_string(i);
    printer.Print("|" + number + std::string(94 - number.size(), ' ') + "|");
  }
}

// A rate sheet's page of 69 lines is taller than a Letter page less the usual quarter-inch
// border: every line still lands inside the border, evenly spaced, in its own font size.
// A page that fits keeps its lines at their own line height.
TEST_F(QtPrintSystemTest, EveryLineOfATallPageLandsInsideTheQuarterInchBorder) {
  if (!HavePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  print::Printer& printer = PdfPrinter();
  PrintNumberedLines(printer, 69);
  printer.NewPage();
  PrintNumberedLines(printer, 10);
  ASSERT_EQ(EndDocError(printer), "");
  const std::vector<PdfWord> words = PdfWords(pdf_);
  std::vector<PdfWord> numbered[3];
  constexpr double kRounding = 0.01;  // of the boxes pdftotext reports, points
  for (const PdfWord& word : words) {
    EXPECT_GE(word.top, 18.0 - kRounding) << word.text.toStdString() << " on page " << word.page;
    EXPECT_LE(word.bottom, 792.0 - 18.0 + kRounding)
        << word.text.toStdString() << " on page " << word.page;
    if (word.text.startsWith(QStringLiteral("|L")) && word.page >= 1 && word.page <= 2) {
      numbered[word.page].push_back(word);
    }
  }
  ASSERT_EQ(numbered[1].size(), 69u) << "every line of the tall page is printed";
  ASSERT_EQ(numbered[2].size(), 10u);
  const double height = numbered[2][0].bottom - numbered[2][0].top;
  for (int page = 1; page <= 2; ++page) {
    const std::vector<PdfWord>& lines = numbered[page];
    const double step = (lines.back().top - lines.front().top) / (lines.size() - 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const QString number = QStringLiteral("|L%1").arg(i + 1, 2, 10, QChar('0'));
      EXPECT_EQ(lines[i].text, number);
      EXPECT_NEAR(lines[i].bottom - lines[i].top, height, 0.01) << "the font size is kept";
      EXPECT_NEAR(lines[i].top, lines.front().top + i * step, 0.1) << "evenly spaced";
    }
    if (page == 1) {
      EXPECT_LT(step, 227 / 20.0) << "spaced closer than the font's line height";
      EXPECT_GT(step, height * 0.9) << "yet no line runs into the next";
    } else {
      EXPECT_NEAR(step, 227 / 20.0, 0.01) << "a page that fits is not respaced";
    }
  }
  EXPECT_NEAR(numbered[1][0].top, numbered[2][0].top, 0.01) << "both start at the border";
}

}  // namespace
}  // namespace qtbind
