#include "platform/qt/qt_host.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/print/print_form.h"
#include "platform/print/printers.h"
#include "platform/print/recording_print_system.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_print_system.h"
#include "platform/qt/tests/demo_form.h"

namespace qtbind {
namespace {

using testing::frmDemo;

// Answers the next message box that opens with its default button, keeping its text.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      texts_.push_back(box->text());
      box->defaultButton() ? box->defaultButton()->click() : box->accept();
    });
    timer_.start();
  }
  const QStringList& texts() const { return texts_; }

 private:
  QTimer timer_;
  QStringList texts_;
};

class QtHostTest : public ::testing::Test {
 protected:
  QtHostTest() : host_(app_), desktop_([this] { return host_.ActiveWindow(); }) {
    app_.SetDesktop(&desktop_);
  }

  void SetUp() override {
    form_.Show();
    window_ = host_.WindowOf(form_);
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  void TearDown() override { form_.Unload(); }

  template <typename W = QWidget>
  W* Widget(forms::Control& control) {
    return qobject_cast<W*>(host_.WidgetOf(control));
  }
  // The zip box, once it has the focus the form gives it.
  QLineEdit* FocusedZip() {
    QLineEdit* zip = Widget<QLineEdit>(form_.txtZip);
    EXPECT_TRUE(QTest::qWaitFor([&] { return zip->hasFocus(); }, 2000));
    return zip;
  }
  // The form's window is active again and what is typed reaches the zip box.
  void ExpectTypingReachesZip() {
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
    QTest::keyClicks(QApplication::focusWidget(), "303");
    EXPECT_EQ(form_.txtZip.Text(), "303");
  }

  forms::Application app_;
  QtHost host_;
  QtDesktop desktop_;
  print::testing::ScopedRecordingPrintSystem printers_;
  frmDemo& form_ = app_.Get<frmDemo>();
  QWidget* window_ = nullptr;
};

TEST_F(QtHostTest, EveryControlIsAWidgetPlacedFromItsTwips) {
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Quote Demo"));
  // 15 twips to the pixel.
  EXPECT_EQ(Widget(form_.txtZip)->geometry(), QRect(72, 8, 80, 21));
  EXPECT_EQ(Widget(form_.optScreen)->geometry(), QRect(140, 24, 120, 21));
  EXPECT_EQ(Widget(form_.optScreen)->parentWidget(), Widget(form_.fraOutput))
      << "a control in a frame sits on the frame";
  EXPECT_EQ(Widget<QLabel>(form_.lblZip)->text(), QStringLiteral("Zip:"));
  EXPECT_EQ(Widget<QPushButton>(form_.btnPrint)->text(), QStringLiteral("&Print"));
  EXPECT_EQ(Widget<QComboBox>(form_.cboClass)->count(), 3);
  EXPECT_EQ(Widget<QListView>(form_.lstLines)->font().family(), QStringLiteral("Liberation Mono"));

  form_.lblStatus.SetCaption("Rated");
  form_.fraOutput.SetVisible(false);
  form_.txtZip.Move(1500, 150, 1500, 330);
  EXPECT_EQ(Widget<QLabel>(form_.lblStatus)->text(), QStringLiteral("Rated"));
  EXPECT_FALSE(Widget(form_.optPrinter)->isVisible());
  EXPECT_EQ(Widget(form_.txtZip)->geometry(), QRect(100, 10, 100, 22));
}

TEST_F(QtHostTest, TypedKeysPassTheModelsKeyFilters) {
  QLineEdit* zip = FocusedZip();
  QTest::keyClicks(zip, "12a34");
  EXPECT_EQ(form_.txtZip.Text(), "1234");
  EXPECT_EQ(zip->text(), QStringLiteral("1234"));
  QTest::keyClick(zip, Qt::Key_Backspace);
  EXPECT_EQ(form_.txtZip.Text(), "123");
  EXPECT_EQ(zip->cursorPosition(), 3);
  QTest::keyClicks(zip, "456");
  EXPECT_EQ(form_.txtZip.Text(), "12345") << "MaxLength refuses the sixth";

  form_.txtName.SetFocus();
  QLineEdit* name = Widget<QLineEdit>(form_.txtName);
  EXPECT_TRUE(QTest::qWaitFor([&] { return name->hasFocus(); }, 2000));
  QTest::keyClicks(name, "bramble");
  EXPECT_EQ(form_.txtName.Text(), "BRAMBLE");
  EXPECT_EQ(name->text(), QStringLiteral("BRAMBLE"));
}

TEST_F(QtHostTest, TabMovesTheFocusOnlyWhenValidateLetsIt) {
  QLineEdit* zip = Widget<QLineEdit>(form_.txtZip);
  QLineEdit* name = Widget<QLineEdit>(form_.txtName);
  EXPECT_TRUE(QTest::qWaitFor([&] { return zip->hasFocus(); }, 2000));
  QTest::keyClicks(zip, "303");
  QTest::keyClick(zip, Qt::Key_Tab);
  EXPECT_TRUE(zip->hasFocus()) << "Validate cancelled: the focus stays";
  EXPECT_EQ(form_.events, std::vector<std::string>{"txtZip_Validate"});

  QTest::keyClicks(zip, "01");
  QTest::keyClick(zip, Qt::Key_Tab);
  EXPECT_TRUE(QTest::qWaitFor([&] { return name->hasFocus(); }, 2000));
  EXPECT_TRUE(form_.txtName.HasFocus());
  EXPECT_EQ(form_.events, (std::vector<std::string>{"txtZip_Validate", "txtZip_Validate",
                                                    "txtZip_LostFocus", "txtName_GotFocus"}));
  QTest::keyClick(name, Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return zip->hasFocus(); }, 2000));
}

