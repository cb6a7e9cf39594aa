// The output windows as real Qt windows, offscreen: Export Setup and the file chooser typed
// key by key, the rate block, terminal and map windows opened from the screen, and a quote
// printed to the "PDF file" printer and read back with pdftotext. With
// FRELANE_OUTPUTS_SCREENSHOTS set to a folder, each window's image is saved there.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_common_dialog.h"
#include "frelane/rating/frm_export_setup.h"
#include "frelane/rating/frm_map.h"
#include "frelane/rating/frm_rate_block_alternation.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/frm_terminal_information.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/print_quote.h"
#include "frelane/rating/shipment_export.h"
#include "frelane/rating/point_entry.h"
#include "platform/print/printers.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_print_system.h"
#include "testkit/app/fake_engine.h"
#include "testkit/app/picture_writer.h"
#include "testkit/geo/geo_writers.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

// Message boxes answered with their default button; their texts kept.
class AnsweringDesktop : public forms::NullDesktop {
 public:
  forms::MsgBoxResult ShowMessageBox(const forms::MessageBoxRequest& request) override {
    prompts.push_back(request.prompt);
    return request.DefaultResult();
  }
  std::vector<std::string> prompts;
};

class OutputsQtTest : public ::testing::Test {
 protected:
  OutputsQtTest() : host_(app_) { app_.SetDesktop(&desktop_); }

  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = {};
    auto engine = std::make_unique<testkit::FakeEngine>();
    engine->rate = [](ShipmentBytes bytes) {
      tolv::ShipmentRecord rec = tolv::ShipmentRecord::FromBytes(bytes.data());
      namespace r = tolv::shipment_record;
      os::RecordView v = rec.view();
      v.SetI16(r::kClassCount, 3);
      v.SetI16(r::kWeightBreakCount, 6);
      const char* classes[] = {"500", "100", "70"};
      const int breaks[] = {1, 500, 1000, 2000, 5000, 10000};
      for (int i = 0; i < 3; ++i) v.SetText(r::kClassCode.Nth(i), classes[i]);
      for (int k = 0; k < 6; ++k) v.SetI32(r::kWeightBreak.Nth(k), breaks[k]);
      for (int c = 0; c < 18; ++c) v.SetI32(r::kRateMatrix.Nth(c), 9000 - 350 * c);
      v.SetI32(r::kMinimumChargeCents, 9500);
      v.SetText(r::kBracketKinds, "11");
      v.SetI32(r::kBracketWeight.Nth(0), 500);
      v.SetI32(r::kBracketCharge.Nth(0), 9500);
      v.SetI32(r::kBracketWeight.Nth(1), 1000);
      v.SetI32(r::kBracketCharge.Nth(1), 12000);
      v.SetI16(r::kBracketCount, 2);
      rec.CopyTo(bytes.data());
    };
    modTolvDeclares32::InstallEngine(std::move(engine));
    modMain::Get().data_directory = dir_.path();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetText(settings::kEffectiveDateText, "12-01-2026");
    s.SetOn(settings::kTerminalServiceGuide, true);
    s.SetOn(settings::kMapShown, true);
    s.SetI16(settings::kDiscountCount, 3);
    modShipmentExport::ExportSettings() = {};
    // The screen comes after the settings: it configures itself by them when it loads.
    screen_ = &app_.Get<frmRatingScreen>();
    screen_->Show();
  }
  void TearDown() override {
    modShipmentExport::ExportSettings() = {};
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  QWidget* Widget(forms::Control& c) { return host_.WidgetOf(c); }
  std::string AccessibleName(forms::Control& c) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Widget(c));
    return iface == nullptr ? "" : iface->text(QAccessible::Name).toStdString();
  }
  // Runs `script` once the modal window `form` has opened.
  void WhenShown(forms::Form& form, std::function<void()> script) {
    QTimer::singleShot(0, [this, &form, script] {
      QWidget* window = host_.WindowOf(form);
      ASSERT_NE(window, nullptr);
      ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
      Snapshot(form);
      script();
    });
  }
  void Snapshot(forms::Form& form) {
    const QString folder = qEnvironmentVariable("FRELANE_OUTPUTS_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QTest::qWait(50);
    host_.WindowOf(form)->grab().save(folder + "/" + QString::fromStdString(form.Name()) +
                                      ".png");
  }
  void Click(forms::Control& c) { QTest::mouseClick(Widget(c), Qt::LeftButton); }

  testkit::TempDir dir_;
  forms::Application app_;
  qtbind::QtHost host_;
  AnsweringDesktop desktop_;
  frmRatingScreen* screen_ = nullptr;
};

