// Change only on a real change; Click from code on Value and ListIndex; option groups;
// combo picks; control arrays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/tests/form_fixture.h"

namespace forms {
namespace {

using testing::HeadlessDriver;

class frmValues : public Form {
 public:
  frmValues() : Form("frmValues") {
    for (Control* c :
         std::initializer_list<Control*>{&txtA, &lblTotal, &chkFuel, &optBase, &optDiscounted,
                                         &optOther, &cboClass, &lstCity}) {
      c->on.Change = [this, c] { log.push_back(c->Name() + ".Change"); };
      c->on.Click = [this, c] { log.push_back(c->Name() + ".Click"); };
    }
    for (int i = 1; i <= 3; ++i) txtWeight.Add(i, {0, 2000 + 300 * i, 900, 285});
    Bind(txtWeight.on.Change, &frmValues::txtWeight_Change);
  }

  TextBox& txtA = Add<TextBox>("txtA", {0, 0, 900, 285});
  Label& lblTotal = Add<Label>("lblTotal", {0, 300, 900, 285});
  CheckBox& chkFuel = Add<CheckBox>("chkFuel", {0, 600, 900, 285});
  Frame& fraRates = Add<Frame>("fraRates", {0, 900, 3000, 900});
  OptionButton& optBase =
      Add<OptionButton>("optBase", {0, 0, 900, 285}, {.container = &fraRates, .value = 1});
  OptionButton& optDiscounted =
      Add<OptionButton>("optDiscounted", {0, 300, 900, 285}, {.container = &fraRates});
  OptionButton& optOther = Add<OptionButton>("optOther", {0, 1900, 900, 285}, {.value = 1});
  ComboBox& cboClass = Add<ComboBox>("cboClass", {1000, 0, 900, 285}, {.list = {"50", "55", "60"}});
  ListBox& lstCity = Add<ListBox>("lstCity", {1000, 300, 900, 900}, {.list = {"A", "B"}});
  ControlArray<TextBox>& txtWeight = AddArray<TextBox>("txtWeight");

  std::vector<std::string> log;

 private:
  void txtWeight_Change(int index) { log.push_back("txtWeight(" + std::to_string(index) + ")"); }
};

class ChangeAndClickTest : public FormTest<frmValues> {
 protected:
  void SetUp() override {
    form.Load();
    form.log.clear();
  }
};

TEST_F(ChangeAndClickTest, ChangeFiresOnlyWhenTheValueDiffers) {
  form.txtA.SetText("x");
  form.txtA.SetText("x");
  form.lblTotal.SetCaption("1.00 ");
  form.lblTotal.SetCaption("1.00 ");
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtA.Change", "lblTotal.Change"}));
}

TEST_F(ChangeAndClickTest, ClearingHandlerDoesNotRecurse) {
  // A Change handler that clears the caption it watches ends after one round.
  int rounds = 0;
  form.lblTotal.on.Change = [&] {
    ++rounds;
    form.lblTotal.SetCaption("");
  };
  form.lblTotal.SetCaption("5");
  EXPECT_EQ(rounds, 2);
  EXPECT_EQ(form.lblTotal.Caption(), "");
}

TEST_F(ChangeAndClickTest, AssigningValueFiresClickOnce) {
  form.chkFuel.SetValue(1);
  form.chkFuel.SetValue(1);
  EXPECT_EQ(form.log, (std::vector<std::string>{"chkFuel.Click"}));
  EXPECT_THROW(form.chkFuel.SetValue(3), runtime::RuntimeError);
}

TEST_F(ChangeAndClickTest, OptionButtonsAreExclusiveWithinTheirContainer) {
  form.optDiscounted.SetValue(true);
  EXPECT_FALSE(form.optBase.Value());
  EXPECT_TRUE(form.optOther.Value());  // another container
  EXPECT_EQ(form.log, (std::vector<std::string>{"optDiscounted.Click"}));
}

TEST_F(ChangeAndClickTest, ListIndexFromCodeFiresClickAndComboCopiesTheItem) {
  form.cboClass.SetListIndex(1);
  EXPECT_EQ(form.cboClass.Text(), "55");
  form.cboClass.SetListIndex(1);
  EXPECT_EQ(form.log, (std::vector<std::string>{"cboClass.Click"}));
  EXPECT_THROW(form.lstCity.SetListIndex(2), runtime::RuntimeError);
}

TEST_F(ChangeAndClickTest, UserPickInAComboIsClickNotChange) {
  form.Show();
  form.log.clear();
  user.Pick(form.cboClass, 2);
  EXPECT_EQ(form.log, (std::vector<std::string>{"cboClass.Click"}));
  EXPECT_EQ(form.cboClass.Text(), "60");
  // Typing over it is a change and forgets the pick.
  user.TypeInto(form.cboClass, "65");
  EXPECT_EQ(form.cboClass.ListIndex(), -1);
  EXPECT_EQ(form.log.back(), "cboClass.Change");
}

TEST_F(ChangeAndClickTest, PickingTheChosenComboRowAgainIsAClickAndPutsItsTextBack) {
  form.Show();
  user.Pick(form.cboClass, 1);
  // Code writes over the text without touching the choice, as a form showing a record does.
  form.cboClass.SetText("70");
  form.log.clear();
  user.Pick(form.cboClass, 1);
  EXPECT_EQ(form.cboClass.Text(), "55");
  EXPECT_EQ(form.log, (std::vector<std::string>{"cboClass.Change", "cboClass.Click"}));
  form.log.clear();
  user.Pick(form.cboClass, 1);
  EXPECT_EQ(form.log, (std::vector<std::string>{"cboClass.Click"}));
}

TEST_F(ChangeAndClickTest, UserClickTogglesTheCheckBox) {
  form.Show();
  form.log.clear();
  user.Click(form.chkFuel);
  user.Click(form.chkFuel);
  EXPECT_EQ(form.chkFuel.Value(), 0);
  EXPECT_EQ(form.log, (std::vector<std::string>{"chkFuel.Click", "chkFuel.Click"}));
}

TEST_F(ChangeAndClickTest, ListItemsKeepSelectionAndItemData) {
  form.lstCity.SetListIndex(1);
  form.lstCity.AddItem("0", 0);
  EXPECT_EQ(form.lstCity.NewIndex(), 0);
  EXPECT_EQ(form.lstCity.ListIndex(), 2);
  form.lstCity.SetItemData(2, 42);
  EXPECT_EQ(form.lstCity.ItemData(2), 42);
  EXPECT_EQ(form.lstCity.List(9), "");
  form.lstCity.RemoveItem(2);
  EXPECT_EQ(form.lstCity.ListIndex(), -1);
}

TEST_F(ChangeAndClickTest, ControlArrayHandlersGetTheIndex) {
  form.txtWeight(2).SetText("100");
  EXPECT_EQ(form.log, (std::vector<std::string>{"txtWeight(2)"}));
  EXPECT_EQ(form.txtWeight.UBound(), 3);
  try {
    form.txtWeight(4);
    FAIL();
  } catch (const runtime::RuntimeError& e) {
    EXPECT_EQ(e.Number(), runtime::kErrControlArrayElement);
  }
  EXPECT_EQ(form.FindControl("TXTWEIGHT", 3), &form.txtWeight(3));
}

TEST_F(ChangeAndClickTest, HiddenFrameHidesItsControlsButKeepsTheirOwnFlag) {
  form.fraRates.SetVisible(false);
  EXPECT_TRUE(form.optBase.Visible());
  EXPECT_FALSE(form.optBase.IsShown());
  EXPECT_FALSE(form.optBase.CanTakeFocus());
}

}  // namespace
}  // namespace forms
