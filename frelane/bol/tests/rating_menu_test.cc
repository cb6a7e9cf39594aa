// File > Bill of Lading of the rating screen opens the editor modal and the screen goes on
// as it was when the editor closes.
#include <memory>

#include "frelane/bol/frm_bol.h"
#include "frelane/bol/tests/bol_test_support.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "testkit/app/fake_engine.h"

namespace frelane::testing {
namespace {

using RatingMenuTest = BolTest;

TEST_F(RatingMenuTest, BillOfLadingOpensTheEditorModal) {
  modTolvDeclares32::Reset();
  modTolvDeclares32::InstallEngine(std::make_unique<testkit::FakeEngine>());
  modMain::Settings().SetOn(settings::kBillOfLadingShown, true);
  dir_.Write("Shipper.dat", std::string_view());
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.Show();
  ASSERT_TRUE(screen.mnuFileBillofLading.Visible());
  bool shown = false;
  user_.WhenShown("frmBOL", [&] {
    frmBOL& editor = app_.Get<frmBOL>();
    shown = editor.IsModal();
    EXPECT_EQ(editor.Caption(), "Example Freight - Bill of Lading");
    user_.MenuClick(editor.mnuExit);
  });
  user_.MenuClick(screen.mnuFileBillofLading);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(app_.Get<frmBOL>().IsLoaded());
  EXPECT_TRUE(screen.IsVisible());
  modTolvDeclares32::Reset();
}

}  // namespace
}  // namespace frelane::testing