TEST_F(OutputsQtTest, ExportSetupChosenAndSavedByKeyboardAndMouse) {
  auto& setup = app_.Get<frmExportSetup>();
  auto& chooser = app_.Get<frmCommonDialog>();
  WhenShown(setup, [&] {
    WhenShown(chooser, [&] {
      // A screen reader hears each box by its caption.
      EXPECT_EQ(AccessibleName(chooser.txtFileName), "File Name:");
      EXPECT_EQ(AccessibleName(chooser.cboFileTypes), "List files of type:");
      QTest::keyClicks(Widget(chooser.txtFileName), "quotes.csv");
      EXPECT_EQ(chooser.txtFileName.Text(), "quotes.csv");
      Click(chooser.cmdOK);
    });
    Click(setup.btnFileLookup);
    EXPECT_EQ(setup.lblPathFile.Caption(), dir_.File("quotes.csv"));
    Click(setup.optCommaSeparated);
    // The formats are announced as option buttons of the "Format" group, the chosen one
    // checked.
    for (forms::OptionButton* option : {&setup.optCommaSeparated, &setup.optFixedWidth}) {
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Widget(*option));
      ASSERT_NE(iface, nullptr);
      EXPECT_EQ(iface->role(), QAccessible::RadioButton) << option->Name();
      EXPECT_EQ(iface->state().checked, option->Value()) << option->Name();
      ASSERT_NE(iface->parent(), nullptr);
      EXPECT_EQ(iface->parent()->role(), QAccessible::Grouping);
      EXPECT_EQ(iface->parent()->text(QAccessible::Name).toStdString(), "Format");
    }
    EXPECT_EQ(AccessibleName(setup.optFixedWidth), "Fixed Width");
    Click(setup.chkExportAll);
    Snapshot(setup);
    Click(setup.btnSave);
  });
  setup.ShowModal();
  EXPECT_FALSE(setup.IsLoaded());
  EXPECT_EQ(testkit::ReadFile(dir_.File("Defaults.ini")),
            "[ShipmentExport]\r\nExportAll=Y\r\nAppend=N\r\nPathFile=" +
                dir_.File("quotes.csv") + "\r\nCommaSeparated=Y\r\n");
}

TEST_F(OutputsQtTest, RateBlockTerminalAndMapWindowsOpenFromTheScreen) {
  dir_.Write("map.bmp", testkit::BmpBytes(testkit::Canvas(240, 160, {40, 120, 60})));
  dir_.Write("ServTerm.dat",
             testkit::TerminalFile({{"Example Atlanta", "ATL", "1200 Foundry Way", "", "Atlanta",
                                     "GA", "30318", "404-555-0140", "800-555-0141",
                                     "404-555-0142", "atl@example.test", "Dana W", "Manager"}}));
  modMain::OriginTerminal() = 1;
  screen_->txtOrigin.SetText("30301");
  screen_->lblOriginState.SetCaption("GA");
  modTolvDeclares32::Tolv_RateShipment();

  QTemporaryDir pdf_dir;
  const QString pdf = pdf_dir.filePath(QStringLiteral("block.pdf"));
  auto previous = print::InstallPrintSystem(
      std::make_unique<qtbind::QtPrintSystem>([&pdf] { return pdf; }));
  auto& block = app_.Get<frmRateBlockAlternation>();
  WhenShown(block, [&] {
    EXPECT_EQ(block.lblWeight(2).Caption(), "5C");
    Click(block.optAlternation);
    Snapshot(block);
    // Its menu prints the window's image.
    block.mnuPrint.on.Click();
    block.Unload();
  });
  screen_->mnuViewRateBlockAlternation.on.Click();
  print::InstallPrintSystem(std::move(previous));
  EXPECT_GT(QFileInfo(pdf).size(), 1000) << "the window's image was not printed";

  auto& terminal = app_.Get<frmTerminalInformation>();
  WhenShown(terminal, [&] {
    EXPECT_EQ(terminal.lblOriginTerminal.Caption(), "ATL - Example Atlanta");
    QTest::keyClick(host_.WindowOf(terminal), Qt::Key_Return);
  });
  screen_->mnuViewTerminalInformation.on.Click();
  EXPECT_FALSE(terminal.IsLoaded());

  auto& map = app_.Get<frmMap>();
  WhenShown(map, [&] {
    EXPECT_EQ(host_.WindowOf(map)->width(), 240);
    QTest::keyClick(host_.WindowOf(map), Qt::Key_Space);
  });
  screen_->mnuViewMap.on.Click();
  EXPECT_FALSE(map.IsLoaded());
}

