// Forms: load on first use, Unload with Cancel, Hide keeping values, modal Show and its
// script, activation order between forms, timers on the driven clock, End.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"

namespace forms {
namespace {

using testing::HeadlessDriver;

std::vector<std::string>* g_log = nullptr;
void Note(const std::string& s) {
  if (g_log) g_log->push_back(s);
}

class frmMain : public Form {
 public:
  frmMain() : Form("frmMain") {
    txtOrigin.on.GotFocus = [] { Note("txtOrigin.GotFocus"); };
    txtOrigin.on.LostFocus = [] { Note("txtOrigin.LostFocus"); };
    // Screen.ActiveForm tells a LostFocus whether a dialog took the focus.
    btnGo.on.LostFocus = [] { Note("btnGo.LostFocus [" + Screen().ActiveForm()->Name() + "]"); };
    btnGo.on.GotFocus = [] { Note("btnGo.GotFocus"); };
  }
  TextBox& txtOrigin = Add<TextBox>("txtOrigin", {0, 0, 900, 285}, {.text = "30301"});
  CommandButton& btnGo = Add<CommandButton>("btnGo", {0, 400, 900, 375});
  void Form_Load() override { Note("main.Load"); }
  void Form_Activate() override { Note("main.Activate"); }
};

class frmAccessorials : public Form {
 public:
  frmAccessorials() : Form("frmAccessorials") {
    cmdOK.on.Click = [this] {
      Note("acc.OK");
      Hide();
    };
    chkCharge.on.GotFocus = [] { Note("chkCharge.GotFocus"); };
  }
  CheckBox& chkCharge = Add<CheckBox>("chkCharge", {0, 0, 900, 285});
  CommandButton& cmdOK = Add<CommandButton>("cmdOK", {0, 400, 900, 375});
  bool refuse_unload = false;
  bool unload_in_load = false;
  void Form_Load() override {
    Note("acc.Load");
    if (unload_in_load) Unload();
  }
  void Form_Activate() override { Note("acc.Activate"); }
  void Form_Unload(bool& cancel) override {
    Note("acc.Unload");
    cancel = refuse_unload;
  }
};

class LifecycleTest : public ::testing::Test {
 protected:
  LifecycleTest() { g_log = &log; }
  ~LifecycleTest() override { g_log = nullptr; }
  std::vector<std::string> log;
  Application app;
  HeadlessDriver user{app};
  frmMain& main = app.Get<frmMain>();
  frmAccessorials& acc = app.Get<frmAccessorials>();
};

TEST_F(LifecycleTest, TouchingAControlLoadsTheFormOnce) {
  EXPECT_FALSE(acc.IsLoaded());
  EXPECT_EQ(acc.chkCharge.Value(), 0);
  EXPECT_TRUE(acc.IsLoaded());
  acc.chkCharge.SetValue(1);
  acc.Load();
  EXPECT_EQ(log, (std::vector<std::string>{"acc.Load"}));
  EXPECT_FALSE(acc.IsVisible());
}

TEST_F(LifecycleTest, UnloadThrowsValuesAwayAndCancelKeepsTheForm) {
  acc.chkCharge.SetValue(1);
  acc.refuse_unload = true;
  EXPECT_FALSE(acc.Unload());
  EXPECT_TRUE(acc.IsLoaded());
  acc.refuse_unload = false;
  EXPECT_TRUE(acc.Unload());
  EXPECT_FALSE(acc.IsLoaded());
  // The next touch loads it again from its design values.
  EXPECT_EQ(acc.chkCharge.Value(), 0);
}

TEST_F(LifecycleTest, UnloadInsideLoadStopsTheShow) {
  acc.unload_in_load = true;
  acc.Show();
  EXPECT_FALSE(acc.IsLoaded());
  EXPECT_EQ(log, (std::vector<std::string>{"acc.Load", "acc.Unload"}));
}

TEST_F(LifecycleTest, ModalShowRunsTheScriptAndHideKeepsValuesReadable) {
  main.Show();
  log.clear();
  main.btnGo.on.Click = [this] {
    acc.ShowModal();
    Note("modal returned");
  };
  user.WhenShown("frmAccessorials", [this] {
    EXPECT_EQ(Screen().ActiveForm(), &acc);
    // The form below takes no input while the modal one is up.
    EXPECT_FALSE(user.Click(main.btnGo));
    user.Click(acc.chkCharge);
    user.Click(acc.cmdOK);
  });
  user.Click(main.btnGo);
  EXPECT_EQ(log, (std::vector<std::string>{"txtOrigin.LostFocus", "btnGo.GotFocus", "acc.Load",
                                           "btnGo.LostFocus [frmAccessorials]", "acc.Activate",
                                           "chkCharge.GotFocus", "acc.OK", "main.Activate",
                                           "btnGo.GotFocus", "modal returned"}));
  EXPECT_TRUE(acc.IsLoaded());
  EXPECT_EQ(acc.chkCharge.Value(), 1);
}

TEST_F(LifecycleTest, ModalFormLeftOpenFailsTheTest) {
  user.WhenShown("frmAccessorials", [] {});
  EXPECT_NONFATAL_FAILURE(acc.ShowModal(), "still open after its script");
  EXPECT_FALSE(acc.IsVisible());
}

TEST_F(LifecycleTest, UnexpectedMessageBoxFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(MsgBox("Invalid Class"), "unexpected message box: \"Invalid Class\"");
}

TEST_F(LifecycleTest, MessageBoxAnswersAndStyles) {
  user.ExpectMsgBox(MsgBoxResult::kNo, "Use ");
  EXPECT_EQ(MsgBox("Use 2A?", msgbox::kYesNo | msgbox::kDefaultButton2), MsgBoxResult::kNo);
  const MessageBoxRequest& r = user.MessageBoxes().back().request;
  EXPECT_EQ(r.buttons, MsgBoxButtons::kYesNo);
  EXPECT_EQ(r.default_button, 2);
  EXPECT_EQ(r.title, "Frelane");
}

TEST_F(LifecycleTest, CloseBoxRunsUnloadAndMayBeRefused) {
  acc.Show();
  acc.refuse_unload = true;
  EXPECT_FALSE(user.CloseForm(acc));
  EXPECT_TRUE(acc.IsVisible());
  acc.refuse_unload = false;
  EXPECT_TRUE(user.CloseForm(acc));
  EXPECT_EQ(std::count(user.host_log().begin(), user.host_log().end(), "ended"), 1);
}

class frmIntro : public Form {
 public:
  frmIntro() : Form("frmIntro") { Bind(Timer1.on.Timer, &frmIntro::Timer1_Timer); }
  Timer& Timer1 = Add<Timer>("Timer1", {}, {.interval = 3000});
  int ticks = 0;

