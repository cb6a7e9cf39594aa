// The focus rules: Validate, LostFocus and GotFocus in order, Cancel, redirected and queued
// SetFocus, and what Screen.ActiveControl reads inside the handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/tests/form_fixture.h"

namespace forms {
namespace {

using testing::HeadlessDriver;

class frmEntry : public Form {
 public:
  frmEntry() : Form("frmEntry", {.caption = "Entry"}) {
    for (Control* c :
         {static_cast<Control*>(&txtA), static_cast<Control*>(&txtB), static_cast<Control*>(&txtC),
          static_cast<Control*>(&btnGo), static_cast<Control*>(&btnHelp)}) {
      Watch(*c);
    }
  }

  TextBox& txtA = Add<TextBox>("txtA", {120, 120, 1200, 285});
  TextBox& txtB = Add<TextBox>("txtB", {120, 480, 1200, 285});
  TextBox& txtC = Add<TextBox>("txtC", {120, 840, 1200, 285});
  CommandButton& btnGo = Add<CommandButton>("btnGo", {120, 1200, 1200, 375}, {.caption = "&Go"});
  CommandButton& btnHelp = Add<CommandButton>("btnHelp", {1440, 1200, 1200, 375},
                                              {.caption = "&Help", .causes_validation = false});

  std::vector<std::string> log;
  // Set by a test to act inside a handler.
  std::function<void(Control&, const std::string&)> during;

 private:
  void Watch(Control& c) {
    c.on.Validate = [this, &c](bool& cancel) {
      Note(c, "Validate");
      if (c.Tag() == "refuse") cancel = true;
    };
    c.on.LostFocus = [this, &c] { Note(c, "LostFocus"); };
    c.on.GotFocus = [this, &c] { Note(c, "GotFocus"); };
    c.on.Click = [this, &c] { Note(c, "Click"); };
  }
  void Note(Control& c, const std::string& event) {
    Control* active = Screen().ActiveControl();
    log.push_back(c.Name() + "." + event + " [" + (active ? active->Name() : "-") + "]");
    if (during) during(c, event);
  }
};

class FocusEventsTest : public FormTest<frmEntry> {
 protected:
  void SetUp() override {
    form.Show();
    form.log.clear();
  }
};

TEST_F(FocusEventsTest, ShowGivesTheFirstControlInTabOrderTheFocus) {
  EXPECT_EQ(Screen().ActiveControl(), &form.txtA);
  EXPECT_EQ(Screen().ActiveForm(), &form);
}

TEST_F(FocusEventsTest, TabRunsValidateThenLostFocusThenGotFocus) {
  ASSERT_TRUE(user.Tab());
  // During A's LostFocus the active control is already B.
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtA.Validate [txtA]", "txtA.LostFocus [txtB]",
                                                "txtB.GotFocus [txtB]"}));
}

TEST_F(FocusEventsTest, ValidateCancelKeepsTheFocusAndRunsNothingElse) {
  form.txtA.SetTag("refuse");
  form.log.clear();
  EXPECT_FALSE(user.Tab());
  EXPECT_EQ(Screen().ActiveControl(), &form.txtA);
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtA.Validate [txtA]"}));
}

TEST_F(FocusEventsTest, ValidateCancelSuppressesTheClickThatCausedTheMove) {
  form.txtA.SetTag("refuse");
  form.log.clear();
  EXPECT_FALSE(user.Click(form.btnGo));
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtA.Validate [txtA]"}));
  EXPECT_TRUE(form.txtA.HasFocus());
}

TEST_F(FocusEventsTest, ControlThatDoesNotCauseValidationSkipsValidate) {
  form.txtA.SetTag("refuse");
  form.log.clear();
  EXPECT_TRUE(user.Click(form.btnHelp));
  EXPECT_EQ(form.log,
            (std::vector<std::string>{"txtA.LostFocus [btnHelp]", "btnHelp.GotFocus [btnHelp]",
                                      "btnHelp.Click [btnHelp]"}));
}