TEST_F(QtHostTest, AClickThatValidateRefusesIsNoClick) {
  EXPECT_TRUE(QTest::qWaitFor([&] { return Widget(form_.txtZip)->hasFocus(); }, 2000));
  QTest::keyClicks(Widget(form_.txtZip), "30");
  QTest::mouseClick(Widget(form_.btnPrint), Qt::LeftButton);
  EXPECT_TRUE(Widget(form_.txtZip)->hasFocus());
  EXPECT_EQ(form_.events, std::vector<std::string>{"txtZip_Validate"});
  EXPECT_TRUE(printers_->jobs().empty());

  // Cancel does not cause validation: its click goes through and the focus moves to it.
  QTest::mouseClick(Widget(form_.btnCancel), Qt::LeftButton);
  EXPECT_EQ(form_.events.back(), "btnCancel_Click");
  EXPECT_TRUE(form_.btnCancel.HasFocus());
}

// A second window over the demo form, closed by its button.
class frmNote : public forms::Form {
 public:
  frmNote() : Form("frmNote", {.caption = "Note", .width = 3000, .height = 1500}) {
    btnClose.on.Click = [this] { Hide(); };
  }
  forms::CommandButton& btnClose =
      Add<forms::CommandButton>("btnClose", {120, 120, 1200, 375}, {.caption = "Close"});
};

TEST_F(QtHostTest, TheWindowBelowTakesTheKeyboardBackWhenADialogCloses) {
  FocusedZip();
  auto& note = app_.Get<frmNote>();
  note.Show();
  QWidget* note_window = host_.WindowOf(note);
  ASSERT_TRUE(QTest::qWaitForWindowActive(note_window));
  // Nothing but the program itself gives the input focus back (no window manager).
  note_window->hide();
  QApplication::setActiveWindow(nullptr);
  note_window->show();
  note_window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(note_window));

  QTest::keyClick(Widget(note.btnClose), Qt::Key_Space);
  EXPECT_FALSE(note.IsVisible());
  ExpectTypingReachesZip();
  note.Unload();
}

// A window unloaded without an event loop turning afterwards is deleted with its host: its
// event filters call into the host, so it must not outlive it.
TEST(QtHostLifetimeTest, AWindowUnloadedJustBeforeItsHostEndsGoesWithTheHost) {
  forms::Application app;
  print::testing::ScopedRecordingPrintSystem printers;
  QPointer<QWidget> window;
  {
    QtHost host(app);
    auto& form = app.Get<frmDemo>();
    form.Show();
    window = host.WindowOf(form);
    ASSERT_FALSE(window.isNull());
    form.Unload();
    EXPECT_FALSE(window.isNull());  // waits for the event loop
  }
  EXPECT_TRUE(window.isNull());
}

