// The bill-of-lading editor in its real Qt window (offscreen): a bill typed key by key and
// saved from the menu, and pictures of the three pages on a sample bill.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <filesystem>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/tests/bol_qt_test_support.h"
#include "frelane/bol/frm_bol_defaults.h"
#include "frelane/bol/frm_bol_open.h"
#include "frelane/bol/mod_bol.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/os/atomic_file.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {


TEST_F(BolQtTest, ABillTypedKeyByKeyIsSavedFromTheMenu) {
  // The sample's default shipper is in place; the rest is typed.
  EXPECT_EQ(Widget<QComboBox>(editor_.cboShipperName)->currentText(),
            QStringLiteral("Maple Row Millworks"));
  QLineEdit* number = Widget<QLineEdit>(editor_.txtBOL);
  ASSERT_TRUE(QTest::qWaitFor([&] { return number->hasFocus(); }, 2000));
  QTest::keyClicks(number, "QT-0001");
  QTest::keyClick(number, Qt::Key_Return);  // Enter moves on as Tab
  QLineEdit* date = Widget<QLineEdit>(editor_.txtShipmentDate);
  ASSERT_TRUE(QTest::qWaitFor([&] { return date->hasFocus(); }, 2000));
  QTest::keyClicks(date, "12/09/2026");
  QTest::keyClick(date, Qt::Key_Tab);
  QTest::keyClicks(Widget(editor_.txtCarriersProNumber), "PRO-77");

  QWidget* consignee = Widget(editor_.cboConsigneeName);
  QTest::mouseClick(consignee, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor_.cboConsigneeName.HasFocus(); }, 2000));
  QTest::keyClicks(consignee, "Harbor View Supply");
  QTest::keyClick(consignee, Qt::Key_Tab);
  QTest::keyClicks(Widget(editor_.txtConsigneeAddress), "2200 Wharf St");
  QTest::keyClick(Widget(editor_.txtConsigneeAddress), Qt::Key_Tab);
  QTest::keyClicks(Widget(editor_.txtConsigneeCity), "Port Ellis");
  QTest::keyClick(Widget(editor_.txtConsigneeCity), Qt::Key_Tab);
  QTest::keyClicks(Widget(editor_.txtConsigneeState), "mi");  // raised as typed
  QTest::keyClick(Widget(editor_.txtConsigneeState), Qt::Key_Tab);
  QTest::keyClicks(Widget(editor_.txtConsigneeZipCode), "49503");
  QTest::mouseClick(Widget(editor_.optFreightChargesPaidBy(1)), Qt::LeftButton);
  // The payer choices are announced as option buttons of their group.
  for (int i = 0; i <= 2; ++i) {
    QAccessibleInterface* payer =
        QAccessible::queryAccessibleInterface(Widget(editor_.optFreightChargesPaidBy(i)));
    EXPECT_EQ(payer->role(), QAccessible::RadioButton) << i;
    EXPECT_EQ(payer->state().checked, i == 1) << i;
    EXPECT_EQ(payer->parent()->text(QAccessible::Name).toStdString(),
              "Freight Charges to be Paid by:");
  }
  EXPECT_EQ(editor_.txtConsigneeState.Text(), "MI");

  QAction* save = MenuAction(QStringLiteral("&Save"), QStringLiteral("&BOL"));
  ASSERT_NE(save, nullptr);
  save->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !editor_.BOLChanged(); }, 2000));
  std::string bytes = testkit::ReadFile(dir_.File("BOLData/QT-0001.BOL"));
  ASSERT_EQ(bytes.size(), 7504u);
  EXPECT_EQ(bytes.substr(0, 7), "QT-0001");
  EXPECT_EQ(bytes.substr(25, 10), "12/09/2026");
  EXPECT_EQ(bytes.substr(85, 19), "Maple Row Millworks");
  EXPECT_EQ(bytes.substr(253, 18), "Harbor View Supply");
  EXPECT_EQ(bytes.substr(363, 8), "MI49503 ");
  EXPECT_EQ(bytes[489], 1);
}

