// The mouse rules through the headless driver: the cases every host must show alike, then
// the releases no host can easily produce (over another control, after the form went away),
// and where a centred form is placed on its screen.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/placement.h"
#include "platform/forms/testing/headless_driver.h"
#include "platform/forms/testing/pointer_conformance.h"

namespace forms {
namespace {

using testing::frmPointer;
using testing::HeadlessDriver;
using testing::PointerCase;

class HeadlessPlayer : public testing::PointerPlayer {
 public:
  explicit HeadlessPlayer(HeadlessDriver& user) : user_(user) {}
  void Press(Control& c, int button, int x, int y) override { user_.MousePress(c, x, y, button); }
  void Release(Control& c, int button, int x, int y) override {
    user_.MouseRelease(c, x, y, button);
  }
  void DoublePress(Control& c, int x, int y) override { user_.MouseDoublePress(c, x, y); }
  void Tap(Control& c, int x, int y) override { user_.Tap(c, x, y); }

 private:
  HeadlessDriver& user_;
};

class PointerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    form.log.clear();
  }
  Application app;
  HeadlessDriver user{app};
  frmPointer& form = app.Get<frmPointer>();
};

class PointerConformanceTest : public PointerTest,
                               public ::testing::WithParamInterface<PointerCase> {};

TEST_P(PointerConformanceTest, TheModelDecidesEveryEvent) {
  HeadlessPlayer player(user);
  GetParam().play(form, player);
  EXPECT_EQ(form.log, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PointerConformanceTest,
                         ::testing::ValuesIn(testing::PointerCases()),
                         [](const auto& info) { return testing::PointerCaseName(info.param); });

TEST_F(PointerTest, AReleaseOverAnotherControlBelongsToThePressedOneInItsTwips) {
  user.MousePress(form.btnGo, 150, 75);
  form.log.clear();
  // btnFree sits 450 twips below btnGo: its (30, 30) is btnGo's (30, 480), below the button.
  EXPECT_TRUE(user.MouseRelease(form.btnFree, 30, 30));
  EXPECT_EQ(form.log, std::vector<std::string>{"btnGo.MouseUp 1 0 30 480 [btnGo]"});
  // The press is spent: a second release belongs to nothing.
  EXPECT_FALSE(user.MouseRelease(form.btnGo, 30, 30));
  EXPECT_FALSE(user.MouseRelease(form.btnGo, 30, 30, kRightButton));
  EXPECT_EQ(form.log.size(), 1u);
}

TEST_F(PointerTest, AReleaseAfterThePressedFormStoppedTakingInputIsIgnored) {
  // A dialog opened by the press is up when the button comes up.
  class frmDialog : public Form {
   public:
    frmDialog() : Form("frmDialog") {}
    CommandButton& btnOK = Add<CommandButton>("btnOK", {0, 0, 900, 375}, {});
  };
  auto& dialog = app.Get<frmDialog>();
  form.btnGo.on.MouseDown = [&](int, int, int, int) { dialog.ShowModal(); };
  user.WhenShown("frmDialog", [&] {
    EXPECT_FALSE(user.MouseRelease(form.btnGo, 150, 75));
    dialog.Hide();
  });
  form.btnGo.on.Click = [&] { form.Mark("clicked"); };
  user.MousePress(form.btnGo, 150, 75);
  EXPECT_FALSE(user.MouseRelease(form.btnGo, 150, 75));

  // A press whose handler unloads the form leaves nothing to release.
  form.btnGo.on.MouseDown = [&](int, int, int, int) { form.Unload(); };
  form.Show();
  form.log.clear();
  user.MousePress(form.btnGo, 150, 75);
  EXPECT_FALSE(user.MouseRelease(form.btnGo, 150, 75));
  EXPECT_TRUE(form.log.empty());
}

TEST_F(PointerTest, AnErrorInAPressHandlerIsReportedOnceAndTheGestureGoesOn) {
  form.btnGo.on.MouseDown = [](int, int, int, int) {
    runtime::Raise(runtime::kErrInvalidPropertyValue);
  };
  user.ExpectMsgBox(MsgBoxResult::kOK, "Run-time error '380'");
  EXPECT_TRUE(user.Click(form.btnGo, 150, 75));
  EXPECT_EQ(form.log.back(), "btnGo.Click [btnGo]");
}

TEST(PlacementTest, ACentredWindowStaysOnTheAreaItOpensIn) {
  // A work area right of a 1024-pixel screen, below a 30-pixel panel.
  const Rect area{15360, 450, 9600, 7200};
  const Rect placed = CentredIn(area, 6000, 4800);
  EXPECT_EQ(placed.left, 15360 + 1800);
  EXPECT_EQ(placed.top, 450 + 1200);
  EXPECT_EQ(placed.width, 6000);
  // Larger than the area: the title bar and the left edge stay on it.
  const Rect big = CentredIn(area, 12000, 9000);
  EXPECT_EQ(big.left, area.left);
  EXPECT_EQ(big.top, area.top);
  EXPECT_EQ(CentredIn(area, 12000, 3000).top, 450 + 2100);
}

TEST(PlacementTest, ACentredFormIsPlacedOnTheHostsScreenOnceALoad) {
  class SmallScreenHost : public Host {
   public:
    std::optional<Rect> ScreenWorkArea(const Form&) override { return area; }
    void RunModal(Form& form) override { form.Hide(); }
    Rect area{0, 420, 12000, 8580};  // 800 x 600 pixels less a panel on top
  };
  class frmCentred : public Form {
   public:
    frmCentred() : Form("frmCentred", {.width = 9480, .height = 7000, .center = true}) {}
  };
  Application app;
  SmallScreenHost host;
  app.SetHost(&host);
  app.SetScreenSize(1920 * 15, 1080 * 15);  // the host's answer wins
  auto& form = app.Get<frmCentred>();
  form.Show();
  EXPECT_EQ(form.Left(), (12000 - 9480) / 2);
  EXPECT_EQ(form.Top(), 420 + (8580 - 7000) / 2);
  // Moved by code and shown again, it stays where the code put it.
  form.Hide();
  form.Move(100, 200, 9480, 7000);
  form.Show();
  EXPECT_EQ(form.Left(), 100);
  // Unloaded, it is back at its design place and centred again when next shown.
  form.Unload();
  form.Show();
  EXPECT_EQ(form.Left(), (12000 - 9480) / 2);
  app.SetHost(nullptr);
}

}  // namespace
}  // namespace forms