TEST_F(QtHostTest, TheWindowBelowTakesTheKeyboardBackWhenAModalDialogUnloads) {
  FocusedZip();
  auto& note = app_.Get<frmNote>();
  note.btnClose.on.Click = [&note] { note.Unload(); };
  QTimer::singleShot(0, [&] { QTest::mouseClick(Widget(note.btnClose), Qt::LeftButton); });
  note.ShowModal();
  EXPECT_FALSE(note.IsLoaded());
  ExpectTypingReachesZip();
}

TEST_F(QtHostTest, TheWindowTakesTheKeyboardBackWhenAMessageBoxCloses) {
  FocusedZip();
  bool answered = false;
  QTimer::singleShot(50, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    // As without a window manager: the closing box leaves no window active.
    QObject::connect(box, &QDialog::finished, [] { QApplication::setActiveWindow(nullptr); });
    box->defaultButton()->click();
    answered = true;
  });
  forms::MsgBox("Invalid Zip");
  EXPECT_TRUE(answered);
  ExpectTypingReachesZip();
}

TEST_F(QtHostTest, TheWindowTakesTheKeyboardBackWhenThePdfChooserCloses) {
  FocusedZip();
  bool cancelled = false;
  QTimer::singleShot(50, [&] {
    auto* chooser = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    // As without a window manager: the closing chooser leaves no window active.
    QObject::connect(chooser, &QDialog::finished, [] { QApplication::setActiveWindow(nullptr); });
    chooser->reject();
    cancelled = true;
  });
  EXPECT_TRUE(AskForPdfPath().isEmpty());
  EXPECT_TRUE(cancelled);
  ExpectTypingReachesZip();
}

// A window with a combo box the user may also type into.
class frmPick : public forms::Form {
 public:
  frmPick() : Form("frmPick", {.caption = "Pick", .width = 4000, .height = 2000}) {}
  forms::ComboBox& cboProduct = Add<forms::ComboBox>(
      "cboProduct", {120, 120, 3000, 315},
      {.tab_index = 0, .list = {"Oak flooring", "Canned tomatoes", "Pool acid"}});
};

TEST_F(QtHostTest, ARowPickedInADropDownByMouseOrKeyIsTaken) {
  auto& pick = app_.Get<frmPick>();
  pick.Show();
  QWidget* window = host_.WindowOf(pick);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto* combo = Widget<QComboBox>(pick.cboProduct);
  ASSERT_TRUE(QTest::qWaitFor([&] { return combo->hasFocus(); }, 2000));
  QAbstractItemView* rows = combo->view();

  // The mouse: a press on the arrow opens the list, which stays open when the button is let
  // go over the arrow; a click on a row takes it.
  const QPoint arrow(combo->width() - 5, combo->height() / 2);
  QTest::mousePress(combo, Qt::LeftButton, {}, arrow);
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows->isVisible(); }, 2000));
  QWidget* list_window = rows->window();
  QTest::mouseRelease(list_window, Qt::LeftButton, {}, list_window->mapFromGlobal(combo->mapToGlobal(arrow)));
  QTest::qWait(50);
  ASSERT_TRUE(rows->isVisible());
  const QRect row = rows->visualRect(rows->model()->index(1, 0));
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rows->isVisible(); }, 2000));
  EXPECT_EQ(pick.cboProduct.ListIndex(), 1);
  EXPECT_EQ(pick.cboProduct.Text(), "Canned tomatoes");

  // The keyboard: Down in the open list, then Enter.
  combo->showPopup();
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows->isVisible(); }, 2000));
  QTest::keyClick(rows, Qt::Key_Down);
  QTest::keyClick(rows, Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rows->isVisible(); }, 2000));
  EXPECT_EQ(pick.cboProduct.Text(), "Pool acid");

  // The keyboard on the closed box: Up steps to the row above, Alt+Down opens the list.
  QTest::keyClick(combo, Qt::Key_Up);
  EXPECT_EQ(pick.cboProduct.Text(), "Canned tomatoes");
  EXPECT_EQ(combo->currentText(), QStringLiteral("Canned tomatoes"));
  QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return rows->isVisible(); }, 2000));
  QTest::keyClick(rows, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !rows->isVisible(); }, 2000));
  EXPECT_EQ(pick.cboProduct.ListIndex(), 1);
  pick.Unload();
}

