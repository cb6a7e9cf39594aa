// A rate sheet typed into the definition screen's real window (offscreen Qt) over the sample
// data set and the real engine, run from the run dialog to the "PDF file" printer and the
// export file; the PDF's text is read back with pdftotext. With FRELANE_SHOTS naming a
// directory, the definition screen and the run dialog in the middle of its run are kept
// there as pictures, with the printed PDF.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_options.h"
#include "frelane/ratesheet/frm_rate_sheet_run.h"
#include "frelane/ratesheet/rate_sheet_screen_setup.h"
#include "platform/print/printers.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/tests/qt_window_test.h"
#include "platform/qt/qt_print_system.h"
#include "testkit/read_file.h"

namespace frelane {
namespace {

std::string ReadCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

void Shot(QWidget* window, const char* file) {
  if (const char* shots = std::getenv("FRELANE_SHOTS")) {
    window->grab().save(QString::fromStdString(std::string(shots) + "/" + file));
  }
}

class RateSheetRunWindowTest : public qtbind::QtWindowTest {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    modTolvDeclares32::InstallEngine(std::make_unique<Tolv32Binding>(dir_.path()));
    StartupEnvironment env{dir_.path(), [](double) { return std::string("1.5"); }};
    std::string error;
    ASSERT_EQ(modMain::InitializeApplication(env, &error), StartupResult::kReady) << error;
    pdf_ = dir_.path() + "sheet.pdf";
    previous_ = print::InstallPrintSystem(std::make_unique<qtbind::QtPrintSystem>(
        [this] { return QString::fromStdString(pdf_); }));
    const std::vector<print::PrinterInfo> printers = print::Printers();
    for (std::size_t i = 0; i < printers.size(); ++i) {
      if (printers[i].device_name == qtbind::kPdfPrinterName) print::SelectPrinter(static_cast<int>(i));
    }
  }
  void TearDown() override {
    print::InstallPrintSystem(std::move(previous_));
    modTolvDeclares32::Tolv_EndTolv();
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  template <typename W>
  W* Widget(forms::Control& control) {
    return qobject_cast<W*>(host_.WidgetOf(control));
  }
  void ClickWidget(forms::Control& control) {
    QTest::mouseClick(host_.WidgetOf(control), Qt::LeftButton);
  }

  // Plays the user in the dialogs that open while Print runs: ticks the intrastate tariffs'
  // OK, sends the sheet to both outputs, answers each message box, and pictures the run.
  void Autopilot() {
    if (done_) return;
    frmRateSheetRun& run = app_.Get<frmRateSheetRun>();
    // While the run goes on the next look comes at its next yield.
    QTimer::singleShot(run.Running() ? 0 : 15, [this] { Autopilot(); });
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      messages_.push_back(box->text().toStdString());
      box->button(QMessageBox::Ok)->click();
      return;
    }
    frmIntrastateTariffs& chooser = app_.Get<frmIntrastateTariffs>();
    if (chooser.IsVisible()) {
      ClickWidget(chooser.btnOK);
      return;
    }
    if (run.Running()) {
      if (!run_pictured_) {
        Shot(host_.WindowOf(run), "rate_sheet_run.png");
        run_pictured_ = true;
      }
      return;
    }
    if (run.IsVisible() && !run_clicked_) {
      run_clicked_ = true;
      ClickWidget(run.chkExport);
      // A look at the first yield of the run, whatever the run's length.
      QTimer::singleShot(0, [this] { Autopilot(); });
      ClickWidget(run.btnOK);
    }
  }

