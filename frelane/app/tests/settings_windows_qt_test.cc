// The settings dialog and the discount editor as real Qt windows on the sample data set,
// typed into key by key: what the user types reaches variable.dat and ZipDisc.dat. With
// FRELANE_SETTINGS_SHOTS naming a directory, an image of each window is kept there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <string>

#include "frelane/core/frm_about.h"
#include "frelane/core/frm_defaults.h"
#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/tests/qt_window_test.h"
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
  void Shoot(QWidget* window, const char* name) {
    const QString dir = qEnvironmentVariable("FRELANE_SETTINGS_SHOTS");
    if (dir.isEmpty()) return;
    QTest::qWait(100);
    EXPECT_TRUE(window->grab().save(dir + "/" + name));
  }
};

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
  auto* list = qobject_cast<QListWidget*>(Widget(z.lstZipDiscounts));
  ASSERT_NE(list, nullptr);
  const int before = list->count();
  QTest::mouseClick(Widget(z.btnAdd), Qt::LeftButton);
  for (auto [box, keys] : {std::pair<forms::TextBox*, const char*>{&z.txtOriginLow, "k1a0b"},
                           {&z.txtOriginHigh, "K9Z9Z"},
                           {&z.txtDestinationLow, "98000"},
                           {&z.txtDestinationHigh, "98999"},
                           {&z.txtMC, "12.5"},
                           {&z.txtLTL, "40"},
                           {&z.txtTL, "5"},
                           {&z.txtMCFloor, "75.25"}}) {
    Type(*box, keys);
    QTest::keyClick(Widget(*box), Qt::Key_Return);
  }
  QTest::mouseClick(Widget(z.btnSave), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->count() == before + 1; }, 2000));
  bool found = false;
  for (int i = 0; i < list->count(); ++i) {
    found = found || list->item(i)->text().startsWith(QStringLiteral("K1A0B-K9Z9Z  98000-98999"));
  }
  EXPECT_TRUE(found);
  const std::string bytes = testkit::ReadFile(dir_.File("ZipDisc.dat"));
  EXPECT_NE(bytes.find("K1A0BK9Z9Z9800098999"), std::string::npos);
  // The entry opened again, for the image of the edit frame.
  list->setCurrentRow(list->count() - 1);
  z.lstZipDiscounts.SetListIndex(list->count() - 1);
  QTest::mouseClick(Widget(z.btnEdit), Qt::LeftButton);
  EXPECT_TRUE(z.fraEdit.Visible());
  Shoot(window, "zip_discounts.png");
}

TEST_F(SettingsWindowsQtTest, AboutBoxShowsTheSampleProduct) {
  frmAbout& about = app_.Get<frmAbout>();
  QWidget* window = Shown(about);
  EXPECT_EQ(window->windowTitle().toStdString(),
            "About Rules Tariff QFL 100 - Quillmoor Freight Lines");
  Shoot(window, "about.png");
  QTest::mouseClick(Widget(about.btnClose), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !about.IsLoaded(); }, 2000));
}

}  // namespace
}  // namespace frelane