// The desktop's editing keys in the editor, typed as a user types them.
TEST_F(BolQtTest, EditingKeysWorkInTheBoxesThroughTheirFilters) {
  QLineEdit* number = Widget<QLineEdit>(editor_.txtBOL);
  ASSERT_TRUE(QTest::qWaitFor([&] { return number->hasFocus(); }, 2000));
  QTest::keyClicks(number, "QT-0001");
  QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(number, "QT-0002");
  EXPECT_EQ(editor_.txtBOL.Text(), "QT-0002");
  QTest::keyClick(number, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(number, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(number->text(), QString());
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("QT-0002"));
  QTest::keyClick(number, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor_.txtBOL.Text(), "QT-0002");

  // The shipper's name: 25 letters at most, so a longer paste is refused, not cut.
  QLineEdit* typed_into = Widget<QComboBox>(editor_.cboShipperName)->lineEdit();
  QTest::mouseClick(typed_into, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor_.cboShipperName.HasFocus(); }, 2000));
  QTest::keyClick(typed_into, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(typed_into, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Maple Row Millworks"));
  QApplication::clipboard()->setText(QString(30, QChar('p')));
  QTest::keyClick(typed_into, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor_.cboShipperName.Text(), "Maple Row Millworks");
  // A letter with no single-byte code, as a keyboard layout that has it types it.
  QTest::sendKeyEvent(QTest::Click, typed_into, Qt::Key(0x141), QStringLiteral(u"\u0141"),
                      Qt::NoModifier);
  QTest::keyClicks(typed_into, "ake Mill");
  EXPECT_EQ(editor_.cboShipperName.Text(), "ake Mill");
  EXPECT_EQ(modBOL::CurrentBOL().View().Utf8Text(bol::bill::kShipperName).substr(0, 8), "ake Mill");
}

TEST_F(BolQtTest, ABadDateIsReportedOnceAndKeepsTheFocus) {
  QStringList shown;
  QTimer answer;
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown.push_back(box->text());
    box->defaultButton() ? box->defaultButton()->click() : box->accept();
  });
  answer.start();
  QLineEdit* number = Widget<QLineEdit>(editor_.txtBOL);
  QLineEdit* date = Widget<QLineEdit>(editor_.txtShipmentDate);
  ASSERT_TRUE(QTest::qWaitFor([&] { return number->hasFocus(); }, 2000));
  QTest::keyClick(number, Qt::Key_Tab);  // entering the date selects its text
  ASSERT_TRUE(QTest::qWaitFor([&] { return date->hasFocus(); }, 2000));
  QTest::keyClicks(date, "13/01/2026");
  EXPECT_EQ(editor_.txtShipmentDate.Text(), "13/01/2026");
  QTest::keyClick(date, Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 3000));
  QTest::qWait(200);
  EXPECT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Invalid Date.")));
  EXPECT_TRUE(QTest::qWaitFor([&] { return window_->focusWidget() == date; }, 2000));
  EXPECT_TRUE(editor_.txtShipmentDate.HasFocus());
}

