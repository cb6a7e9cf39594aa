// The layout check: boxes and buttons that lie on one another or reach past their form or
// frame are named; labels, hidden and parked controls are not.
#include "platform/forms/testing/layout_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/forms/forms.h"

namespace forms {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// 3000 x 2000 twips of client area.
class frmLayout : public Form {
 public:
  frmLayout() : Form("frmLayout", {.width = 3000 + 120, .height = 2000 + 510}) {}
  TextBox& txtFirst = Add<TextBox>("txtFirst", {120, 120, 900, 300});
  TextBox& txtSecond = Add<TextBox>("txtSecond", {120, 420, 900, 300});
  Label& lblOver = Add<Label>("lblOver", {120, 120, 2000, 600}, {.caption = "drawn on the form"});
  TextBox& txtParked = Add<TextBox>("txtParked", {-2000, 0, 15, 15});
  Frame& fraBox = Add<Frame>("fraBox", {1200, 120, 1500, 900});
  CheckBox& chkInFrame = Add<CheckBox>("chkInFrame", {120, 240, 1200, 240}, {.container = &fraBox});
  CommandButton& btnOK = Add<CommandButton>("btnOK", {120, 1500, 1200, 375});
};

TEST(LayoutCheckTest, NamesOverlapsAndControlsPastTheirContainer) {
  Application app;
  frmLayout form;
  form.Load();
  EXPECT_THAT(testing::LayoutFaults(form), IsEmpty());

  // A box one pixel taller than its line, a button 3 pixels past the bottom, a check box
  // past its frame's right edge.
  form.txtFirst.SetHeight(315);
  form.btnOK.SetTop(1670);
  form.chkInFrame.SetWidth(1400);
  EXPECT_THAT(testing::LayoutFaults(form),
              ElementsAre("chkInFrame reaches past fraBox", "btnOK reaches past frmLayout",
                          "txtFirst overlaps txtSecond"));

  // Hidden controls, and controls in a hidden frame, show nothing.
  form.txtSecond.SetVisible(false);
  form.btnOK.SetVisible(false);
  form.fraBox.SetVisible(false);
  EXPECT_THAT(testing::LayoutFaults(form), IsEmpty());
}

}  // namespace
}  // namespace forms
