// The settings dialog and the discount editor as real Qt windows on the sample data set,
// typed into key by key: what the user types reaches variable.dat and ZipDisc.dat. With
// FRELANE_SETTINGS_SHOTS naming a directory, an image of each window is kept there.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "frelane/core/frm_about.h"
#include "frelane/core/frm_defaults.h"
#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/testing/screen_reader.h"
#include "platform/qt/tests/qt_window_test.h"
#include "testkit/app/zip_discount_writer.h"
#include "testkit/read_file.h"

namespace frelane {
namespace {

// Answers each message box that opens with its default button, keeping its text.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      texts_.push_back(box->text().toStdString());
      box->defaultButton() ? box->defaultButton()->click() : box->accept();
    });
    timer_.start();
  }
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  QTimer timer_;
  std::vector<std::string> texts_;
};

class SettingsWindowsQtTest : public qtbind::QtWindowTest {
 protected:
  void SetUp() override {
    modMain::Reset();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    modMain::Get().data_directory = dir_.path();
    std::string error;
    ASSERT_TRUE(modMain::LoadSettings(&error)) << error;
    modMain::Settings().SetOn(settings::kZipDiscountsOffered, true);
  }
  void TearDown() override { modMain::Reset(); }

  QWidget* Widget(forms::Control& control) { return host_.WidgetOf(control); }
  QWidget* Shown(forms::Form& form) {
    form.Show();
    QWidget* window = host_.WindowOf(form);
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return window;
  }
  void Type(forms::Control& box, const char* keys) {
    QWidget* w = Widget(box);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->hasFocus(); }, 2000)) << box.DisplayName();
    QTest::keyClicks(w, keys);
  }
  // Adds an entry through the editor: Add, each box typed and left with Return, then Save.
  void AddDiscountEntry(frmZipDiscounts& z, const std::array<const char*, 8>& keys) {
    QTest::mouseClick(Widget(z.btnAdd), Qt::LeftButton);
    const std::array<forms::TextBox*, 8> boxes = {
        &z.txtOriginLow, &z.txtOriginHigh, &z.txtDestinationLow, &z.txtDestinationHigh,
        &z.txtMC,        &z.txtLTL,        &z.txtTL,             &z.txtMCFloor};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      Type(*boxes[i], keys[i]);
      QTest::keyClick(Widget(*boxes[i]), Qt::Key_Return);
    }
    QTest::mouseClick(Widget(z.btnSave), Qt::LeftButton);
  }
  // What a screen reader hears as the control's name.
  std::string Heard(forms::Control& control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(Widget(control));
    return iface == nullptr ? "" : iface->text(QAccessible::Name).toStdString();
  }
  bool Focused(forms::Control& control) {
    return QTest::qWaitFor([&] { return QApplication::focusWidget() == Widget(control); }, 2000);
  }
  void Shoot(QWidget* window, const char* name) {
    const QString dir = qEnvironmentVariable("FRELANE_SETTINGS_SHOTS");
    if (dir.isEmpty()) return;
    QTest::qWait(100);
    EXPECT_TRUE(window->grab().save(dir + "/" + name));
  }
};

// Discount entries of origins from 00100 on, each to 00000-49999.
std::vector<testkit::ZipDiscountBytes> DiscountEntries(int count) {
  std::vector<testkit::ZipDiscountBytes> records;
  for (int i = 0; i < count; ++i) {
    char origin[12];
    std::snprintf(origin, sizeof origin, "%05d", 100 + i);
    records.push_back(
        testkit::HandBuiltZipDiscount(origin, origin, "00000", "49999", 10, 20, 30, 40));
  }
  return records;
}

