// The rating screen's quote in the real Qt window (offscreen): a user types the points, a
// class and a weight key by key, with Tab between them, and the quote shows. Run under Xvfb
// with FRELANE_QUOTE_SCREENSHOT set, it also saves a picture of the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_fak.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/shipment_export.h"
#include "frelane/rating/tests/sample_program.h"
#include "platform/forms/application.h"
#include "platform/print/display_list_text.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/qt_print_system.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

// Presses OK in the accessorial dialog when it opens, after ticking row 1; answers message
// boxes with their default button.
class DialogAnswerer {
 public:
  DialogAnswerer(qtbind::QtHost& host, frmAccessorialCharges& dialog) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [&host, &dialog, this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        texts_.push_back(box->text().toStdString());
        box->defaultButton() ? box->defaultButton()->click() : box->accept();
        return;
      }
      QWidget* window = host.WindowOf(dialog);
      if (window == nullptr || !window->isVisible()) return;
      QTest::mouseClick(host.WidgetOf(dialog.chkAccessorialCharge(1)), Qt::LeftButton);
      QTest::mouseClick(host.WidgetOf(dialog.btnOK), Qt::LeftButton);
    });
    timer_.start();
  }
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  QTimer timer_;
  std::vector<std::string> texts_;
};

class QuoteWindowTest : public ::testing::Test {
 protected:
  QuoteWindowTest() : host_(app_), desktop_([this] { return host_.ActiveWindow(); }) {
    app_.SetDesktop(&desktop_);
  }

  void SetUp() override {
    ASSERT_EQ(testing::StartOnSampleData(dir_, FRELANE_SAMPLE_DIR), "");
    screen_.Show();
    window_ = host_.WindowOf(screen_);
    ASSERT_NE(window_, nullptr);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override { testing::StopSampleProgram(); }

  QWidget* Widget(forms::Control& control) {
    QWidget* w = host_.WidgetOf(control);
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) {
      return combo->lineEdit();
    }
    return w;
  }
  // Keys go to the widget that has Qt's focus, as a user's keys do.
  QWidget* Focused() {
    QWidget* w = QApplication::focusWidget();
    EXPECT_NE(w, nullptr) << "no widget has the focus";
    return w;
  }
  void Keys(const char* text) { QTest::keyClicks(Focused(), text); }
  void TabKey() { QTest::keyClick(Focused(), Qt::Key_Tab); }
  // Types the destination and leaves it: the accessorial prompt opens and is answered, and
  // the window system gives the focus back to the screen (the offscreen platform has no
  // window manager to do it).
  void DestinationAndPrompt(const char* destination) {
    Keys(destination);
    TabKey();
    QTest::qWait(100);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  // 1200 lbs of class 100 from 30310 to 60610, typed key by key with Tab between the boxes.
  void TypeOneLineQuote() {
    QTest::mouseClick(Widget(screen_.txtOrigin), Qt::LeftButton);
    Keys("30310");
    TabKey();
    DestinationAndPrompt("60610");
    Keys("100");
    TabKey();
    Keys("1200");
    TabKey();
  }
  // Selects all of `box` and types `text` over it, the box not left. A message box takes
  // the activation with it; the offscreen platform has no window manager to give it back.
  void Retype(forms::Control& box, const char* text) {
    QTest::qWait(50);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    QTest::mouseClick(Widget(box), Qt::LeftButton);
    QTest::keyClick(Focused(), Qt::Key_A, Qt::ControlModifier);
    Keys(text);
  }
  QMenuBar* MenuBar() { return window_->findChild<QMenuBar*>(); }
  QAction* FileMenu() {
    for (QAction* action : MenuBar()->actions()) {
      if (action->text() == QStringLiteral("&File")) return action;
    }
    ADD_FAILURE() << "no File menu";
    return nullptr;
  }
  // File > `item`, both clicked with the mouse.
  void ClickFileItem(const QString& item) {
    QMenu* menu = FileMenu()->menu();
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text() == item) chosen = action;
    }
    ASSERT_NE(chosen, nullptr) << item.toStdString();
    QTest::mouseClick(MenuBar(), Qt::LeftButton, {}, MenuBar()->actionGeometry(FileMenu()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
  }
  // Alt+F, then the item's letter.
  void FileItemByKey(Qt::Key letter) {
    QMenu* menu = FileMenu()->menu();
    QTest::keyClick(Focused(), Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::keyClick(menu, letter);
  }
  // Every caption the window shows can be read whole: no text runs past its label.
  void ExpectNoCaptionCutOff() {
    for (QLabel* label : window_->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->text().isEmpty()) continue;
      const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                           : label->sizeHint().height();
      EXPECT_LE(needed, label->height()) << label->objectName().toStdString() << " is cut off";
      if (!label->wordWrap()) {
        EXPECT_LE(label->sizeHint().width(), label->width() + 2)
            << label->objectName().toStdString() << " is cut off";
      }
    }
  }

  forms::Application app_;
  qtbind::QtHost host_;
  qtbind::QtDesktop desktop_;
  testkit::TempDir dir_;
  frmRatingScreen& screen_ = app_.Get<frmRatingScreen>();
  QWidget* window_ = nullptr;
};

TEST_F(QuoteWindowTest, OneTabLeavesAClassOfTheListAndTheQuoteShows) {
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  QTest::mouseClick(Widget(screen_.txtOrigin), Qt::LeftButton);
  Keys("30310");
  TabKey();
  DestinationAndPrompt("60610");
  ASSERT_TRUE(screen_.cboClass(1).HasFocus());
  Keys("100");
  TabKey();  // a class of the list: one Tab moves on
  EXPECT_TRUE(screen_.txtWeight(1).HasFocus());
  Keys("1200");
  TabKey();
  EXPECT_TRUE(screen_.cboClass(2).HasFocus());
  Keys("92");
  TabKey();
  EXPECT_TRUE(screen_.txtWeight(2).HasFocus());
  Keys("300");
  TabKey();

  EXPECT_EQ(screen_.lblTotalWeight.Caption(), "1500");
  EXPECT_EQ(screen_.lblAccessorialCharge.Caption(), "65.00 ");  // the liftgate
  EXPECT_FALSE(screen_.lblTotalCharge.Caption().empty());
  auto* total = qobject_cast<QLabel*>(host_.WidgetOf(screen_.lblTotalCharge));
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->text().toStdString(), screen_.lblTotalCharge.Caption());
  ExpectNoCaptionCutOff();