TEST_F(FocusEventsTest, SetFocusInsideLostFocusIsQueuedUntilTheMoveEnds) {
  // A's check fails in its LostFocus and sends the focus back: B first gets the focus and
  // loses it again, with A already active during B's LostFocus.
  form.during = [this](Control& c, const std::string& event) {
    if (&c == &form.txtA && event == "LostFocus" && form.txtA.Text().empty()) {
      EXPECT_TRUE(form.txtA.SetFocus());
      // Still queued: nothing has moved yet.
      EXPECT_EQ(Screen().ActiveControl(), &form.txtB);
    }
  };
  user.Tab();
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtA.Validate [txtA]", "txtA.LostFocus [txtB]",
                                                "txtB.GotFocus [txtB]", "txtB.Validate [txtB]",
                                                "txtB.LostFocus [txtA]", "txtA.GotFocus [txtA]"}));
  EXPECT_TRUE(form.txtA.HasFocus());
}

TEST_F(FocusEventsTest, SetFocusInsideValidateTakesThePlaceOfTheMove) {
  // B's check starts the form over from A: C, where Tab was going, is never entered.
  user.Tab();
  form.log.clear();
  form.during = [this](Control& c, const std::string& event) {
    if (&c == &form.txtB && event == "Validate") form.txtA.SetFocus();
  };
  user.Tab();
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtB.Validate [txtB]", "txtB.LostFocus [txtA]",
                                                "txtA.GotFocus [txtA]"}));
  EXPECT_TRUE(form.txtA.HasFocus());
}

TEST_F(FocusEventsTest, ClickDoesNotFollowWhenAFocusHandlerMovedTheFocusAway) {
  form.during = [this](Control& c, const std::string& event) {
    if (&c == &form.txtA && event == "LostFocus") form.txtA.SetFocus();
  };
  EXPECT_FALSE(user.Click(form.btnGo));
  EXPECT_TRUE(form.txtA.HasFocus());
  for (const std::string& line : form.log) EXPECT_NE(line, "btnGo.Click [txtA]");
}

TEST_F(FocusEventsTest, SetFocusOnHiddenOrDisabledControlIsRefusedQuietly) {
  form.txtB.SetVisible(false);
  form.txtC.SetEnabled(false);
  form.log.clear();
  EXPECT_FALSE(form.txtB.SetFocus());
  EXPECT_FALSE(form.txtC.SetFocus());
  EXPECT_TRUE(form.log.empty());
  // Tab skips them too.
  user.Tab();
  EXPECT_EQ(Screen().ActiveControl(), &form.btnGo);
}

TEST_F(FocusEventsTest, ShiftTabWrapsBackwards) {
  user.ShiftTab();
  EXPECT_EQ(Screen().ActiveControl(), &form.btnHelp);
}

TEST_F(FocusEventsTest, SendKeysTabRunsAfterTheHandlerReturns) {
  form.during = [this](Control& c, const std::string& event) {
    if (&c == &form.btnGo && event == "Click") {
      SendKeys("{TAB}");
      // Not yet: the keystroke waits for the handler to return.
      EXPECT_TRUE(form.btnGo.HasFocus());
    }
  };
  user.Click(form.btnGo);
  EXPECT_TRUE(form.btnHelp.HasFocus());
}

TEST_F(FocusEventsTest, MessageBoxFiresNoFocusEvents) {
  user.ExpectMsgBox(MsgBoxResult::kOK, "Invalid");
  form.during = [](Control& c, const std::string& event) {
    if (c.Name() == "btnGo" && event == "Click") MsgBox("Invalid Zip");
  };
  user.Click(form.btnGo);
  EXPECT_EQ(form.log.back(), "btnGo.Click [btnGo]");
  EXPECT_EQ(user.MessageBoxes().at(0).request.title, "Frelane");
}

}  // namespace
}  // namespace forms