// Two programs on one bill: the save of the one that opened it first asks before it
// replaces what the other saved meanwhile.
TEST_F(BolQtTest, ABillSavedElsewhereMeanwhileIsReplacedOnlyWhenTheUserSaysSo) {
  ASSERT_TRUE(editor_.ReadBOLFile("MRM-0101.BOL"));
  editor_.ShowBOL();
  const std::string path = dir_.File("BOLData/MRM-0101.BOL");
  std::string theirs = testkit::ReadFile(path);
  theirs.replace(35, 8, "THEIRS-9");
  std::string error;
  ASSERT_TRUE(os::WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(theirs.data()), theirs.size()),
      &error)) << error;

  // Into the pro number by Tab from the date, which selects its text; then typed over.
  QLineEdit* date = Widget<QLineEdit>(editor_.txtShipmentDate);
  QLineEdit* pro = Widget<QLineEdit>(editor_.txtCarriersProNumber);
  QTest::mouseClick(date, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return date->hasFocus(); }, 2000));
  QTest::keyClick(date, Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return pro->hasFocus(); }, 2000));
  QTest::keyClicks(pro, "MINE-1");
  EXPECT_EQ(editor_.txtCarriersProNumber.Text(), "MINE-1");

  QStringList shown;
  QMessageBox::StandardButton reply = QMessageBox::No;
  QTimer answer;
  answer.setInterval(20);
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown.push_back(box->text());
    box->button(reply)->click();
  });
  answer.start();
  QAction* save = MenuAction(QStringLiteral("&Save"), QStringLiteral("&BOL"));
  ASSERT_NE(save, nullptr);
  save->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() == 1; }, 3000));
  EXPECT_TRUE(shown[0].contains(QStringLiteral("saved by another window or program")));
  EXPECT_TRUE(editor_.BOLChanged());
  EXPECT_EQ(testkit::ReadFile(path), theirs);

  reply = QMessageBox::Yes;
  save->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !editor_.BOLChanged(); }, 3000));
  EXPECT_EQ(shown.size(), 2);
  EXPECT_EQ(testkit::ReadFile(path).substr(35, 6), "MINE-1");
}

TEST_F(BolQtTest, PicturesOfTheThreePagesOfASampleBill) {
  ASSERT_TRUE(editor_.ReadBOLFile("MRM-0101.BOL"));
  editor_.ShowBOL();
  Snap("bol_page1.png");
  ExpectNoCaptionCutOff();
  QTest::mouseClick(Widget(editor_.btnNext), Qt::LeftButton);
  ASSERT_TRUE(editor_.fraHeader2.Visible());
  Snap("bol_page2.png");
  ExpectNoCaptionCutOff();
  QTest::mouseClick(Widget(editor_.btnNext), Qt::LeftButton);
  ASSERT_TRUE(editor_.fraDetail.Visible());
  EXPECT_EQ(editor_.lstDetails.ListCount(), 2);
  Snap("bol_page3.png");
  ExpectNoCaptionCutOff();
  editor_.lstDetails.SetListIndex(0);
  QTest::mouseClick(Widget(editor_.btnEdit), Qt::LeftButton);
  ASSERT_TRUE(editor_.fraDetailDetail.Visible());
  Snap("bol_item.png");
  ExpectNoCaptionCutOff();
  QTest::mouseClick(Widget(editor_.btnIgnore), Qt::LeftButton);
}

TEST_F(BolQtTest, TheFocusComesBackToAShownControlWhenTheItemEditorOrADialogCloses) {
  auto focus_on = [](QWidget* widget) {
    return QTest::qWaitFor(
        [&] { return QApplication::focusWidget() == widget && widget->isVisible(); }, 2000);
  };
  QTest::mouseClick(Widget(editor_.btnNext), Qt::LeftButton);
  QTest::mouseClick(Widget(editor_.btnNext), Qt::LeftButton);
  auto* list = Widget<QListView>(editor_.lstDetails);
  ASSERT_TRUE(focus_on(list));

  // A modal dialog cancelled: the control that had the focus has it again.
  QTimer::singleShot(0, [this] {
    QTest::mouseClick(Widget(app_.Get<frmBOLOpen>().btnCancel), Qt::LeftButton);
  });
  MenuAction(QStringLiteral("&File"), QStringLiteral("&Open BOL"))->trigger();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_));
  EXPECT_TRUE(focus_on(list));

  QTest::mouseClick(Widget(editor_.btnAdd), Qt::LeftButton);
  ASSERT_TRUE(editor_.fraDetailDetail.Visible());
  // The item's boxes are announced by their captions and the headings over them.
  auto name = [&](forms::Control& c) {
    return QAccessible::queryAccessibleInterface(Widget(c))->text(QAccessible::Name).toStdString();
  };
  EXPECT_EQ(name(editor_.txtHandlingUnits), "Handling Units No.");
  EXPECT_EQ(name(editor_.cboPackagesType), "Packages Type");
  EXPECT_EQ(name(editor_.txtWeight), "Weight Subject to Correction");
  EXPECT_EQ(name(editor_.txtCube), "Cube (Optional)");
  QWidget* description = Widget(editor_.txtDescription);
  QTest::mouseClick(description, Qt::LeftButton);
  QTest::keyClicks(description, "Crates");
  QTest::mouseClick(Widget(editor_.btnSave), Qt::LeftButton);
  ASSERT_EQ(editor_.lstDetails.ListCount(), 1);
  EXPECT_TRUE(focus_on(Widget(editor_.btnAdd)));

  // A row picked with the mouse and opened with Enter: Ignore goes back to the list.
  const QRect row = list->visualRect(list->model()->index(0, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, row.center());
  ASSERT_TRUE(focus_on(list));
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_TRUE(editor_.fraDetailDetail.Visible());
  QTest::mouseClick(Widget(editor_.btnIgnore), Qt::LeftButton);
  EXPECT_TRUE(focus_on(list));
  QTest::keyClick(list, Qt::Key_Return);  // the keyboard reaches the list again
  EXPECT_TRUE(editor_.fraDetailDetail.Visible());
  QTest::mouseClick(Widget(editor_.btnIgnore), Qt::LeftButton);
}