TEST_F(OutputsQtTest, QuotePrintedToThePdfFilePrinterReadsBackInItsColumns) {
  QTemporaryDir pdf_dir;
  const QString pdf = pdf_dir.filePath(QStringLiteral("quote.pdf"));
  auto previous = print::InstallPrintSystem(
      std::make_unique<qtbind::QtPrintSystem>([&pdf] { return pdf; }));
  const auto printers = print::Printers();
  for (int i = 0; i < static_cast<int>(printers.size()); ++i) {
    if (printers[i].device_name == qtbind::kPdfPrinterName) print::SelectPrinter(i);
  }
  ASSERT_EQ(print::CurrentPrinter().DeviceName(), qtbind::kPdfPrinterName);

  screen_->txtOrigin.SetText("30301");
  screen_->lblOriginState.SetCaption("GA");
  screen_->lblOriginTerminal.SetCaption("ATL");
  screen_->lblServiceDays.SetCaption("2 Day(s)");
  screen_->cboClass(1).SetText("70");
  screen_->txtWeight(1).SetText("1250");
  screen_->lblRate(1).SetCaption("19.65 ");
  screen_->lblCharge(1).SetCaption("245.63 ");
  screen_->lblTotalChargeLabel.SetVisible(true);
  screen_->lblTotalCharge.SetCaption("245.63 ");
  screen_->lblRBN.SetCaption("RBN 4417");
  PrintQuote(*screen_, "12/09/2026");
  print::InstallPrintSystem(std::move(previous));
  ASSERT_FALSE(desktop_.prompts.empty());
  EXPECT_EQ(desktop_.prompts.back(), "Information Printed");

  const QString folder = qEnvironmentVariable("FRELANE_OUTPUTS_SCREENSHOTS");
  if (!folder.isEmpty()) QFile::copy(pdf, folder + QStringLiteral("/quote.pdf"));
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000));
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
  EXPECT_TRUE(text.contains(QStringLiteral("Example Freight - Effective: 12-01-2026")))
      << text.toStdString();
  const QStringList lines = text.split('\n');
  auto line_with = [&](const QString& word) {
    for (const QString& l : lines) {
      if (l.contains(word)) return l;
    }
    return QString();
  };
  const QString heads = line_with(QStringLiteral("Weight"));
  const QString origin = line_with(QStringLiteral("Origin"));
  ASSERT_FALSE(heads.isEmpty()) << text.toStdString();
  ASSERT_FALSE(origin.isEmpty()) << text.toStdString();
  EXPECT_TRUE(origin.contains(QStringLiteral("30301")));
  EXPECT_TRUE(origin.contains(QStringLiteral("2 Day(s)")));
  EXPECT_TRUE(heads.contains(QStringLiteral("Term. Service")));
  // Fixed pitch: amounts end where their headings end.
  EXPECT_EQ(origin.indexOf(QStringLiteral("245.63")) + 6,
            heads.indexOf(QStringLiteral("Charge")) + 6);
  EXPECT_EQ(origin.indexOf(QStringLiteral("1250")) + 4,
            heads.indexOf(QStringLiteral("Weight")) + 6);
  const QString footer = line_with(QStringLiteral("Printed 12/09/2026"));
  EXPECT_TRUE(footer.trimmed().endsWith(QStringLiteral("RBN 4417")));
}

}  // namespace
}  // namespace frelane