TEST_F(QtHostTest, ArrowsMoveTheFocusAndTheChoiceThroughAnOptionGroup) {
  QLineEdit* zip = FocusedZip();
  QTest::keyClicks(zip, "30301");
  form_.optPrinter.SetFocus();
  auto* printer = qobject_cast<QAbstractButton*>(Widget(form_.optPrinter));
  auto* screen = qobject_cast<QAbstractButton*>(Widget(form_.optScreen));
  ASSERT_TRUE(QTest::qWaitFor([&] { return printer->hasFocus(); }, 2000));
  QTest::keyClick(printer, Qt::Key_Right);
  EXPECT_TRUE(form_.optScreen.Value());
  EXPECT_TRUE(QTest::qWaitFor([&] { return screen->hasFocus(); }, 2000));
  EXPECT_TRUE(screen->isChecked());
  EXPECT_FALSE(printer->isChecked());
  QTest::keyClick(screen, Qt::Key_Down);
  EXPECT_TRUE(form_.optPrinter.Value()) << "the last option wraps to the first";
}

TEST_F(QtHostTest, TheFocusedButtonOrCheckBoxShowsItsFocusFrame) {
  QLineEdit* zip = FocusedZip();
  QTest::keyClicks(zip, "30301");
  QWidget* check = Widget(form_.chkBold);
  const QImage unfocused = check->grab().toImage();
  QTest::keyClick(zip, Qt::Key_Tab);
  QTest::keyClick(Widget(form_.txtName), Qt::Key_Tab);
  QTest::keyClick(Widget(form_.cboClass), Qt::Key_Tab);
  EXPECT_TRUE(QTest::qWaitFor([&] { return check->hasFocus(); }, 2000));
  EXPECT_NE(check->grab().toImage(), unfocused) << "the user must see where the focus is";
}