// A screen-reader user's session: the list of more entries than it shows scrolls every
// way, through a Save and a Delete, and its lines are heard as they are shown.
TEST_F(SettingsWindowsQtTest, DiscountListScrolledWithAScreenReaderOn) {
  qtbind::testing::ScreenReader reader;  // on before the window is built
  dir_.Write("ZipDisc.dat", testkit::HandBuiltZipDiscountFile(DiscountEntries(25)));
  frmZipDiscounts& z = app_.Get<frmZipDiscounts>();
  QWidget* window = Shown(z);
  auto* list = qobject_cast<QListView*>(Widget(z.lstZipDiscounts));
  ASSERT_NE(list, nullptr);
  int saved = 0;
  auto save = [&] {
    const int before = list->model()->rowCount();
    const std::string origin = std::to_string(90000 + saved++);
    AddDiscountEntry(z, {origin.c_str(), origin.c_str(), "50000", "59999", "1", "2", "3", "4"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == before + 1; }, 2000));
  };
  auto remove = [&] {
    const int before = list->model()->rowCount();
    const QRect top = list->visualRect(list->indexAt(QPoint(0, 0)));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, top.center());
    QTest::mouseClick(Widget(z.btnEdit), Qt::LeftButton);
    ASSERT_TRUE(z.btnDelete.Visible());
    QTest::mouseClick(Widget(z.btnDelete), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == before - 1; }, 2000));
  };
  qtbind::testing::ScrollEveryWay(*list, {.refill = save, .remove_row = remove});
  EXPECT_EQ(z.lstZipDiscounts.ListCount(), 25 + 2 - 1);
  Shoot(window, "zip_discounts_heard.png");
}

// The editor opens with the focus in its list and nothing picked: no line is drawn or heard
// as current, and Edit says so; the line picked by Down is the one drawn, heard and edited,
// and once the focus is on a button, the button alone is focused.
TEST_F(SettingsWindowsQtTest, DiscountListsCurrentLineIsThePickedOne) {
  qtbind::testing::ScreenReader reader;
  MessageBoxAnswerer answerer;
  dir_.Write("ZipDisc.dat", testkit::HandBuiltZipDiscountFile(DiscountEntries(1)));
  frmZipDiscounts& z = app_.Get<frmZipDiscounts>();
  QWidget* window = Shown(z);
  auto* list = qobject_cast<QListView*>(Widget(z.lstZipDiscounts));
  ASSERT_TRUE(Focused(z.lstZipDiscounts));
  EXPECT_EQ(z.lstZipDiscounts.ListIndex(), -1);
  EXPECT_FALSE(list->currentIndex().isValid());
  qtbind::testing::ExpectChildrenAsShown(*list, "opened");
  std::vector<QAccessibleInterface*> focused = qtbind::testing::FocusedObjects(*window);
  ASSERT_EQ(focused.size(), 1u);
  EXPECT_EQ(focused[0]->object(), list);
  Shoot(window, "zip_discounts_opened.png");

  QTest::keyClick(list, Qt::Key_Tab);
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Tab);
  ASSERT_TRUE(Focused(z.btnEdit));
  QTest::keyClick(Widget(z.btnEdit), Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !answerer.texts().empty(); }, 3000));
  EXPECT_EQ(answerer.texts(), std::vector<std::string>{kMustSelectToEdit});
  ASSERT_TRUE(Focused(z.btnEdit));
  focused = qtbind::testing::FocusedObjects(*window);
  ASSERT_EQ(focused.size(), 1u);
  EXPECT_EQ(focused[0]->object(), Widget(z.btnEdit));

  QTest::keyClick(Widget(z.btnEdit), Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(Focused(z.lstZipDiscounts));
  QTest::keyClick(list, Qt::Key_Down);
  ASSERT_EQ(z.lstZipDiscounts.ListIndex(), 0);
  EXPECT_EQ(list->currentIndex().row(), 0);
  qtbind::testing::ExpectChildrenAsShown(*list, "the line picked");
  QTest::keyClick(list, Qt::Key_Tab);
  ASSERT_TRUE(Focused(z.btnAdd));
  focused = qtbind::testing::FocusedObjects(*window);
  ASSERT_EQ(focused.size(), 1u);
  EXPECT_EQ(focused[0]->object(), Widget(z.btnAdd));
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Tab);
  QTest::keyClick(Widget(z.btnEdit), Qt::Key_Space);
  EXPECT_TRUE(z.fraEdit.Visible());
  EXPECT_EQ(z.txtOriginLow.Text(), "00100");
  EXPECT_EQ(answerer.texts().size(), 1u);
}