  const QString shot = qEnvironmentVariable("FRELANE_QUOTE_SCREENSHOT");
  if (!shot.isEmpty()) {
    QTest::qWait(200);
    EXPECT_TRUE(window_->grab().save(shot));
  }
}

// The edge paths typed into the window: a lane that cannot be rated gives one message and
// returns to the origin with its text selected; a refused class is replaced by the next
// keys; a shipment ended on a blank weight leaves no default class in the next line.
TEST_F(QuoteWindowTest, EdgePathsKeepWhatWasTyped) {
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  auto back_to_window = [&] {
    QTest::qWait(100);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  };
  QTest::mouseClick(Widget(screen_.txtOrigin), Qt::LeftButton);
  Keys("30301");
  TabKey();
  TabKey();  // past the empty destination
  back_to_window();
  EXPECT_EQ(answerer.texts(), std::vector<std::string>{"Invalid Zip Code Combination"});
  auto* origin = qobject_cast<QLineEdit*>(Widget(screen_.txtOrigin));
  ASSERT_TRUE(QTest::qWaitFor([&] { return origin->hasFocus(); }, 2000));
  EXPECT_EQ(origin->selectedText(), QStringLiteral("30301"));
  EXPECT_EQ(screen_.cboClass(1).Text(), "");

  Keys("30310");  // replaces the selected origin
  TabKey();
  Keys("60610");
  TabKey();
  back_to_window();
  ASSERT_TRUE(screen_.cboClass(1).HasFocus());
  Keys("93");
  TabKey();
  back_to_window();
  EXPECT_EQ(answerer.texts().back(), "Invalid Class");
  Keys("100");
  EXPECT_EQ(screen_.cboClass(1).Text(), "100");
  TabKey();
  Keys("1200");
  TabKey();
  EXPECT_EQ(screen_.cboClass(2).Text(), "100");  // the default class on entry
  TabKey();
  TabKey();  // past a blank weight: the shipment ends
  EXPECT_TRUE(screen_.txtOrigin.HasFocus());
  EXPECT_EQ(screen_.cboClass(2).Text(), "");
  EXPECT_EQ(screen_.cboClass(3).Text(), "");
  EXPECT_EQ(screen_.lblCharge(1).Caption(), "456.96 ");
  EXPECT_EQ(answerer.texts().size(), 2u);
}

