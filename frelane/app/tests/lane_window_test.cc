// The rating screen's real window on the sample data set (offscreen Qt, the real engine):
// a user types a lane key by key and the window shows what the engine and the files give.
// With FRELANE_SHOTS naming a directory the window's image is kept there as lane.png.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QLineEdit>
#include <QTest>
#include <cstdlib>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_common_dialog.h"
#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/rating/frm_map.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/frm_singleshipment.h"
#include "frelane/rating/frm_zip_lu.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/tests/sample_program.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/tests/qt_window_test.h"

namespace frelane {
namespace {

class LaneWindowTest : public qtbind::QtWindowTest {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modMain::Lane() = modMain::LaneState();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    ASSERT_EQ(testing::StartProgramIn(dir_, dir_.path()), "");
    // Nothing modal after the destination: no question, no accessorial dialog.
    SettingsRecord& s = modMain::Settings();
    s.SetOn(settings::kNeverAskSingleShipment, true);
    s.SetOn(settings::kAccessorialPromptDefault, false);
  }
  void TearDown() override {
    modTolvDeclares32::Tolv_EndTolv();
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  static void Shoot(QWidget* window, const char* file) {
    if (const char* shots = std::getenv("FRELANE_SHOTS")) {
      window->grab().save(QString::fromStdString(std::string(shots) + "/" + file));
    }
  }
  template <typename W>
  W* Widget(forms::Control& control) {
    return qobject_cast<W*>(host_.WidgetOf(control));
  }
  QAccessibleInterface* Accessible(forms::Control& control) {
    return QAccessible::queryAccessibleInterface(host_.WidgetOf(control));
  }
};

TEST_F(LaneWindowTest, TypedLaneIsRatedInTheWindow) {
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.Show();
  QWidget* window = host_.WindowOf(screen);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QLineEdit* origin = Widget<QLineEdit>(screen.txtOrigin);
  QLineEdit* destination = Widget<QLineEdit>(screen.txtDestination);
  ASSERT_TRUE(QTest::qWaitFor([&] { return origin->hasFocus(); }, 2000));

  QTest::keyClicks(origin, "30301");
  QTest::keyClick(origin, Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return destination->hasFocus(); }, 2000));
  QTest::keyClicks(destination, "60601");
  QTest::keyClick(destination, Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return screen.cboClass(1).HasFocus(); }, 2000));

  EXPECT_EQ(Widget<QLabel>(screen.lblRBN)->text(), QStringLiteral("RBN = 1203"));
  EXPECT_EQ(Widget<QLabel>(screen.lblServiceDays)->text(), QStringLiteral("2 Day(s)"));
  EXPECT_EQ(Widget<QLabel>(screen.lblOriginState)->text(), QStringLiteral("GA"));
  EXPECT_EQ(Widget<QLabel>(screen.lblDestinationState)->text(), QStringLiteral("IL"));
  EXPECT_EQ(Widget<QLabel>(screen.lblDestinationCity)->text(), QStringLiteral("Chicago"));
  EXPECT_EQ(Widget<QLabel>(screen.lblOriginCity)->text(), QStringLiteral("Atlanta"));
  // Each box is announced by its caption, the column's heading for the freight lines.
  auto name = [&](forms::Control& c) {
    return Accessible(c)->text(QAccessible::Name).toStdString();
  };
  EXPECT_EQ(name(screen.txtOrigin), "Origin");
  EXPECT_EQ(name(screen.txtDestination), "Destination");
  EXPECT_EQ(name(screen.cboClass(1)), "Class");
  EXPECT_EQ(name(screen.txtWeight(3)), "Weight");
  EXPECT_EQ(name(screen.txtDiscount(2)), "LTL");
  // The toolbar's letter buttons are announced by their actions.
  EXPECT_EQ(name(screen.btnFileReset), "Reset");
  EXPECT_EQ(name(screen.btnViewRateBlockAlternation), "Rate Block/Alternation");
  // The class list a key opens is read entry by entry.
  auto* classes = Widget<QComboBox>(screen.cboClass(1));
  QTest::keyClick(classes, Qt::Key_F4);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(classes->view()->window()));
  QAccessibleInterface* list = Accessible(screen.cboClass(1))->child(0);
  ASSERT_NE(list, nullptr);
  ASSERT_GT(screen.cboClass(1).ListCount(), 1);
  ASSERT_EQ(list->childCount(), screen.cboClass(1).ListCount());
  for (int i = 0; i < list->childCount(); ++i) {
    EXPECT_EQ(list->child(i)->text(QAccessible::Name).toStdString(), screen.cboClass(1).List(i));
  }
  Shoot(classes->view()->window(), "lane_class_list.png");
  classes->hidePopup();

  Shoot(window, "lane.png");

  // Within Georgia: the question comes as a real message box, answered Yes; the accepted
  // tariff stands beside the rated lane.
  QStringList asked;
  QTimer answerer;
  answerer.setInterval(20);
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    asked.push_back(box->text());
    box->button(QMessageBox::Yes)->click();
  });
  answerer.start();
  screen.txtDestination.SetFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return destination->hasFocus(); }, 2000));
  QTest::keyClicks(destination, "31701");
  QTest::keyClick(destination, Qt::Key_Tab);
  ASSERT_TRUE(QTest::qWaitFor([&] { return screen.cboClass(1).HasFocus(); }, 4000));
  EXPECT_EQ(asked, QStringList{QStringLiteral("Use Georgia Intrastate Rates?")});
  EXPECT_EQ(Widget<QLabel>(screen.lblIntrastateTariff)->text(),
            QStringLiteral("Georgia Intrastate Rates"));
  EXPECT_EQ(Widget<QLabel>(screen.lblRBN)->text(), QStringLiteral("RBN = 1202"));
  EXPECT_EQ(Widget<QLabel>(screen.lblServiceDays)->text(), QStringLiteral("1 Day(s)"));
  Shoot(window, "intrastate_lane.png");
  screen.Hide();
}

