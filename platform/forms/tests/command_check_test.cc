// Commands that take no focus of their own (menu items, toolbar buttons) check the edit the
// focused box still holds unchecked with its Validate first; a refusal stops the command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/tests/form_fixture.h"

namespace forms {
namespace {

class frmQuote : public Form {
 public:
  frmQuote() : Form("frmQuote", {.caption = "Quote"}) {
    for (Control* c : {static_cast<Control*>(&txtWeight), static_cast<Control*>(&cboClass),
                       static_cast<Control*>(&btnPrint), static_cast<Control*>(&btnReset),
                       static_cast<Control*>(&mnuPrint), static_cast<Control*>(&mnuExit)}) {
      Watch(*c);
    }
    btnPrint.on.MouseUp = [this](int, int, int, int) { log.push_back("btnPrint.MouseUp"); };
    txtWeight.on.Validate = [this](bool& cancel) {
      log.push_back("txtWeight.Validate " + txtWeight.Text());
      if (txtWeight.Text() == "0") cancel = true;
      if (txtWeight.Text() == "1") txtWeight.SetText("100");  // a check that completes the entry
    };
  }

  Frame& fraToolBar = Add<Frame>("fraToolBar", {0, 0, 4000, 390});
  CommandButton& btnPrint = Add<CommandButton>(
      "btnPrint", {60, 45, 300, 300},
      {.container = &fraToolBar, .caption = "P", .tab_stop = false, .toolbar = true});
  CommandButton& btnReset = Add<CommandButton>("btnReset", {375, 45, 300, 300},
                                               {.container = &fraToolBar,
                                                .caption = "R",
                                                .tab_stop = false,
                                                .causes_validation = false,
                                                .toolbar = true});
  TextBox& txtWeight = Add<TextBox>("txtWeight", {120, 600, 1200, 285});
  ComboBox& cboClass = Add<ComboBox>("cboClass", {120, 960, 1200, 285},
                                     {.style = 2, .list = {"100", "85"}});
  CommandButton& btnOK = Add<CommandButton>("btnOK", {120, 1320, 1200, 375}, {.caption = "OK"});
  Menu& mnuFile = Add<Menu>("mnuFile", {}, {.caption = "&File"});
  Menu& mnuPrint = Add<Menu>("mnuPrint", {}, {.container = &mnuFile, .caption = "&Print"});
  Menu& mnuExit = Add<Menu>("mnuExit", {}, {.container = &mnuFile,
                                             .caption = "E&xit",
                                             .causes_validation = false});

  std::vector<std::string> log;

 private:
  void Watch(Control& c) {
    if (!c.on.Validate) {
      c.on.Validate = [this, &c](bool&) { log.push_back(c.Name() + ".Validate"); };
    }
    c.on.LostFocus = [this, &c] { log.push_back(c.Name() + ".LostFocus"); };
    c.on.GotFocus = [this, &c] { log.push_back(c.Name() + ".GotFocus"); };
    c.on.Click = [this, &c] { log.push_back(c.Name() + ".Click"); };
  }
};

using Log = std::vector<std::string>;

class CommandCheckTest : public FormTest<frmQuote> {
 protected:
  void SetUp() override {
    form.Show();
    ASSERT_TRUE(user.Focus(form.txtWeight));
    form.log.clear();
  }
};

TEST_F(CommandCheckTest, AMenuItemChecksTheTypedEntryAndKeepsTheFocus) {
  ASSERT_TRUE(user.Type("1600"));
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 1600", "mnuPrint.Click"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());

  // Checked once: the next command finds nothing new to check, until the box changes again.
  form.log.clear();
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"mnuPrint.Click"}));
  form.log.clear();
  ASSERT_TRUE(user.Backspace());
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 160", "mnuPrint.Click"}));

  // What Validate itself puts in the box counts as checked.
  form.log.clear();
  ASSERT_TRUE(user.TypeInto(form.txtWeight, "1"));
  user.MenuClick(form.mnuPrint);
  user.MenuClick(form.mnuPrint);
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 1", "mnuPrint.Click", "mnuPrint.Click"}));
  EXPECT_EQ(form.txtWeight.Text(), "100");
}