// The desktop's editing keys, typed as a user types them: Ctrl+A makes the next code replace
// the point, the clipboard goes through the boxes' filters, and a pasted 12.5 in a
// whole-number weight box is refused rather than made 125.
TEST_F(QuoteWindowTest, EditingKeysAndPasteInThePointAndWeightBoxes) {
  const auto ctrl = [this](Qt::Key key) { QTest::keyClick(Focused(), key, Qt::ControlModifier); };
  QClipboard* clipboard = QApplication::clipboard();
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  QTest::mouseClick(Widget(screen_.txtOrigin), Qt::LeftButton);
  Keys("30301");
  ctrl(Qt::Key_A);
  Keys("60601");
  EXPECT_EQ(screen_.txtOrigin.Text(), "60601");
  ctrl(Qt::Key_A);
  ctrl(Qt::Key_C);
  EXPECT_EQ(clipboard->text(), QStringLiteral("60601"));
  // A letter with no single-byte code, as a keyboard layout that has it types it.
  Keys("3");
  QTest::sendKeyEvent(QTest::Click, Focused(), Qt::Key(0x142), QStringLiteral(u"\u0142"),
                      Qt::NoModifier);
  Keys("0");
  EXPECT_EQ(screen_.txtOrigin.Text(), "30");
  ctrl(Qt::Key_Z);
  EXPECT_EQ(screen_.txtOrigin.Text(), "60601");
  clipboard->setText(QStringLiteral("30310"));
  ctrl(Qt::Key_A);
  ctrl(Qt::Key_V);
  EXPECT_EQ(qobject_cast<QLineEdit*>(Widget(screen_.txtOrigin))->text(), QStringLiteral("30310"));
  TabKey();
  DestinationAndPrompt("60610");
  Keys("100");
  TabKey();
  ASSERT_TRUE(screen_.txtWeight(1).HasFocus());
  clipboard->setText(QStringLiteral("12.5"));
  ctrl(Qt::Key_V);
  EXPECT_EQ(screen_.txtWeight(1).Text(), "");
  clipboard->setText(QStringLiteral("1200"));
  ctrl(Qt::Key_V);
  EXPECT_EQ(qobject_cast<QLineEdit*>(Widget(screen_.txtWeight(1)))->text(), QStringLiteral("1200"));
}

// With discounts and the price per unit prompted, their frames cover no caption of the
// screen: not the service column, not a disclaimer, not a line of the quote.
TEST_F(QuoteWindowTest, PromptedDiscountsCoverNoCaption) {
  SettingsRecord& settings = modMain::Settings();
  testing::PromptDiscountsAndUnits(settings);
  screen_.ConfigureScreen();
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  TypeOneLineQuote();
  ASSERT_FALSE(screen_.lblTotalCharge.Caption().empty());
  ExpectNoCaptionCutOff();

  for (forms::Frame* frame : {&screen_.fraDiscount, &screen_.fraPPU}) {
    QWidget* box = host_.WidgetOf(*frame);
    ASSERT_TRUE(box->isVisible()) << frame->Name();
    const QRect area(box->mapTo(window_, QPoint(0, 0)), box->size());
    for (QLabel* label : window_->findChildren<QLabel*>()) {
      if (!label->isVisible() || label->text().isEmpty() || box->isAncestorOf(label)) continue;
      const QRect text(label->mapTo(window_, QPoint(0, 0)), label->size());
      EXPECT_FALSE(area.intersects(text))
          << frame->Name() << " covers " << label->objectName().toStdString();
    }
  }
}

// The two dialogs of the quote in their windows: the accessorial charges of the sample and
// the FAK mapping. With FRELANE_QUOTE_SCREENSHOT_DIR set, each window is saved as a picture.
TEST_F(QuoteWindowTest, AccessorialAndFakDialogsShowTheirRows) {
  frmAccessorialCharges& accessorials = app_.Get<frmAccessorialCharges>();
  frmFAK& fak = app_.Get<frmFAK>();
  const QString dir = qEnvironmentVariable("FRELANE_QUOTE_SCREENSHOT_DIR");
  std::vector<std::string> seen;
  QTimer timer;
  timer.setInterval(30);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    for (forms::Form* form :
         {static_cast<forms::Form*>(&accessorials), static_cast<forms::Form*>(&fak)}) {
      QWidget* window = host_.WindowOf(*form);
      if (window == nullptr || !window->isVisible()) continue;
      QTest::qWait(50);
      seen.push_back(form->Name());
      if (!dir.isEmpty()) {
        window->grab().save(dir + "/" + QString::fromStdString(form->Name()) + ".png");
      }
      forms::Control& close = form == &fak ? static_cast<forms::Control&>(fak.btnIgnore)
                                           : static_cast<forms::Control&>(accessorials.btnOK);
      QTest::mouseClick(host_.WidgetOf(close), Qt::LeftButton);
      return;
    }
  });
  timer.start();
  screen_.mnuEditAccessorialCharges.on.Click();  // Edit > Accessorial Charges
  EXPECT_EQ(accessorials.chkAccessorialCharge(8).Caption(), "Hazardous Handling");
  EXPECT_EQ(accessorials.lblAccessorialType(6).Caption(), "$/Pallet");
  screen_.mnuEditFAK.on.Click();  // Edit > FAK
  EXPECT_EQ(seen, (std::vector<std::string>{"frmAccessorialCharges", "frmFAK"}));
}