// The lane's dialogs as windows, shown on their own: their controls in place and named.
TEST_F(LaneWindowTest, DialogsShowTheirControls) {
  auto shot = [&](forms::Form& form, const char* file) {
    form.Show();
    QWidget* window = host_.WindowOf(form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    Shoot(window, file);
  };
  frmZipLU& lookup = app_.Get<frmZipLU>();
  shot(lookup, "city_lookup.png");
  EXPECT_EQ(Accessible(lookup.txtCity)->text(QAccessible::Name).toStdString(),
            "Enter one or more letters of the city name and press TAB");
  QLineEdit* city = Widget<QLineEdit>(lookup.txtCity);
  ASSERT_TRUE(QTest::qWaitFor([&] { return city->hasFocus(); }, 2000));
  QTest::keyClicks(city, "at");
  QTest::keyClick(city, Qt::Key_Tab);
  EXPECT_EQ(lookup.lstCity.ListCount(), 2);
  Shoot(host_.WindowOf(lookup), "city_lookup.png");
  lookup.Unload();

  frmSingleshipment& single = app_.Get<frmSingleshipment>();
  shot(single, "single_shipment.png");
  // "Yes" and "No" are announced as option buttons, "No" chosen.
  for (forms::OptionButton* option : {&single.optSSYes, &single.optSSNo}) {
    QAccessibleInterface* iface = Accessible(*option);
    EXPECT_EQ(iface->role(), QAccessible::RadioButton) << option->Name();
    EXPECT_EQ(iface->state().checked, option == &single.optSSNo) << option->Name();
  }
  EXPECT_EQ(Accessible(single.optSSYes)->text(QAccessible::Name).toStdString(), "Yes");
  single.Unload();

  frmIntrastateTariffs& chooser = app_.Get<frmIntrastateTariffs>();
  chooser.Load();
  EXPECT_EQ(chooser.chkIntrastateTariff(1).Caption(), "Use Georgia Intrastate Rates?");
  shot(chooser, "intrastate_tariffs.png");
  chooser.Unload();

  // The map and the file chooser's lists, which show no caption of their own, are named.
  frmMap& map = app_.Get<frmMap>();
  shot(map, "map.png");
  EXPECT_EQ(Accessible(map.Picture1)->text(QAccessible::Name).toStdString(), "Service Map");
  map.Unload();
  frmCommonDialog& files = app_.Get<frmCommonDialog>();
  shot(files, "file_chooser.png");
  EXPECT_EQ(Accessible(files.flbFiles)->text(QAccessible::Name).toStdString(), "Files");
  EXPECT_EQ(Accessible(files.dirFolders)->text(QAccessible::Name).toStdString(), "Folders");
  EXPECT_EQ(Accessible(files.drvDrives)->text(QAccessible::Name).toStdString(), "Drives");
  files.Unload();
}

}  // namespace
}  // namespace frelane