TEST_F(QtHostTest, AltAndAnUnderlinedLetterPressTheControlThroughTheModel) {
  QLineEdit* zip = FocusedZip();
  QTest::keyClicks(zip, "30301");
  QTest::keyClick(zip, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(form_.chkBold.Value(), forms::CheckBox::kUnchecked);
  EXPECT_TRUE(form_.chkBold.HasFocus());
  EXPECT_EQ(form_.txtZip.Text(), "30301");
  EXPECT_FALSE(qobject_cast<QCheckBox*>(Widget(form_.chkBold))->isChecked());
}

TEST_F(QtHostTest, AFramesBorderRunsThroughItsCaption) {
  auto* box = qobject_cast<QGroupBox*>(Widget(form_.fraOutput));
  ASSERT_NE(box, nullptr);
  QImage image(box->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  box->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  // The top border, looked for near the right edge, away from the caption.
  const int x = image.width() - 4;
  int border = -1;
  for (int y = 0; y < image.height() && border < 0; ++y) {
    if (qGray(image.pixel(x, y)) < 200) border = y;
  }
  // The layout puts controls just below the caption: they must lie inside the border.
  EXPECT_GE(border, 0);
  EXPECT_LE(border, box->fontMetrics().height() / 2 + 1);
  EXPECT_LT(border, Widget(form_.optPrinter)->geometry().top());
}

TEST_F(QtHostTest, TheEditingKeysWorkOnTheDesktopClipboardThroughTheKeyFilter) {
  QLineEdit* zip = FocusedZip();
  QApplication::clipboard()->setText(QStringLiteral("3x0y3"));
  QTest::keyClick(zip, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(form_.txtZip.Text(), "") << "the filter would drop letters: refused whole";
  QApplication::clipboard()->setText(QStringLiteral("30301\n"));
  QTest::keyClick(zip, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(zip->text(), QStringLiteral("30301"));

  QTest::keyClick(zip, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(zip, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(zip->text(), QString());
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("30301"));
  QTest::keyClick(zip, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(zip->text(), QStringLiteral("30301"));
  QTest::keyClick(zip, Qt::Key_End);
  QTest::keyClick(zip, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(zip, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1"));
}

TEST_F(QtHostTest, ALetterWithoutASingleByteCodeIsRefusedWithABeep) {
  class CountingDesktop : public QtDesktop {
   public:
    void Beep() override { ++beeps; }
    int beeps = 0;
  } desktop;
  app_.SetDesktop(&desktop);
  QLineEdit* zip = FocusedZip();
  QTest::keyClicks(zip, "30");
  QTest::sendKeyEvent(QTest::Click, zip, Qt::Key(0x141), QStringLiteral(u"\u0141"), Qt::NoModifier);
  QTest::keyClicks(zip, "3");
  EXPECT_EQ(zip->text(), QStringLiteral("303"));
  EXPECT_EQ(desktop.beeps, 1);
  app_.SetDesktop(&desktop_);
}

TEST_F(QtHostTest, ThePrintButtonPrintsTheEntryToAPdfFile) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  }
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("quote.pdf"));
  auto previous = print::InstallPrintSystem(std::make_unique<QtPrintSystem>([pdf] { return pdf; }));
  ASSERT_TRUE(print::SelectPrinter(static_cast<int>(print::Printers().size()) - 1));

  QTest::keyClicks(Widget(form_.txtZip), "30301");
  QTest::keyClick(Widget(form_.txtZip), Qt::Key_Tab);
  QTest::keyClicks(Widget(form_.txtName), "bramble freight");
  form_.cboClass.SetListIndex(1);
  MessageBoxAnswerer answerer;
  QTest::mouseClick(Widget(form_.btnPrint), Qt::LeftButton);
  print::InstallPrintSystem(std::move(previous));

  EXPECT_EQ(answerer.texts(), QStringList{QStringLiteral("Information Printed")});
  EXPECT_EQ(Widget<QLabel>(form_.lblStatus)->text(), QStringLiteral("Printed"));
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  ASSERT_TRUE(pdftotext.waitForFinished(30000));
  const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
  EXPECT_TRUE(text.contains(QStringLiteral("Quote for BRAMBLE FREIGHT Zip 30301 Class 55")))
      << text.toStdString();
}

TEST_F(QtHostTest, AJobThatDidNotGoOutIsReportedNotClaimed) {
  auto previous = print::InstallPrintSystem(std::make_unique<QtPrintSystem>(
      [] { return QStringLiteral("/nowhere/quote.pdf"); },
      [](const QString&, const QByteArray&) { return QStringLiteral("No space left on device"); }));
  ASSERT_TRUE(print::SelectPrinter(static_cast<int>(print::Printers().size()) - 1));
  QTest::keyClicks(Widget(form_.txtZip), "30301");
  MessageBoxAnswerer answerer;
  QTest::mouseClick(Widget(form_.btnPrint), Qt::LeftButton);
  print::InstallPrintSystem(std::move(previous));
  ASSERT_EQ(answerer.texts().size(), 1);
  EXPECT_TRUE(answerer.texts()[0].contains(QStringLiteral("No space left on device")))
      << answerer.texts()[0].toStdString();
  EXPECT_EQ(Widget<QLabel>(form_.lblStatus)->text(), QStringLiteral("Ready"));
  EXPECT_TRUE(window_->isVisible()) << "the program goes on";
}

TEST_F(QtHostTest, PrintFormPrintsTheWindowAsItLooks) {
  print::PrintForm("frmDemo");
  ASSERT_EQ(printers_->jobs().size(), 1u);
  const auto& draw =
      std::get<print::op::DrawPicture>(printers_->LastDocument().pages[0].ops.at(0));
  ASSERT_NE(draw.picture.pixels, nullptr);
  // The client area: the form's interior, 15 twips to the pixel.
  EXPECT_EQ(draw.picture.pixels->width, form_.ScaleWidth() / 15);
  EXPECT_EQ(draw.width, draw.picture.pixels->width * 15);
  EXPECT_THROW(print::PrintForm("frmNotThere"), print::PrinterError);
}

// Saves an image of the demo form where FRELANE_DEMO_SCREENSHOT says (for a look at it under
// a real X server: xvfb-run with QT_QPA_PLATFORM=xcb).
TEST_F(QtHostTest, Screenshot) {
  const QString path = qEnvironmentVariable("FRELANE_DEMO_SCREENSHOT");
  if (path.isEmpty()) GTEST_SKIP() << "FRELANE_DEMO_SCREENSHOT is not set";
  QTest::keyClicks(Widget(form_.txtZip), "30301");
  QTest::keyClick(Widget(form_.txtZip), Qt::Key_Tab);
  QTest::keyClicks(Widget(form_.txtName), "bramble freight");
  form_.lstLines.AddItem("30301 55");
  QTest::qWait(200);
  EXPECT_TRUE(window_->grab().save(path));
}

}  // namespace
}  // namespace qtbind
