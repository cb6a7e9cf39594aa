// The mouse through real Qt events: the cases of the form model's conformance suite must
// give the very event lists the headless driver gives. And a centred form opens in the
// middle of the screen it is shown on, whatever that screen's size.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/forms/testing/pointer_conformance.h"
#include "platform/qt/qt_host.h"

namespace qtbind {
namespace {

using forms::testing::frmPointer;
using forms::testing::PointerCase;

Qt::MouseButton QtButton(int button) {
  return button == forms::kRightButton ? Qt::RightButton : Qt::LeftButton;
}

QPoint ToPoint(int x, int y) { return {x / forms::kTwipsPerPixel, y / forms::kTwipsPerPixel}; }

// Plays the user as the window system does: a press goes to the innermost widget under the
// pointer, and its release (and a double click's second press) to that same widget.
class QtPlayer : public forms::testing::PointerPlayer {
 public:
  explicit QtPlayer(QtHost& host) : host_(host) {}

  void Press(forms::Control& c, int button, int x, int y) override {
    QWidget* root = host_.WidgetOf(c);
    ASSERT_NE(root, nullptr) << c.Name();
    const QPoint at = ToPoint(x, y);
    QWidget* inner = root->childAt(at);
    pressed_ = inner != nullptr ? inner : root;
    root_ = root;
    QTest::mousePress(pressed_, QtButton(button), Qt::NoModifier, pressed_->mapFrom(root, at));
  }
  void Release(forms::Control&, int button, int x, int y) override {
    ASSERT_NE(pressed_, nullptr);
    QTest::mouseRelease(pressed_, QtButton(button), Qt::NoModifier,
                        pressed_->mapFrom(root_, ToPoint(x, y)));
  }
  void DoublePress(forms::Control&, int x, int y) override {
    ASSERT_NE(pressed_, nullptr);
    const QPoint local = pressed_->mapFrom(root_, ToPoint(x, y));
    QMouseEvent event(QEvent::MouseButtonDblClick, local, pressed_->mapToGlobal(local),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pressed_, &event);
  }
  void Tap(forms::Control& c, int x, int y) override {
    QWidget* root = host_.WidgetOf(c);
    ASSERT_NE(root, nullptr) << c.Name();
    const QPoint at = ToPoint(x, y);
    QWidget* inner = root->childAt(at);
    QWidget* target = inner != nullptr ? inner : root;
    const QPoint local = target->mapFrom(root, at);
    // The release waits in the event queue while the press is handled.
    QCoreApplication::postEvent(
        target, new QMouseEvent(QEvent::MouseButtonRelease, local, target->mapToGlobal(local),
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, local);
    QCoreApplication::processEvents();
  }

 private:
  QtHost& host_;
  QWidget* pressed_ = nullptr;
  QWidget* root_ = nullptr;
};

class QtPointerConformanceTest : public ::testing::TestWithParam<PointerCase> {
 protected:
  void SetUp() override {
    form_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(form_)));
    form_.log.clear();
  }
  void TearDown() override { form_.Unload(); }

  forms::Application app_;
  QtHost host_{app_};
  frmPointer& form_ = app_.Get<frmPointer>();
};

TEST_P(QtPointerConformanceTest, QtGivesTheEventsTheHeadlessDriverGives) {
  QtPlayer player(host_);
  GetParam().play(form_, player);
  EXPECT_EQ(form_.log, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, QtPointerConformanceTest,
                         ::testing::ValuesIn(forms::testing::PointerCases()),
                         [](const auto& info) { return forms::testing::PointerCaseName(info.param); });

class frmCentred : public forms::Form {
 public:
  frmCentred() : Form("frmCentred", {.caption = "Centred", .width = 6000, .height = 4800,
                                     .center = true}) {}
};

class frmHuge : public forms::Form {
 public:
  frmHuge() : Form("frmHuge", {.caption = "Huge", .width = 36000, .height = 24000,
                               .center = true}) {}
};

class frmElsewhere : public forms::Form {
 public:
  frmElsewhere() : Form("frmElsewhere", {.caption = "Elsewhere", .width = 3000, .height = 2400}) {}
};

// Where a window of `size` pixels centred in `area` has its top left, kept on the area.
QPoint CentreOf(const QRect& area, QSize size) {
  return {area.x() + std::max(0, (area.width() - size.width()) / 2),
          area.y() + std::max(0, (area.height() - size.height()) / 2)};
}

// Runs once with Qt's offscreen screen and once (see CMakeLists.txt) with two screens of
// other sizes side by side.
class QtPlacementTest : public ::testing::Test {
 protected:
  forms::Application app_;
  QtHost host_{app_};
};

TEST_F(QtPlacementTest, ACentredFormOpensInTheMiddleOfTheScreenItFinds) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  ASSERT_NE(primary, nullptr);
  EXPECT_EQ(forms::Screen().Width(), primary->geometry().width() * forms::kTwipsPerPixel);

  auto& centred = app_.Get<frmCentred>();
  centred.Show();
  const QRect area = primary->availableGeometry();
  EXPECT_EQ(host_.WindowOf(centred)->pos(), CentreOf(area, {400, 320}));
  EXPECT_TRUE(area.contains(host_.WindowOf(centred)->geometry())) << "on a screen of "
                                                                   << area.width() << " px";
  // Larger than the screen: its title bar stays on it.
  auto& huge = app_.Get<frmHuge>();
  huge.Show();
  EXPECT_EQ(host_.WindowOf(huge)->pos(), area.topLeft());
}

TEST_F(QtPlacementTest, AFormOpenedFromAWindowOnAnotherScreenIsCentredThere) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.size() < 2) GTEST_SKIP() << "one screen only";
  const QRect second = screens[1]->availableGeometry();
  auto& owner = app_.Get<frmElsewhere>();
  owner.Move((second.x() + 10) * forms::kTwipsPerPixel, (second.y() + 10) * forms::kTwipsPerPixel,
             owner.Width(), owner.Height());
  owner.Show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return host_.WindowOf(owner)->screen() == screens[1]; }, 2000));
  auto& centred = app_.Get<frmCentred>();
  centred.Show();
  EXPECT_EQ(host_.WindowOf(centred)->pos(), CentreOf(second, {400, 320}));
}

}  // namespace
}  // namespace qtbind
