// Keystrokes: KeyPreview order, swallowing and replacing keys, paste through the key
// filter, MaxLength, Enter as Tab through SendKeys, default and cancel buttons, F1.
#include <gtest/gtest.h>

#include <algorithm>
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
  user.Paste("k1a\r\n");
  EXPECT_EQ(form.txtZip.Text(), "K1A");
  EXPECT_EQ(form.log, (std::vector<std::string>{"form 107", "box 107", "form 49", "box 49",
                                                "form 97", "box 97"}));
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


class frmArrows : public Form {
 public:
  frmArrows() : Form("frmArrows", {.caption = "Arrows"}) {
    cboClass.on.Click = [this] { log.push_back("click " + cboClass.Text()); };
    cboClass.on.Change = [this] { log.push_back("change " + cboClass.Text()); };
    cboClass.on.KeyDown = [this](int& code, int) {
      if (hold_arrows && (code == kKeyUp || code == kKeyDown)) code = 0;
    };
    for (OptionButton* o : {&optFixed, &optHidden, &optCsv, &optTab}) {
      o->on.Click = [this, o] { log.push_back("click " + o->Name()); };
    }
  }
  ComboBox& cboClass = Add<ComboBox>("cboClass", {0, 0, 1200, 315},
                                     {.tab_index = 0, .list = {"50", "55", "60"}});
  ComboBox& cboUnits = Add<ComboBox>(
      "cboUnits", {0, 400, 1200, 315},
      {.tab_index = 1, .style = ComboBox::kDropDownList, .list = {"Pallets", "Skids"}});
  Frame& fraFormat = Add<Frame>("fraFormat", {0, 800, 3000, 1600}, {.caption = "Format"});
  // Tab order, not creation order, decides which option is next.
  OptionButton& optTab = Add<OptionButton>(
      "optTab", {120, 1200, 1800, 285}, {.container = &fraFormat, .caption = "Tab", .tab_index = 5});
  OptionButton& optFixed = Add<OptionButton>(
      "optFixed", {120, 240, 1800, 285},
      {.container = &fraFormat, .caption = "Fixed Width", .tab_index = 2, .value = 1});
  OptionButton& optHidden =
      Add<OptionButton>("optHidden", {120, 560, 1800, 285},
                        {.container = &fraFormat, .caption = "Hidden", .tab_index = 3, .enabled = false});
  OptionButton& optCsv = Add<OptionButton>(
      "optCsv", {120, 880, 1800, 285},
      {.container = &fraFormat, .caption = "Comma Separated Values", .tab_index = 4});
  OptionButton& optAppend = Add<OptionButton>(
      "optAppend", {3200, 800, 1800, 285}, {.caption = "Append", .tab_index = 6, .value = 1});
  OptionButton& optReplace = Add<OptionButton>(
      "optReplace", {3200, 1200, 1800, 285}, {.caption = "Create or Replace", .tab_index = 7});
  ListBox& lstCity = Add<ListBox>("lstCity", {3200, 1600, 1800, 900},
                                  {.tab_index = 8, .list = {"Albany", "Boise", "Camden"}});
  std::vector<std::string> log;
  bool hold_arrows = false;
};

TEST(ArrowKeyTest, UpAndDownInAComboPickTheRowsAndTheOtherKeysMoveTheCaret) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmArrows>();
  form.Show();
  ComboBox& box = form.cboClass;
  user.Press(kKeyDown);
  EXPECT_EQ(box.ListIndex(), 0) << "from no row, Down takes the first";
  user.Press(kKeyDown);
  user.Press(kKeyDown);
  user.Press(kKeyDown);
  EXPECT_EQ(box.ListIndex(), 2) << "the last row stops Down";
  user.Press(kKeyUp);
  EXPECT_EQ(box.Text(), "55");
  EXPECT_EQ(form.log, (std::vector<std::string>{"click 50", "click 55", "click 60", "click 55"}))
      << "each step is a pick: Click, no Change";

  user.Press(kKeyHome);
  user.Press(kKeyRight);
  EXPECT_EQ(box.SelStart(), 1);
  user.Press(kKeyEnd);
  user.Press(kKeyLeft, kShiftMask);
  EXPECT_EQ(box.SelStart(), 1);
  EXPECT_EQ(box.SelLength(), 1);
  EXPECT_EQ(box.ListIndex(), 1);

  // Typed text is no row, so either arrow starts again at the top.
  user.Select(box, 0, 2);
  user.Type("7");
  user.Press(kKeyUp);
  EXPECT_EQ(box.Text(), "50");

  // A KeyDown handler that swallows the arrow, and a locked box, keep the row.
  form.hold_arrows = true;
  user.Press(kKeyDown);
  EXPECT_EQ(box.Text(), "50");
  form.hold_arrows = false;
  box.SetLocked(true);
  user.Press(kKeyDown);
  EXPECT_EQ(box.Text(), "50");
  box.SetLocked(false);

  // Alt+Down and F4 ask the host to open the list and pick nothing.
  form.log.clear();
  user.Press(kKeyDown, kAltMask);
  user.Press(kKeyF4);
  EXPECT_EQ(std::count(user.host_log().begin(), user.host_log().end(),
                       "drop down frmArrows.cboClass"),
            2);
  EXPECT_TRUE(form.log.empty());

  // A drop-down list steps the same way.
  user.Tab();
  user.Press(kKeyUp);
  EXPECT_EQ(form.cboUnits.ListIndex(), 0);
  user.Press(kKeyDown);
  user.Press(kKeyDown);
  EXPECT_EQ(form.cboUnits.Text(), "Skids");

  // A list box also goes to its first and last rows with Home and End.
  user.Focus(form.lstCity);
  user.Press(kKeyEnd);
  EXPECT_EQ(form.lstCity.ListIndex(), 2);
  user.Press(kKeyHome);
  user.Press(kKeyDown);
  EXPECT_EQ(form.lstCity.ListIndex(), 1);
}