// A weight typed over a rated quote and not left, then printed from the real toolbar button,
// from File > Print clicked in the menu bar and from Alt+F, P: each printout carries the new
// weight rated, and a class the box refuses prints nothing. With
// FRELANE_QUOTE_SCREENSHOT_DIR set, the screen after the first and the last print is saved.
TEST_F(QuoteWindowTest, PrintsFromTheToolbarAndTheMenuRateTheWeightTypedLast) {
  print::testing::ScopedRecordingPrintSystem printers;
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  TypeOneLineQuote();
  ASSERT_EQ(screen_.lblTotalWeight.Caption(), "1200");

  const auto printed = [&printers](const std::string& text) {
    for (const std::string& line : print::PageLines(printers->LastDocument().pages.at(0))) {
      if (line.find(text) != std::string::npos) return line;
    }
    return std::string();
  };
  const auto expect_printed = [&](const char* weight, const char* charge) {
    ASSERT_FALSE(printers->jobs().empty());
    EXPECT_EQ(answerer.texts().back(), "Information Printed");
    EXPECT_EQ(screen_.lblTotalWeight.Caption(), weight);
    EXPECT_EQ(screen_.lblCharge(1).Caption(), charge);
    EXPECT_NE(printed("Origin      ").find(std::string(weight) + "    38.08 "), std::string::npos);
    const std::string total = printed("Total Weight");
    EXPECT_EQ(total.substr(total.size() - 4), weight);
    EXPECT_TRUE(screen_.txtWeight(1).HasFocus());
  };

  const QString dir = qEnvironmentVariable("FRELANE_QUOTE_SCREENSHOT_DIR");
  Retype(screen_.txtWeight(1), "1600");
  QTest::mouseClick(host_.WidgetOf(screen_.btnFilePrint), Qt::LeftButton);
  expect_printed("1600", "609.28 ");
  if (!dir.isEmpty()) {
    QTest::qWait(200);
    EXPECT_TRUE(window_->grab().save(dir + "/frmRatingScreen_toolbar_print.png"));
  }

  Retype(screen_.txtWeight(1), "1500");
  ClickFileItem(QStringLiteral("&Print"));
  ASSERT_EQ(printers->jobs().size(), 2u);
  expect_printed("1500", "571.20 ");  // 15 x 38.08

  Retype(screen_.txtWeight(1), "1400");
  FileItemByKey(Qt::Key_P);
  ASSERT_EQ(printers->jobs().size(), 3u);
  expect_printed("1400", "533.12 ");  // 14 x 38.08

  Retype(screen_.cboClass(1), "93");
  QTest::mouseClick(host_.WidgetOf(screen_.btnFilePrint), Qt::LeftButton);
  ClickFileItem(QStringLiteral("&Print"));
  EXPECT_EQ(printers->jobs().size(), 3u);
  EXPECT_EQ(answerer.texts().back(), "Invalid Class");
  EXPECT_EQ(std::count(answerer.texts().begin(), answerer.texts().end(), "Invalid Class"), 2);
  EXPECT_TRUE(screen_.cboClass(1).HasFocus());

  if (!dir.isEmpty()) {
    Retype(screen_.cboClass(1), "100");
    TabKey();
    QTest::qWait(200);
    EXPECT_TRUE(window_->grab().save(dir + "/frmRatingScreen_after_print.png"));
  }
}