TEST_F(CommandCheckTest, ARefusedEntryStopsTheMenuItemButNotOneThatLeaves) {
  // A box entered and left as it was (an empty one its check would refuse) is not checked.
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"mnuPrint.Click"}));

  form.log.clear();
  ASSERT_TRUE(user.Type("0"));
  EXPECT_FALSE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 0"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());
  // Still unchecked: the next try checks it again; an item that does not cause validation
  // (Exit) asks nothing.
  form.log.clear();
  EXPECT_FALSE(user.MenuClick(form.mnuPrint));
  EXPECT_TRUE(user.MenuClick(form.mnuExit));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 0", "mnuExit.Click"}));

  // A Tab checks it as ever, and an accepted Tab leaves nothing for the menu.
  ASSERT_TRUE(user.TypeInto(form.txtWeight, "5"));
  ASSERT_TRUE(user.Tab());
  ASSERT_TRUE(user.ShiftTab());
  form.log.clear();
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"mnuPrint.Click"}));
}

TEST_F(CommandCheckTest, APickInAListIsAnEntryToCheck) {
  ASSERT_TRUE(user.Focus(form.cboClass));
  ASSERT_TRUE(user.Pick(form.cboClass, 1));
  form.log.clear();
  user.MenuClick(form.mnuPrint);
  EXPECT_EQ(form.log, (Log{"cboClass.Validate", "mnuPrint.Click"}));
}

TEST_F(CommandCheckTest, AToolbarPressChecksOnlyWhatIsUncheckedAndTakesNoFocus) {
  // Nothing typed: the press asks nothing and the focus stays where the user was.
  EXPECT_TRUE(user.Click(form.btnPrint, 10, 10));
  EXPECT_EQ(form.log, (Log{"btnPrint.MouseUp", "btnPrint.Click"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());

  ASSERT_TRUE(user.Type("1600"));
  form.log.clear();
  EXPECT_TRUE(user.Click(form.btnPrint, 10, 10));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 1600", "btnPrint.MouseUp", "btnPrint.Click"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());
  // What is typed next goes on into the box.
  ASSERT_TRUE(user.Type("5"));
  EXPECT_EQ(form.txtWeight.Text(), "16005");

  // A refusal drops the press whole; a button that does not cause validation never checks.
  ASSERT_TRUE(user.TypeInto(form.txtWeight, "0"));
  form.log.clear();
  EXPECT_FALSE(user.Click(form.btnPrint, 10, 10));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 0"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());
  form.log.clear();
  EXPECT_TRUE(user.Click(form.btnReset, 10, 10));
  EXPECT_EQ(form.log, (Log{"btnReset.Click"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());

  // Nor can code put the focus on a toolbar button.
  EXPECT_FALSE(form.btnPrint.SetFocus());
  EXPECT_FALSE(form.btnPrint.CanTakeFocus());
}

// A check that accepts the entry but throws the work away (a shipment over a limit cleared)
// withdraws the command: no menu item's Click, no toolbar press, the focus where it was.
class WithdrawingCheckTest : public CommandCheckTest {
 protected:
  void SetUp() override {
    CommandCheckTest::SetUp();
    form.txtWeight.on.Validate = [this](bool&) {
      form.log.push_back("txtWeight.Validate " + form.txtWeight.Text());
      if (form.txtWeight.Text() == "15000") {
        withdrawn.push_back(App().WithdrawCommand());
        form.txtWeight.SetText("");
      }
    };
  }
  std::vector<bool> withdrawn;
};

TEST_F(WithdrawingCheckTest, TheMenuItemAndTheToolbarButtonDoNotRun) {
  ASSERT_TRUE(user.Type("15000"));
  EXPECT_FALSE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 15000"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());

  ASSERT_TRUE(user.TypeInto(form.txtWeight, "15000"));
  form.log.clear();
  EXPECT_FALSE(user.Click(form.btnPrint, 10, 10));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 15000"}));
  EXPECT_TRUE(form.txtWeight.HasFocus());
  EXPECT_EQ(withdrawn, (std::vector<bool>{true, true}));

  // The box holds what the check left, accepted: the next command runs.
  form.log.clear();
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"mnuPrint.Click"}));
  ASSERT_TRUE(user.TypeInto(form.txtWeight, "1500"));
  form.log.clear();
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"txtWeight.Validate 1500", "mnuPrint.Click"}));
}

TEST_F(WithdrawingCheckTest, ATabIsNotACommandAndMovesOn) {
  ASSERT_TRUE(user.Type("15000"));
  EXPECT_TRUE(user.Tab());
  EXPECT_EQ(withdrawn, (std::vector<bool>{false}));
  EXPECT_TRUE(form.cboClass.HasFocus());
  // Nor does a withdrawal outside a check linger for the next command.
  EXPECT_FALSE(App().WithdrawCommand());
  form.log.clear();
  EXPECT_TRUE(user.MenuClick(form.mnuPrint));
  EXPECT_EQ(form.log, (Log{"mnuPrint.Click"}));
}

}  // namespace
}  // namespace forms