// A table near its limit: the entry typed in is saved and sorted into the middle; once picked,
// it is in view, and a screen reader is offered the lines in view, not the thirty thousand.
TEST_F(SettingsWindowsQtTest, DiscountSavedInALongTableIsSortedIntoTheList) {
  constexpr int kEntries = 32000;
  dir_.Write("ZipDisc.dat", testkit::HandBuiltZipDiscountFile(DiscountEntries(kEntries)));
  frmZipDiscounts& z = app_.Get<frmZipDiscounts>();
  QWidget* window = Shown(z);
  auto* list = qobject_cast<QListView*>(Widget(z.lstZipDiscounts));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->model()->rowCount(), kEntries);

  AddDiscountEntry(z, {"16000", "16000", "50000", "59999", "1", "2", "3", "4"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == kEntries + 1; }, 5000));
  EXPECT_FALSE(z.fraEdit.Visible());

  // Right behind the entry of the same origin, 15,900 lines down; the refilled list has
  // nothing selected until the user picks a line.
  EXPECT_EQ(z.lstZipDiscounts.ListIndex(), -1);
  const QModelIndex saved = list->model()->index(15901, 0);
  EXPECT_TRUE(saved.data().toString().startsWith(QStringLiteral("16000-16000  50000-59999")));
  z.lstZipDiscounts.SetListIndex(15901);
  EXPECT_EQ(list->currentIndex(), saved);
  EXPECT_TRUE(list->selectionModel()->isSelected(saved));
  EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(saved).center()));

  QAccessibleInterface* lines = QAccessible::queryAccessibleInterface(list);
  ASSERT_NE(lines, nullptr);
  ASSERT_GT(lines->childCount(), 0);
  EXPECT_LT(lines->childCount(), 20);
  bool heard = false;
  for (int i = 0; i < lines->childCount(); ++i) {
    QAccessibleInterface* line = lines->child(i);
    if (!line->state().selected) continue;
    heard = line->text(QAccessible::Name).startsWith(QStringLiteral("16000-16000  50000-59999"));
  }
  EXPECT_TRUE(heard);
  Shoot(window, "zip_discounts_long.png");
}

TEST_F(SettingsWindowsQtTest, DefaultsTypedAndSaved) {
  frmDefaults& d = app_.Get<frmDefaults>();
  QWidget* window = Shown(d);
  EXPECT_EQ(window->windowTitle().toStdString(), "Defaults");
  // Into the weight by Shift+Tab from the box below, which selects its text.
  d.txtFuelSurchargeLTL.SetFocus();
  QWidget* below = Widget(d.txtFuelSurchargeLTL);
  EXPECT_TRUE(QTest::qWaitFor([&] { return below->hasFocus(); }, 2000));
  QTest::keyClick(below, Qt::Key_Tab, Qt::ShiftModifier);
  Type(d.txtWeight, "2500");
  EXPECT_EQ(d.txtWeight.Text(), "2500");
  QTest::keyClick(Widget(d.txtWeight), Qt::Key_Return);  // Enter moves on as Tab
  Type(d.txtFuelSurchargeLTL, "21.75");
  EXPECT_EQ(d.txtFuelSurchargeLTL.Text(), "21.75");
  QTest::mouseClick(Widget(d.cboClass), Qt::LeftButton);
  {
    MessageBoxAnswerer answerer;
    d.cboClass.SetSelStart(0);
    d.cboClass.SetSelLength(static_cast<int>(d.cboClass.Text().size()));
    QTest::keyClicks(Widget(d.cboClass), "71");
    QTest::keyClick(Widget(d.cboClass), Qt::Key_Tab);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !answerer.texts().empty(); }, 3000));
    ASSERT_EQ(answerer.texts().size(), 1u);
    EXPECT_EQ(answerer.texts()[0], kInvalidClassMessage);
    EXPECT_TRUE(d.cboClass.HasFocus());
  }
  d.cboClass.SetSelStart(0);
  d.cboClass.SetSelLength(2);
  QTest::keyClicks(Widget(d.cboClass), "70");
  // Ctrl+F shows the hidden factor.
  QTest::keyClick(Widget(d.cboClass), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(d.txtHiddenRateAdjustmentFactor.Visible());
  EXPECT_EQ(d.cboClass.Text(), "70");
  Shoot(window, "defaults.png");
  QTest::mouseClick(Widget(d.btnSave), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !d.IsLoaded(); }, 2000));
  const std::string bytes = testkit::ReadFile(dir_.File("variable.dat"));
  ASSERT_EQ(bytes.size(), 1206u);
  std::int32_t weight;
  std::memcpy(&weight, bytes.data() + 584, 4);
  EXPECT_EQ(weight, 2500);
  EXPECT_EQ(bytes.substr(579, 3), "70 ");
  double fuel;
  std::memcpy(&fuel, bytes.data() + 590, 8);
  EXPECT_EQ(fuel, 21.75);
}

