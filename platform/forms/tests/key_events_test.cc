// Keystrokes: KeyPreview order, swallowing and replacing keys, paste through the key
// filter, MaxLength, Enter as Tab through SendKeys, default and cancel buttons, F1.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/tests/form_fixture.h"

namespace forms {
namespace {

using testing::HeadlessDriver;

class frmKeys : public Form {
 public:
  frmKeys() : Form("frmKeys", {.caption = "Keys", .key_preview = true}) {
    Bind(txtZip.on.KeyPress, &frmKeys::txtZip_KeyPress);
    Bind(txtZip.on.KeyDown, &frmKeys::txtZip_KeyDown);
    Bind(txtZip.on.Change, &frmKeys::txtZip_Change);
  }

  TextBox& txtZip = Add<TextBox>("txtZip", {120, 120, 1200, 285}, {.max_length = 5});
  TextBox& txtNext = Add<TextBox>("txtNext", {120, 480, 1200, 285}, {.help_context_id = 77});

  std::vector<std::string> log;
  bool enter_as_tab = true;
  bool lock_delete = false;
  int changes = 0;

  void Form_KeyPress(int& key) override {
    log.push_back("form " + std::to_string(key));
    if (key == '!') key = 0;
    if (enter_as_tab && key == kKeyReturn) {
      key = 0;
      SendKeys("{TAB}");
    }
  }

 private:
  // Digits pass, letters are upper-cased into the box, anything else is refused.
  void txtZip_KeyPress(int& key) {
    log.push_back("box " + std::to_string(key));
    if (key >= 'a' && key <= 'z') {
      key = key - 'a' + 'A';
    } else if (!(key >= '0' && key <= '9') && !(key >= 'A' && key <= 'Z') && key != kKeyBack) {
      key = 0;
    }
  }
  void txtZip_KeyDown(int& code, int) {
    if (lock_delete && code == kKeyDelete) code = 0;
  }
  void txtZip_Change() { ++changes; }
};

class KeyEventsTest : public FormTest<frmKeys> {
 protected:
  void SetUp() override {
    form.Show();
    form.log.clear();
  }
};

TEST_F(KeyEventsTest, KeyPreviewRunsTheFormsKeyPressFirst) {
  user.Type("1");
  EXPECT_EQ(form.log, (std::vector<std::string>{"form 49", "box 49"}));
  EXPECT_EQ(form.txtZip.Text(), "1");
}

TEST_F(KeyEventsTest, FormSwallowingAKeyHidesItFromTheControl) {
  user.Type("!");
  EXPECT_EQ(form.log, (std::vector<std::string>{"form 33"}));
  EXPECT_EQ(form.txtZip.Text(), "");
  EXPECT_EQ(form.changes, 0);
}

TEST_F(KeyEventsTest, ReplacedKeyIsTheOneInserted) {
  user.Type("k1a");
  EXPECT_EQ(form.txtZip.Text(), "K1A");
  EXPECT_EQ(form.changes, 3);
}

TEST_F(KeyEventsTest, PasteGoesThroughTheSameFilter) {
  user.Paste("k-1 a\r\nignored");
  EXPECT_EQ(form.txtZip.Text(), "K1A");
  // One Change for the whole paste.
  EXPECT_EQ(form.changes, 1);
}

TEST_F(KeyEventsTest, MaxLengthRefusesWithABeep) {
  user.Type("1234567");
  EXPECT_EQ(form.txtZip.Text(), "12345");
  EXPECT_EQ(user.beeps(), 2);
  // Typing over a selection is allowed at the limit.
  user.Select(form.txtZip, 0, 1);
  user.Type("9");
  EXPECT_EQ(form.txtZip.Text(), "92345");
}

TEST_F(KeyEventsTest, FilterSeesSelectionBeforeTheKeyIsInserted) {
  int start_seen = -1;
  form.txtNext.on.KeyPress = [&](int&) { start_seen = form.txtNext.SelStart(); };
  user.TypeInto(form.txtNext, "ab");
  EXPECT_EQ(start_seen, 1);
}

TEST_F(KeyEventsTest, KeyDownZeroSwallowsDelete) {
  form.txtZip.SetText("123");
  form.changes = 0;
  user.Select(form.txtZip, 0, 0);
  form.lock_delete = true;
  user.Press(kKeyDelete);
  EXPECT_EQ(form.txtZip.Text(), "123");
  form.lock_delete = false;
  user.Press(kKeyDelete);
  EXPECT_EQ(form.txtZip.Text(), "23");
  EXPECT_EQ(form.changes, 1);
}

TEST_F(KeyEventsTest, BackspaceDeletesBeforeTheCaret) {
  user.Type("12");
  user.Backspace();
  EXPECT_EQ(form.txtZip.Text(), "1");
}

TEST_F(KeyEventsTest, EnterAsTabMovesThroughTheFullFocusSequence) {
  std::vector<std::string> seen;
  form.txtZip.on.Validate = [&](bool&) { seen.push_back("validate"); };
  form.txtNext.on.GotFocus = [&] { seen.push_back("got"); };
  user.PressEnter();
  EXPECT_EQ(seen, (std::vector<std::string>{"validate", "got"}));
  EXPECT_TRUE(form.txtNext.HasFocus());
}

TEST_F(KeyEventsTest, F1OpensHelpAtTheControlsContext) {
  app.SetHelpFile("/data/help.chm");
  user.Focus(form.txtNext);
  user.Press(kKeyF1);
  ASSERT_EQ(user.help_requests().size(), 1u);
  EXPECT_EQ(user.help_requests()[0], (std::pair<std::string, int>{"/data/help.chm", 77}));
}

TEST_F(KeyEventsTest, SendKeysF1RunsAtDoEvents) {
  app.SetHelpFile("/data/rules.chm");
  form.txtZip.on.GotFocus = [&] {
    SendKeys("{F1}");
    EXPECT_TRUE(user.help_requests().empty());
    DoEvents();
    EXPECT_EQ(user.help_requests().size(), 1u);
  };
  user.Focus(form.txtNext);
  user.Focus(form.txtZip);
  EXPECT_EQ(user.help_requests().size(), 1u);
}

class frmDialog : public Form {
 public:
  frmDialog() : Form("frmDialog") {
    cmdOK.on.Click = [this] { result = "ok"; };
    cmdCancel.on.Click = [this] { result = "cancel"; };
  }
  TextBox& txtName = Add<TextBox>("txtName", {0, 0, 1000, 285});
  CommandButton& cmdOK = Add<CommandButton>("cmdOK", {0, 400, 1000, 375}, {.is_default = true});
  CommandButton& cmdCancel =
      Add<CommandButton>("cmdCancel", {0, 800, 1000, 375}, {.is_cancel = true});
  std::string result;
  bool enter_as_tab = false;
  void Form_KeyPress(int& key) override {
    result = "keypress";
    if (enter_as_tab && key == kKeyReturn) {
      key = 0;
      SendKeys("{TAB}");
    }
  }
};

TEST(DefaultButtonTest, EnterAndEscapeClickTheDefaultAndCancelButtons) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmDialog>();
  form.SetKeyPreview(true);
  form.Show();
  user.PressEnter();
  EXPECT_EQ(form.result, "ok");
  user.PressEscape();
  EXPECT_EQ(form.result, "cancel");
  user.Type("x");
  EXPECT_EQ(form.result, "keypress");
}

TEST(DefaultButtonTest, EnterPressesTheFocusedButtonBeforeTheFormTurnsItIntoTab) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmDialog>();
  form.SetKeyPreview(true);
  form.enter_as_tab = true;
  form.Show();
  user.Focus(form.cmdCancel);
  user.PressEnter();
  EXPECT_EQ(form.result, "cancel") << "the focused button, not the default one, nor KeyPress";
  EXPECT_TRUE(form.cmdCancel.HasFocus());
}

