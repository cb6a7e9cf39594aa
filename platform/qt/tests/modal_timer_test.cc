// The host's loops: a modal Show returns when the dialog is hidden, and timers fire on the
// Qt event loop until their handler stops them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_host.h"

namespace qtbind {
namespace {

class frmAsk : public forms::Form {
 public:
  frmAsk() : Form("frmAsk", {.caption = "Ask", .width = 3000, .height = 1800}) {
    Bind(btnOK.on.Click, &frmAsk::btnOK_Click);
  }
  forms::CommandButton& btnOK =
      Add<forms::CommandButton>("btnOK", {120, 120, 1200, 375}, {.caption = "OK"});
  bool chosen = false;

 private:
  void btnOK_Click() {
    chosen = true;
    Hide();
  }
};

class frmSplash : public forms::Form {
 public:
  frmSplash() : Form("frmSplash", {.caption = "Splash", .width = 3000, .height = 1800}) {
    Bind(tmrClose.on.Timer, &frmSplash::tmrClose_Timer);
  }
  forms::Timer& tmrClose = Add<forms::Timer>("tmrClose", {0, 0, 0, 0}, {.interval = 30});
  int ticks = 0;

 private:
  void tmrClose_Timer() {
    if (++ticks == 3) Unload();
  }
};

class LoopsTest : public ::testing::Test {
 protected:
  LoopsTest() : host_(app_), desktop_([this] { return host_.ActiveWindow(); }) {
    app_.SetDesktop(&desktop_);
  }
  forms::Application app_;
  QtHost host_;
  QtDesktop desktop_;
};

TEST_F(LoopsTest, ModalShowReturnsWhenTheDialogHidesAndKeepsItLoaded) {
  frmAsk& ask = app_.Get<frmAsk>();
  bool clicked_inside = false;
  QTimer::singleShot(50, [&] {
    QWidget* window = host_.WindowOf(ask);
    clicked_inside = window != nullptr && window->isVisible() &&
                     window->windowModality() == Qt::ApplicationModal;
    if (clicked_inside) QTest::mouseClick(host_.WidgetOf(ask.btnOK), Qt::LeftButton);
  });
  QTimer::singleShot(3000, [&] { ask.Hide(); });  // never hang the test
  ask.ShowModal();
  EXPECT_TRUE(clicked_inside);
  EXPECT_TRUE(ask.chosen);
  EXPECT_TRUE(ask.IsLoaded()) << "Hide keeps the dialog";
  EXPECT_FALSE(host_.WindowOf(ask)->isVisible());
  ask.Unload();
  EXPECT_EQ(host_.WindowOf(ask), nullptr);
}

TEST_F(LoopsTest, AMessageBoxOutlivesTheWindowUnloadedUnderIt) {
  // The splash's timer unloads it, and shows the next window, while a message box shown
  // over it waits for its answer.
  frmSplash& splash = app_.Get<frmSplash>();
  splash.tmrClose.on.Timer = [&] {
    if (++splash.ticks != 3) return;
    splash.Unload();
    app_.Get<frmAsk>().Show();
  };
  splash.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(host_.WindowOf(splash)));
  bool in_front = false;
  QTimer::singleShot(400, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    in_front = box->isVisible();
    box->defaultButton()->click();
  });
  QTimer::singleShot(3000, [] {  // never hang the test
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  forms::MsgBox("Too many links");
  EXPECT_FALSE(splash.IsLoaded());
  EXPECT_TRUE(in_front);  // still shown, not deleted with its window
  QTest::qWait(50);  // the splash's window is deleted after the box, without harm
  app_.Get<frmAsk>().Unload();
}

TEST_F(LoopsTest, TimerFiresOnTheEventLoopUntilItsFormUnloads) {
  frmSplash& splash = app_.Get<frmSplash>();
  splash.Show();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.IsLoaded(); }, 3000));
  EXPECT_EQ(splash.ticks, 3);
  QTest::qWait(100);
  EXPECT_EQ(splash.ticks, 3) << "no tick after the form unloaded";
}

}  // namespace
}  // namespace qtbind