TEST_F(SettingsWindowsQtTest, DiscountEntryTypedAndListed) {
  frmZipDiscounts& z = app_.Get<frmZipDiscounts>();
  QWidget* window = Shown(z);
  auto* list = qobject_cast<QListView*>(Widget(z.lstZipDiscounts));
  ASSERT_NE(list, nullptr);
  const int before = list->model()->rowCount();
  AddDiscountEntry(z, {"k1a0b", "K9Z9Z", "98000", "98999", "12.5", "40", "5", "75.25"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount() == before + 1; }, 2000));
  bool found = false;
  for (int i = 0; i < list->model()->rowCount(); ++i) {
    found = found || list->model()->index(i, 0).data().toString().startsWith(QStringLiteral("K1A0B-K9Z9Z  98000-98999"));
  }
  EXPECT_TRUE(found);
  const std::string bytes = testkit::ReadFile(dir_.File("ZipDisc.dat"));
  EXPECT_NE(bytes.find("K1A0BK9Z9Z9800098999"), std::string::npos);
  // The entry opened again, for the image of the edit frame.
  z.lstZipDiscounts.SetListIndex(list->model()->rowCount() - 1);
  QTest::mouseClick(Widget(z.btnEdit), Qt::LeftButton);
  EXPECT_TRUE(z.fraEdit.Visible());
  Shoot(window, "zip_discounts.png");
}

TEST_F(SettingsWindowsQtTest, AboutBoxShowsTheSampleProduct) {
  frmAbout& about = app_.Get<frmAbout>();
  QWidget* window = Shown(about);
  EXPECT_EQ(window->windowTitle().toStdString(),
            "About Rules Tariff QFL 100 - Quillmoor Freight Lines");
  // The headline picture is heard as the carrier it shows.
  EXPECT_EQ(Heard(about.imgHeadline), "Quillmoor Freight Lines");
  Shoot(window, "about.png");
  QTest::mouseClick(Widget(about.btnClose), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !about.IsLoaded(); }, 2000));
}

// Each discount frame is heard by its own caption around its boxes, and the class list a
// key opens is read entry by entry.
TEST_F(SettingsWindowsQtTest, DefaultsDiscountFramesAndClassListAsHeard) {
  frmDefaults& d = app_.Get<frmDefaults>();
  QWidget* window = Shown(d);
  const std::pair<forms::Frame*, forms::TextBox*> frames[] = {
      {&d.fraDiscounts, &d.txtDiscount(1)},
      {&d.fraDiscountsIntra, &d.txtDiscountIntra(1)},
      {&d.fraDiscountsCanada, &d.txtDiscountCanada(1)}};
  for (const auto& [frame, box] : frames) {
    ASSERT_TRUE(frame->IsShown()) << frame->Name();
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(Widget(*box))->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->text(QAccessible::Name).toStdString(), frame->Caption()) << frame->Name();
    EXPECT_NE(frame->Caption(), "Discounts");
    EXPECT_EQ(Heard(*box), "MC");
  }
  EXPECT_EQ(Heard(d.fraZipDiscounts), "Zip Specific Discounts");
  EXPECT_EQ(Heard(d.fraDiscountMain), "Discounts");
  // The captionless option pairs are heard by their choices, around each option.
  const std::pair<forms::OptionButton*, const char*> options[] = {
      {&d.optFixed, "Discount entry: Fixed or Prompt"},
      {&d.optThree, "Number of discounts: Single or Multiple"},
      {&d.optRates, "Discounts apply to: Charges or Rates"}};
  for (const auto& [option, group_name] : options) {
    ASSERT_TRUE(option->IsShown()) << option->Name();
    QAccessibleInterface* group = QAccessible::queryAccessibleInterface(Widget(*option))->parent();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_EQ(group->text(QAccessible::Name).toStdString(), group_name) << option->Name();
    EXPECT_EQ(Heard(*option), option->Caption());
  }
  Shoot(window, "defaults.png");

  QTest::mouseClick(Widget(d.cboClass), Qt::LeftButton);
  auto* combo = qobject_cast<QComboBox*>(Widget(d.cboClass));
  QTest::keyClick(combo, Qt::Key_F4);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(combo->view()->window()));
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(combo);
  EXPECT_TRUE(iface->state().expanded);
  EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), "Class");
  QAccessibleInterface* list = iface->child(0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->role(), QAccessible::List);
  ASSERT_EQ(list->childCount(), d.cboClass.ListCount());
  for (int i = 0; i < list->childCount(); ++i) {
    EXPECT_EQ(list->child(i)->text(QAccessible::Name).toStdString(), d.cboClass.List(i)) << i;
  }
  EXPECT_EQ(list->child(0)->text(QAccessible::Name).toStdString(), "500");
  Shoot(window, "defaults_class_list.png");
  Shoot(combo->view()->window(), "defaults_class_list_popup.png");
  combo->hidePopup();
}