// A list of twenty rows that shows four (rows of a 12-point font in 1260 twips).
class frmPages : public Form {
 public:
  frmPages() : Form("frmPages", {.caption = "Pages"}) {
    std::vector<std::string> rows;
    for (int i = 0; i < 20; ++i) rows.push_back("row " + std::to_string(i));
    lstRows.SetItems(rows, {});
    lstRows.on.Click = [this] { clicks.push_back(lstRows.ListIndex()); };
  }
  ListBox& lstRows =
      Add<ListBox>("lstRows", {120, 120, 2400, 1260}, {.tab_index = 0, .font_size = 12});
  ComboBox& cboUnits = Add<ComboBox>(
      "cboUnits", {120, 1500, 2400, 315},
      {.tab_index = 1, .style = ComboBox::kDropDownList, .list = {"Boxes", "Drums", "Skids"}});
  std::vector<int> clicks;
};

TEST(ArrowKeyTest, PageDownAndPageUpStepAListBoxByTheRowsInView) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmPages>();
  form.Show();
  ListBox& list = form.lstRows;
  ASSERT_EQ(list.RowsByHeight(), 4);
  user.Focus(list);
  user.Press(kKeyPageDown);
  EXPECT_EQ(list.ListIndex(), 3) << "first to the last row in view";
  user.Press(kKeyPageDown);
  EXPECT_EQ(list.ListIndex(), 6) << "then a page on, the last row of that page";
  user.Press(kKeyPageDown);
  user.Press(kKeyPageUp);
  EXPECT_EQ(list.ListIndex(), 6) << "up to the first row in view";
  user.Press(kKeyPageUp);
  EXPECT_EQ(list.ListIndex(), 3);
  user.Press(kKeyEnd);
  user.Press(kKeyPageDown);
  EXPECT_EQ(list.ListIndex(), 19) << "the last row stops Page Down";
  user.Press(kKeyHome);
  user.Press(kKeyPageUp);
  EXPECT_EQ(list.ListIndex(), 0) << "the first row stops Page Up";
  EXPECT_EQ(form.clicks, (std::vector<int>{3, 6, 9, 6, 3, 19, 0})) << "each step a Click";

  // A closed combo box has no page: the keys leave its row.
  user.Focus(form.cboUnits);
  user.Press(kKeyDown);
  user.Press(kKeyPageDown);
  user.Press(kKeyPageUp);
  EXPECT_EQ(form.cboUnits.Text(), "Boxes");
}

TEST(ArrowKeyTest, ArrowsMoveThroughAnOptionGroupAndSelectAsAClickWould) {
  Application app;
  HeadlessDriver user(app);
  auto& form = app.Get<frmArrows>();
  form.Show();
  user.Focus(form.optFixed);
  form.log.clear();
  user.Press(kKeyDown);
  EXPECT_TRUE(form.optCsv.HasFocus()) << "the disabled option is passed over";
  EXPECT_TRUE(form.optCsv.Value());
  EXPECT_FALSE(form.optFixed.Value());
  user.Press(kKeyRight);
  user.Press(kKeyRight);
  EXPECT_TRUE(form.optFixed.HasFocus()) << "Right wraps from the last option to the first";
  user.Press(kKeyUp);
  EXPECT_TRUE(form.optTab.HasFocus());
  user.Press(kKeyLeft);
  EXPECT_TRUE(form.optCsv.Value());
  EXPECT_EQ(form.log, (std::vector<std::string>{"click optCsv", "click optTab", "click optFixed",
                                                "click optTab", "click optCsv"}));
  EXPECT_TRUE(form.optAppend.Value()) << "another container's group is untouched";

  user.Tab();
  EXPECT_TRUE(form.optAppend.HasFocus()) << "the group is one Tab stop";
  user.Press(kKeyDown);
  EXPECT_TRUE(form.optReplace.Value());
  EXPECT_FALSE(form.optAppend.Value());
  EXPECT_TRUE(form.optCsv.Value());
}

}  // namespace
}  // namespace forms
