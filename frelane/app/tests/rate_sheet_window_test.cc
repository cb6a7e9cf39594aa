// The rate-sheet definition screen's real window on the sample data set (offscreen Qt, the
// real engine): a user types a headline and a state key by key, picks weights and classes,
// and opens the discount sets. With FRELANE_SHOTS naming a directory the windows' images
// are kept there.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv32_binding.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_discounts.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/tests/qt_window_test.h"

namespace frelane {
namespace {

class RateSheetWindowTest : public qtbind::QtWindowTest {
 protected:
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    modTolvDeclares32::InstallEngine(std::make_unique<Tolv32Binding>(dir_.path()));
    StartupEnvironment env{dir_.path(), [](double) { return std::string("1.5"); }};
    std::string error;
    ASSERT_EQ(modMain::InitializeApplication(env, &error), StartupResult::kReady) << error;
  }
  void TearDown() override {
    modTolvDeclares32::Tolv_EndTolv();
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  template <typename W>
  W* Widget(forms::Control& control) {
    return qobject_cast<W*>(host_.WidgetOf(control));
  }
  // What a screen reader hears as the control's name.
  std::string Heard(forms::Control& control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(host_.WidgetOf(control));
    return iface == nullptr ? "" : iface->text(QAccessible::Name).toStdString();
  }
  void Shot(forms::Form& form, const char* file) {
    if (const char* shots = std::getenv("FRELANE_SHOTS")) {
      host_.WindowOf(form)->grab().save(QString::fromStdString(std::string(shots) + "/" + file));
    }
  }
};

TEST_F(RateSheetWindowTest, AUserDefinesASheetKeyByKey) {
  frmRateSheet& screen = app_.Get<frmRateSheet>();
  screen.Show();
  QWidget* window = host_.WindowOf(screen);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmoor Freight Lines - Rate Sheet"));
  // The frames and buttons on the right keep their right edges inside the window.
  for (forms::Control* c : {static_cast<forms::Control*>(&screen.fraWeightSelection),
                            static_cast<forms::Control*>(&screen.fraClassSelection),
                            static_cast<forms::Control*>(&screen.btnStartOver)}) {
    QWidget* w = host_.WidgetOf(*c);
    EXPECT_LT(w->geometry().right(), w->parentWidget()->width() - 1) << c->Name();
  }

  QLineEdit* headline = Widget<QLineEdit>(screen.txtHeadlineZip);
  ASSERT_TRUE(QTest::qWaitFor([&] { return headline->hasFocus(); }, 2000));
  QTest::keyClicks(headline, "30301");
  QTest::keyClick(headline, Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // past the direction
  QLineEdit* low1 = Widget<QLineEdit>(screen.txtSidelineZipLow(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return low1->hasFocus(); }, 2000));
  QTest::keyClicks(low1, "ga");  // letters are raised as they are typed
  QTest::keyClick(low1, Qt::Key_Return);
  QLineEdit* low3 = Widget<QLineEdit>(screen.txtSidelineZipLow(3));
  ASSERT_TRUE(QTest::qWaitFor([&] { return low3->hasFocus(); }, 2000));
  EXPECT_EQ(low1->text(), QStringLiteral("300"));
  EXPECT_EQ(Widget<QLineEdit>(screen.txtSidelineZipHigh(1))->text(), QStringLiteral("319"));
  EXPECT_EQ(Widget<QLineEdit>(screen.txtSidelineZipLow(2))->text(), QStringLiteral("398"));

  QTest::mouseClick(Widget<QPushButton>(screen.btnWeightSelectAll), Qt::LeftButton);
  QTest::mouseClick(Widget<QPushButton>(screen.btnClassSelectAll), Qt::LeftButton);
  QCheckBox* first_weight = Widget<QCheckBox>(screen.chkWeight(1));
  EXPECT_EQ(first_weight->text(), QStringLiteral("L5C"));
  EXPECT_TRUE(first_weight->isChecked());
  EXPECT_EQ(Widget<QCheckBox>(screen.chkClass(18))->text(), QStringLiteral("50"));
  EXPECT_TRUE(Widget<QCheckBox>(screen.chkClass(18))->isChecked());
  EXPECT_FALSE(Widget<QCheckBox>(screen.chkClass(19))->isVisible());
  EXPECT_TRUE(screen.CheckDefinition());
  // Each range box is heard by its row, not by the heading all of them share.
  for (int i : {1, 8, 9, 16}) {
    EXPECT_EQ(Heard(screen.txtSidelineZipLow(i)), "Row " + std::to_string(i) + " low");
    EXPECT_EQ(Heard(screen.txtSidelineZipHigh(i)), "Row " + std::to_string(i) + " high");
  }
  Shot(screen, "rate_sheet.png");

  frmRateSheetDiscounts& discounts = app_.Get<frmRateSheetDiscounts>();
  discounts.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(discounts)));
  QLineEdit* mc = Widget<QLineEdit>(discounts.txtDiscount(1));
  ASSERT_TRUE(QTest::qWaitFor([&] { return mc->hasFocus(); }, 2000));
  QTest::keyClick(mc, Qt::Key_Tab);  // the box's text is selected as it is entered
  QLineEdit* ltl = Widget<QLineEdit>(discounts.txtDiscount(2));
  ASSERT_TRUE(QTest::qWaitFor([&] { return ltl->hasFocus(); }, 2000));
  QTest::keyClicks(ltl, "45.5x5");  // the letter is refused
  EXPECT_EQ(ltl->text(), QStringLiteral("45.55"));
  Shot(discounts, "rate_sheet_discounts.png");
  QTest::mouseClick(Widget<QPushButton>(discounts.btnSave), Qt::LeftButton);
  EXPECT_EQ(modMain::Settings().F64(settings::kUsDiscounts, 2), 45.55);
  screen.Unload();
}

}  // namespace
}  // namespace frelane