class frmAccessKeys : public Form {
 public:
  frmAccessKeys() : Form("frmAccessKeys", {.caption = "Access keys", .key_preview = true}) {
    txtLow.on.Validate = [this](bool& cancel) { cancel = txtLow.Text() == "bad"; };
    btnSave.on.Click = [this] { saves++; };
  }
  TextBox& txtLow = Add<TextBox>("txtLow", {0, 0, 1000, 285}, {.tab_index = 0});
  CheckBox& chkUse =
      Add<CheckBox>("chkUse", {0, 400, 1000, 285}, {.caption = "&Use", .tab_index = 1});
  CommandButton& btnSave =
      Add<CommandButton>("btnSave", {0, 800, 1000, 375}, {.caption = "&Save", .tab_index = 2});
  CommandButton& btnHidden = Add<CommandButton>(
      "btnHidden", {0, 1200, 1000, 375}, {.caption = "&Hidden", .tab_index = 3, .visible = false});
  int saves = 0;
};

TEST(AccessKeyTest, AltAndTheMarkedLetterPressTheButtonAfterValidation) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmAccessKeys>();
  form.Show();
  user.Type("bad");
  user.Press('S', kAltMask);
  EXPECT_EQ(form.saves, 0) << "Validate kept the focus in the box";
  EXPECT_EQ(form.txtLow.Text(), "bad") << "an access key types nothing";
  user.Select(form.txtLow, 0, 3);
  user.Type("30300");
  user.Press('S', kAltMask);
  EXPECT_EQ(form.saves, 1);
  EXPECT_TRUE(form.btnSave.HasFocus());

  user.Press('U', kAltMask);
  EXPECT_EQ(form.chkUse.Value(), CheckBox::kChecked);
  EXPECT_TRUE(form.chkUse.HasFocus());
  user.Press('H', kAltMask);
  user.Press('Q', kAltMask);
  EXPECT_TRUE(form.chkUse.HasFocus()) << "a hidden button and an unmarked key do nothing";
}

}  // namespace
}  // namespace forms