 private:
  void Timer1_Timer() {
    ++ticks;
    if (ticks == 2) Unload();
  }
};

TEST(TimerTest, FiresOnTheDrivenClockAndStopsWithItsForm) {
  Application app;
  HeadlessDriver user(app);
  auto& intro = app.Get<frmIntro>();
  intro.Show();
  user.AdvanceClock(2999);
  EXPECT_EQ(intro.ticks, 0);
  user.AdvanceClock(1);
  EXPECT_EQ(intro.ticks, 1);
  user.AdvanceClock(60000);
  EXPECT_EQ(intro.ticks, 2);  // unloaded at the second tick
  EXPECT_FALSE(app.NextTimerDue().has_value());
}

TEST(TimerTest, DisabledTimerDoesNotFire) {
  Application app;
  HeadlessDriver user(app);
  auto& intro = app.Get<frmIntro>();
  intro.Show();
  intro.Timer1.SetEnabled(false);
  user.AdvanceClock(10000);
  EXPECT_EQ(intro.ticks, 0);
  intro.Timer1.SetEnabled(true);  // counts from now
  user.AdvanceClock(2999);
  EXPECT_EQ(intro.ticks, 0);
  user.AdvanceClock(1);
  EXPECT_EQ(intro.ticks, 1);
}

TEST_F(LifecycleTest, EndStopsEverythingWithoutUnloadEvents) {
  main.Show();
  acc.Show();
  log.clear();
  End();
  EXPECT_FALSE(main.IsLoaded());
  EXPECT_FALSE(acc.IsLoaded());
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(user.Click(main.btnGo));
  acc.Show();
  EXPECT_FALSE(acc.IsLoaded());
}

TEST_F(LifecycleTest, RuntimeErrorInAHandlerIsReported) {
  main.Show();
  main.btnGo.on.Click = [] { runtime::Raise(runtime::kErrInvalidPropertyValue); };
  user.ExpectMsgBox(MsgBoxResult::kOK, "Run-time error '380'");
  user.Click(main.btnGo);
  EXPECT_TRUE(main.IsVisible());
}

}  // namespace
}  // namespace forms