// The name lists of the parties and the item's lists, opened, are read entry by entry.
TEST_F(BolQtTest, OpenDropDownListsAreReadEntryByEntry) {
  auto read_open_list = [&](forms::ComboBox& combo) {
    auto* widget = Widget<QComboBox>(combo);
    QTest::mouseClick(widget, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return combo.HasFocus(); }, 2000)) << combo.Name();
    QTest::keyClick(widget, Qt::Key_F4);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget->view()->window())) << combo.Name();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(widget)->child(0);
    ASSERT_NE(list, nullptr) << combo.Name();
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_GT(combo.ListCount(), 0) << combo.Name();
    ASSERT_EQ(list->childCount(), combo.ListCount()) << combo.Name();
    for (int i = 0; i < list->childCount(); ++i) {
      EXPECT_EQ(list->child(i)->text(QAccessible::Name).toStdString(), combo.List(i))
          << combo.Name() << " " << i;
    }
    widget->hidePopup();
  };
  read_open_list(editor_.cboShipperName);
  read_open_list(editor_.cboConsigneeName);
  read_open_list(editor_.cboThirdPartyName);
  QTest::mouseClick(Widget(editor_.btnNext), Qt::LeftButton);
  QTest::mouseClick(Widget(editor_.btnNext), Qt::LeftButton);
  QTest::mouseClick(Widget(editor_.btnAdd), Qt::LeftButton);
  ASSERT_TRUE(editor_.fraDetailDetail.Visible());
  read_open_list(editor_.cboProduct);
  read_open_list(editor_.cboHandlingUnitsType);
  read_open_list(editor_.cboPackagesType);
}

TEST_F(BolQtTest, PicturesOfTheDefaultsAndOpenDialogs) {
  frmBOLDefaults& defaults = app_.Get<frmBOLDefaults>();
  defaults.Show();
  window_ = host_.WindowOf(defaults);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  EXPECT_EQ(Widget<QComboBox>(defaults.cboShipperName)->currentText(),
            QStringLiteral("Maple Row Millworks"));
  Snap("bol_defaults.png");
  QTest::mouseClick(Widget(defaults.btnCancel), Qt::LeftButton);
  EXPECT_FALSE(defaults.IsLoaded());

  frmBOLOpen& open = app_.Get<frmBOLOpen>();
  open.Show();
  window_ = host_.WindowOf(open);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  EXPECT_EQ(open.File1.ListCount(), 2);
  Snap("bol_open.png");
  QTest::mouseClick(Widget(open.btnCancel), Qt::LeftButton);
  window_ = host_.WindowOf(editor_);
}

}  // namespace
}  // namespace frelane