  std::unique_ptr<print::PrintSystem> previous_;
  std::string pdf_;
  bool done_ = false, run_clicked_ = false, run_pictured_ = false;
  std::vector<std::string> messages_;
};

TEST_F(RateSheetRunWindowTest, ATypedSheetPrintsToAPdfFileAndExports) {
  frmRateSheet& sheet = app_.Get<frmRateSheet>();
  ConnectRateSheetDialogs(sheet);
  sheet.Show();
  QWidget* window = host_.WindowOf(sheet);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  app_.Get<frmRateSheetOptions>().txtHeader(1).SetText("QUILLMOOR FREIGHT LINES");

  QLineEdit* headline = Widget<QLineEdit>(sheet.txtHeadlineZip);
  ASSERT_TRUE(QTest::qWaitFor([&] { return headline->hasFocus(); }, 2000));
  QTest::keyClicks(headline, "30301");
  QLineEdit* low = Widget<QLineEdit>(sheet.txtSidelineZipLow(1));
  QTest::mouseClick(low, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return low->hasFocus(); }, 2000));
  QTest::keyClicks(low, "300");
  QTest::keyClick(low, Qt::Key_Tab);
  QLineEdit* high = Widget<QLineEdit>(sheet.txtSidelineZipHigh(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return high->hasFocus(); }, 2000));
  QTest::keyClicks(high, "339");
  ClickWidget(sheet.btnWeightSelectLTL);
  ClickWidget(sheet.chkClass(1));
  ClickWidget(sheet.chkClass(2));
  EXPECT_EQ(sheet.txtSidelineZipHigh(1).Text(), "339");
  EXPECT_EQ(sheet.chkClass(2).Value(), 1);
  Shot(window, "rate_sheet.png");

  QTimer::singleShot(15, [this] { Autopilot(); });
  ClickWidget(sheet.btnPrint);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages_.empty(); }, 20000));
  done_ = true;
  EXPECT_EQ(messages_, (std::vector<std::string>{"Processing Complete"}));
  EXPECT_FALSE(app_.Get<frmRateSheetRun>().IsLoaded());

  ASSERT_TRUE(std::filesystem::exists(pdf_));
  if (const char* shots = std::getenv("FRELANE_SHOTS")) {
    std::filesystem::copy_file(pdf_, std::string(shots) + "/rate_sheet.pdf",
                               std::filesystem::copy_options::overwrite_existing);
  }
  // The PDF's text with each run of blanks read as one blank.
  std::string text;
  for (const char c : ReadCommand("pdftotext -layout '" + pdf_ + "' -")) {
    if (c != ' ' || text.empty() || text.back() != ' ') text += c;
  }
  EXPECT_NE(text.find("QUILLMOOR FREIGHT LINES"), std::string::npos) << text;
  EXPECT_NE(text.find("|OUTBOUND FROM:30301 GA |"), std::string::npos) << text;
  EXPECT_NE(text.find("|TO: ST Note MC CLASS L5C 5C 1M 2M 5M 10M |"), std::string::npos) << text;
  EXPECT_NE(text.find("|300-339 GA 9500 500 20500 16810"), std::string::npos) << text;
  EXPECT_TRUE(run_pictured_);
  EXPECT_NE(text.find("1 Quillmoor Freight Lines 12-01-2026"), std::string::npos) << text;
  // The page's 69 lines are taller than a Letter page less the usual quarter-inch border,
  // yet every word lands inside it: the first heading line and the footer too.
  const std::string boxes = ReadCommand("pdftotext -bbox '" + pdf_ + "' -");
  const std::regex word(R"re(yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">([^<]*)<)re");
  int words = 0;
  double highest = 792, lowest = 0;
  for (auto it = std::sregex_iterator(boxes.begin(), boxes.end(), word);
       it != std::sregex_iterator(); ++it, ++words) {
    highest = std::min(highest, std::stod((*it)[1]));
    lowest = std::max(lowest, std::stod((*it)[2]));
  }
  EXPECT_GT(words, 40);
  EXPECT_NEAR(highest, 18.0, 0.1) << "QUILLMOOR at the top border";
  EXPECT_NEAR(lowest, 792.0 - 18.0, 0.1) << "the footer at the bottom border";
  const std::string exported = testkit::ReadFile(dir_.path() + "RATES.PRN");
  EXPECT_TRUE(exported.starts_with("30301 GA T 300 GA")) << exported;
  sheet.Unload();
}

}  // namespace
}  // namespace frelane
