// What a host is told, and navigation details: option groups as one tab stop, SendKeys
// forms, disabled menus, scroll bars, caret keys, message box styles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/host.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/tests/form_fixture.h"

namespace forms {
namespace {

class frmNav : public Form {
 public:
  frmNav() : Form("frmNav", {.width = 6000, .height = 4000, .center = true}) {}
  TextBox& txtFirst = Add<TextBox>("txtFirst", {0, 0, 900, 285}, {.tab_index = 0});
  Frame& fraKind = Add<Frame>("fraKind", {0, 300, 3000, 900});
  OptionButton& optA =
      Add<OptionButton>("optA", {0, 0, 900, 285}, {.container = &fraKind, .tab_index = 1});
  OptionButton& optB = Add<OptionButton>("optB", {0, 300, 900, 285},
                                         {.container = &fraKind, .tab_index = 2, .value = 1});
  TextBox& txtLast = Add<TextBox>("txtLast", {0, 1300, 900, 285}, {.tab_index = 3});
  Label& lblSkip = Add<Label>("lblSkip", {0, 1600, 900, 285}, {.tab_index = 4});
  VScrollBar& vsbPage =
      Add<VScrollBar>("vsbPage", {4000, 0, 255, 2000}, {.tab_stop = false, .min = 0, .max = 10});
  Menu& mnuFile = Add<Menu>("mnuFile", {}, {.caption = "&File"});
  Menu& mnuPrint = Add<Menu>("mnuPrint", {}, {.container = &mnuFile, .caption = "&Print"});
};

using NavigationTest = FormTest<frmNav>;

TEST_F(NavigationTest, OptionGroupIsOneTabStopAtItsSelectedButton) {
  form.Show();
  user.Tab();
  EXPECT_EQ(Screen().ActiveControl(), &form.optB);
  user.Tab();
  EXPECT_EQ(Screen().ActiveControl(), &form.txtLast);
  user.Tab();  // the label and the bar without TabStop are skipped
  EXPECT_EQ(Screen().ActiveControl(), &form.txtFirst);
}

TEST_F(NavigationTest, SendKeysShiftTabAndEnterAreQueuedKeystrokes) {
  form.Show();
  form.txtLast.SetFocus();
  SendKeys("+{TAB}");  // outside any handler: runs at once
  EXPECT_EQ(Screen().ActiveControl(), &form.optB);
  int enters = 0;
  form.optB.on.KeyPress = [&](int& key) { enters += key == kKeyReturn; };
  SendKeys("~");
  EXPECT_EQ(enters, 1);
}

TEST_F(NavigationTest, DisabledOrHiddenMenuTakesNoClick) {
  form.Show();
  int clicks = 0;
  form.mnuPrint.on.Click = [&] { ++clicks; };
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  form.mnuPrint.SetEnabled(false);
  EXPECT_FALSE(user.MenuClick(form.mnuPrint));
  form.mnuPrint.SetEnabled(true);
  form.mnuFile.SetVisible(false);  // hiding the menu hides its entries
  EXPECT_FALSE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(clicks, 1);
}

TEST_F(NavigationTest, ScrollBarClampsUserMovesAndRefusesBadValuesFromCode) {
  form.Show();
  std::vector<int> seen;
  form.vsbPage.on.Change = [&] { seen.push_back(form.vsbPage.Value()); };
  user.Scroll(form.vsbPage, 25);
  user.Scroll(form.vsbPage, 10);
  EXPECT_EQ(seen, (std::vector<int>{10}));
  EXPECT_THROW(form.vsbPage.SetValue(11), runtime::RuntimeError);
}

TEST_F(NavigationTest, CaretKeysMoveAndExtendTheSelection) {
  form.Show();
  user.TypeInto(form.txtFirst, "abcd");
  user.Press(kKeyHome);
  user.Press(kKeyRight, kShiftMask);
  user.Press(kKeyRight, kShiftMask);
  EXPECT_EQ(form.txtFirst.SelText(), "ab");
  user.Press(kKeyEnd);
  EXPECT_EQ(form.txtFirst.SelStart(), 4);
  EXPECT_EQ(form.txtFirst.SelLength(), 0);
  form.txtFirst.SetSelStart(99);  // clamped
  EXPECT_EQ(form.txtFirst.SelStart(), 4);
}

TEST_F(NavigationTest, CentredFormIsPlacedOnTheScreenInTwips) {
  app.SetScreenSize(20000, 12000);
  form.Show();
  EXPECT_EQ(form.Left(), 7000);
  EXPECT_EQ(form.Top(), 4000);
  EXPECT_LT(form.ScaleWidth(), form.Width());
}

// Records what the model tells its host.
class RecordingHost : public Host {
 public:
  void ControlChanged(Control& c, Property p) override {
    changes.push_back(c.Name() + ":" + std::to_string(static_cast<int>(p)));
  }
  void RunModal(Form& form) override { form.Hide(); }
  std::vector<std::string> changes;
};

class frmLists : public Form {
 public:
  frmLists() : Form("frmLists", {.width = 6000, .height = 4000}) {}
  ListBox& lstLong = Add<ListBox>("lstLong", {0, 0, 3000, 2000}, {.list = {"old"}});
  ComboBox& cboPick = Add<ComboBox>("cboPick", {0, 2100, 3000, 315}, {.list = {"x", "y"}});
};

// A list of thousands of entries filled item by item made a window redraw its whole list
// once per item; filled at once it tells its host one change.
TEST(HostNoticeTest, AWholeListSetAtOnceIsOneChangeWithItsItemData) {
  Application app;
  RecordingHost host;
  app.SetHost(&host);
  auto& form = app.Get<frmLists>();
  form.Load();
  form.lstLong.SetListIndex(0);
  int clicks = 0;
  form.lstLong.on.Click = [&clicks] { ++clicks; };
  host.changes.clear();
  std::vector<std::string> items;
  for (int i = 0; i < 5000; ++i) items.push_back("entry " + std::to_string(i));
  form.lstLong.SetItems(items, {7, 8});
  EXPECT_EQ(host.changes, (std::vector<std::string>{
                              "lstLong:" + std::to_string(static_cast<int>(Property::kList))}));
  EXPECT_EQ(form.lstLong.ListCount(), 5000);
  EXPECT_EQ(form.lstLong.List(4999), "entry 4999");
  EXPECT_EQ(form.lstLong.ItemData(0), 7);
  EXPECT_EQ(form.lstLong.ItemData(1), 8);
  EXPECT_EQ(form.lstLong.ItemData(2), 0);
  EXPECT_EQ(form.lstLong.ListIndex(), -1);
  EXPECT_EQ(form.lstLong.NewIndex(), 4999);
  EXPECT_EQ(clicks, 0);
  // A combo box loses the text of the entry it showed, as Clear does.
  form.cboPick.SetListIndex(1);
  EXPECT_EQ(form.cboPick.Text(), "y");
  form.cboPick.SetItems({"z"}, {});
  EXPECT_EQ(form.cboPick.Text(), "");
  EXPECT_EQ(form.cboPick.ListCount(), 1);
  app.SetHost(nullptr);
}

TEST(HostNoticeTest, OnlyRealChangesOfALoadedFormAreReported) {
  Application app;
  RecordingHost host;
  app.SetHost(&host);
  auto& form = app.Get<frmNav>();
  form.Load();
  form.txtFirst.SetText("x");
  form.txtFirst.SetText("x");
  form.lblSkip.SetCaption("");           // already empty
  form.lblSkip.SetVisible(true);         // already visible
  form.lblSkip.Move(0, 1600, 900, 285);  // same place
  form.lblSkip.SetLeft(15);
  EXPECT_EQ(host.changes, (std::vector<std::string>{
                              "txtFirst:" + std::to_string(static_cast<int>(Property::kText)),
                              "lblSkip:" + std::to_string(static_cast<int>(Property::kGeometry))}));
  // A modal Show returns when the host's loop ends with the form hidden.
  form.ShowModal();
  EXPECT_FALSE(form.IsVisible());
  app.SetHost(nullptr);
}

struct StyleCase {
  int style;
  MsgBoxButtons buttons;
  MsgBoxIcon icon;
  int default_button;
  MsgBoxResult default_result;
};

TEST(MessageBoxStyleTest, DecodesTheStyleNumber) {
  const StyleCase cases[] = {
      {0, MsgBoxButtons::kOK, MsgBoxIcon::kNone, 1, MsgBoxResult::kOK},
      {msgbox::kYesNo | msgbox::kQuestion, MsgBoxButtons::kYesNo, MsgBoxIcon::kQuestion, 1,
       MsgBoxResult::kYes},
      {msgbox::kYesNo | msgbox::kDefaultButton2, MsgBoxButtons::kYesNo, MsgBoxIcon::kNone, 2,
       MsgBoxResult::kNo},
      {msgbox::kOKOnly | msgbox::kInformation | msgbox::kDefaultButton3, MsgBoxButtons::kOK,
       MsgBoxIcon::kInformation, 1, MsgBoxResult::kOK},
      {msgbox::kYesNoCancel | msgbox::kDefaultButton3 | msgbox::kCritical, MsgBoxButtons::kYesNoCancel,
       MsgBoxIcon::kCritical, 3, MsgBoxResult::kCancel},
  };
  for (const StyleCase& c : cases) {
    MessageBoxRequest r = MessageBoxRequest::FromStyle("p", c.style, "t");
    EXPECT_EQ(r.buttons, c.buttons) << c.style;
    EXPECT_EQ(r.icon, c.icon) << c.style;
    EXPECT_EQ(r.default_button, c.default_button) << c.style;
    EXPECT_EQ(r.DefaultResult(), c.default_result) << c.style;
  }
  EXPECT_FALSE(MessageBoxRequest::FromStyle("p", msgbox::kYesNo, "t").Offers(MsgBoxResult::kOK));
}

}  // namespace
}  // namespace forms