// The entry's range boxes are heard by their row and column; Save, Delete and Ignore give
// the focus back to the button that opened the entry.
TEST_F(SettingsWindowsQtTest, DiscountEntryNamesAndFocusTypedKeyByKey) {
  MessageBoxAnswerer answerer;
  frmZipDiscounts& z = app_.Get<frmZipDiscounts>();
  QWidget* window = Shown(z);
  const int before = z.lstZipDiscounts.ListCount();
  ASSERT_TRUE(Focused(z.lstZipDiscounts));
  QTest::keyClick(Widget(z.lstZipDiscounts), Qt::Key_Tab);
  ASSERT_TRUE(Focused(z.btnAdd));
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Space);
  ASSERT_TRUE(z.fraEdit.Visible());
  EXPECT_EQ(Heard(z.txtOriginLow), "Origin Low");
  EXPECT_EQ(Heard(z.txtOriginHigh), "Origin High");
  EXPECT_EQ(Heard(z.txtDestinationLow), "Destination Low");
  EXPECT_EQ(Heard(z.txtDestinationHigh), "Destination High");
  EXPECT_EQ(Heard(z.txtLTL), "LTL");
  for (auto [box, keys] : {std::pair<forms::TextBox*, const char*>{&z.txtOriginLow, "70000"},
                           {&z.txtOriginHigh, "70999"},
                           {&z.txtDestinationLow, "71000"},
                           {&z.txtDestinationHigh, "71999"},
                           {&z.txtMC, "1"},
                           {&z.txtLTL, "2"},
                           {&z.txtTL, "3"},
                           {&z.txtMCFloor, "4"}}) {
    if (!box->IsShown()) continue;
    Type(*box, keys);
    QTest::keyClick(Widget(*box), Qt::Key_Return);
  }
  ASSERT_TRUE(Focused(z.btnSave));
  QTest::keyClick(Widget(z.btnSave), Qt::Key_Space);
  EXPECT_FALSE(z.fraEdit.Visible());
  EXPECT_EQ(z.lstZipDiscounts.ListCount(), before + 1);
  EXPECT_TRUE(Focused(z.btnAdd));
  Shoot(window, "zip_discounts_saved.png");

  // Back to the list, the first entry, Edit, Delete.
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(Focused(z.lstZipDiscounts));
  QTest::keyClick(Widget(z.lstZipDiscounts), Qt::Key_Down);
  ASSERT_EQ(z.lstZipDiscounts.ListIndex(), 0);
  QTest::keyClick(Widget(z.lstZipDiscounts), Qt::Key_Tab);
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Tab);
  ASSERT_TRUE(Focused(z.btnEdit));
  QTest::keyClick(Widget(z.btnEdit), Qt::Key_Space);
  ASSERT_TRUE(z.btnDelete.Visible());
  QTest::mouseClick(Widget(z.btnDelete), Qt::LeftButton);
  EXPECT_FALSE(z.fraEdit.Visible());
  EXPECT_EQ(z.lstZipDiscounts.ListCount(), before);
  EXPECT_TRUE(Focused(z.btnEdit));

  QTest::keyClick(Widget(z.btnEdit), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_TRUE(Focused(z.btnAdd));
  QTest::keyClick(Widget(z.btnAdd), Qt::Key_Space);
  ASSERT_TRUE(z.fraEdit.Visible());
  QTest::mouseClick(Widget(z.btnIgnore), Qt::LeftButton);
  EXPECT_FALSE(z.fraEdit.Visible());
  EXPECT_TRUE(Focused(z.btnAdd));
  Shoot(window, "zip_discounts_ignored.png");
  EXPECT_TRUE(answerer.texts().empty()) << answerer.texts().front();
}

}  // namespace
}  // namespace frelane