// 15000 lbs typed over a quote of 1500 lbs (over the sample's spot-quote limit of 10,000 lbs)
// and not left, then Print or Export from the menu by mouse, by Alt+F and from the toolbar:
// the notice comes, the shipment is cleared, nothing is printed or exported, and the user types
// on in the weight box. Under the limit, the same paths print and export. With
// FRELANE_QUOTE_SCREENSHOT_DIR set, the screen after the notice from File > Print is saved.
TEST_F(QuoteWindowTest, AShipmentOverTheSpotQuoteLimitGoesOutByNoPath) {
  print::testing::ScopedRecordingPrintSystem printers;
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  modShipmentExport::ExportSettings() = {"N", "N", "N", dir_.File("spot.prn")};
  QTest::mouseClick(Widget(screen_.txtOrigin), Qt::LeftButton);
  Keys("30301");
  TabKey();
  DestinationAndPrompt("60601");
  Keys("100");
  TabKey();
  Keys("1500");
  TabKey();
  ASSERT_EQ(screen_.lblTotalWeight.Caption(), "1500");

  const std::vector<std::function<void()>> paths = {
      [this] { ClickFileItem(QStringLiteral("&Print")); },
      [this] { ClickFileItem(QStringLiteral("&Export")); },
      [this] { FileItemByKey(Qt::Key_P); },
      [this] { FileItemByKey(Qt::Key_E); },
      [this] { QTest::mouseClick(host_.WidgetOf(screen_.btnFilePrint), Qt::LeftButton); },
      [this] { QTest::mouseClick(host_.WidgetOf(screen_.btnFileExport), Qt::LeftButton); }};
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (i > 0) {
      Retype(screen_.cboClass(1), "100");
      TabKey();
      Keys("1500");
      TabKey();
    }
    Retype(screen_.txtWeight(1), "15000");
    const std::size_t shown = answerer.texts().size();
    paths[i]();
    QTest::qWait(100);
    ASSERT_EQ(answerer.texts().size(), shown + 1) << i;
    EXPECT_NE(answerer.texts().back().find("Spot Quote Desk"), std::string::npos) << i;
    EXPECT_EQ(screen_.txtWeight(1).Text(), "") << i;
    EXPECT_TRUE(screen_.txtWeight(1).HasFocus()) << i;
    // The keyboard is the weight box's, not the toolbar button's.
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    EXPECT_EQ(QApplication::focusWidget(), Widget(screen_.txtWeight(1))) << i;
    Keys("9");
    EXPECT_EQ(screen_.txtWeight(1).Text(), "9") << i;
    if (const QString dir = qEnvironmentVariable("FRELANE_QUOTE_SCREENSHOT_DIR");
        i == 0 && !dir.isEmpty()) {
      QTest::qWait(200);
      EXPECT_TRUE(window_->grab().save(dir + "/frmRatingScreen_spot_quote_menu.png"));
    }
  }
  EXPECT_TRUE(printers->jobs().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("spot.prn")));

  // Under the limit: printed by Alt+F, P and exported from the toolbar as ever.
  Retype(screen_.cboClass(1), "100");
  TabKey();
  Keys("1500");
  TabKey();
  Retype(screen_.txtWeight(1), "9000");
  FileItemByKey(Qt::Key_P);
  ASSERT_EQ(printers->jobs().size(), 1u);
  EXPECT_EQ(answerer.texts().back(), "Information Printed");
  Retype(screen_.txtWeight(1), "8000");
  QTest::mouseClick(host_.WidgetOf(screen_.btnFileExport), Qt::LeftButton);
  QTest::qWait(100);
  EXPECT_EQ(answerer.texts().back().rfind("Rating data exported to", 0), 0u);
  const std::string file = testkit::ReadFile(dir_.File("spot.prn"));
  ASSERT_EQ(file.size(), 255u);
  EXPECT_EQ(file.substr(29, 6), "008000");  // ACTL_WT
}

// File > Print to the "PDF file" printer of the real print system, and Cancel in its file
// dialog: nothing is written, no message at all, and the user is back in the window where
// the print started, typing on.
TEST_F(QuoteWindowTest, CancelInThePdfFileDialogIsNoError) {
  auto previous = print::InstallPrintSystem(std::make_unique<qtbind::QtPrintSystem>());
  ASSERT_TRUE(print::SelectPrinter(static_cast<int>(print::Printers().size()) - 1));
  DialogAnswerer answerer(host_, app_.Get<frmAccessorialCharges>());
  TypeOneLineQuote();
  ASSERT_EQ(screen_.lblTotalWeight.Caption(), "1200");
  const std::size_t shown = answerer.texts().size();
  int cancelled = 0;
  QTimer canceller;
  canceller.setInterval(20);
  QObject::connect(&canceller, &QTimer::timeout, [&cancelled] {
    if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      chooser->reject();
      ++cancelled;
    }
  });
  canceller.start();
  Retype(screen_.txtWeight(1), "1300");
  ClickFileItem(QStringLiteral("&Print"));
  QTest::qWait(100);
  canceller.stop();
  print::InstallPrintSystem(std::move(previous));

  EXPECT_EQ(cancelled, 1);
  EXPECT_EQ(answerer.texts().size(), shown) << answerer.texts().back();
  EXPECT_EQ(screen_.lblTotalWeight.Caption(), "1300");
  EXPECT_TRUE(screen_.txtWeight(1).HasFocus());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  EXPECT_EQ(QApplication::focusWidget(), Widget(screen_.txtWeight(1)));
}

}  // namespace
}  // namespace frelane
