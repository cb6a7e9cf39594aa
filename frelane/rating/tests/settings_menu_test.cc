// The rating screen's Edit > Defaults and Help > About: the dialogs open modal, and after a
// saved Defaults dialog the screen shows itself by the new settings and rates with the new
// adjustment factor.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "frelane/core/frm_about.h"
#include "frelane/core/frm_defaults.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/fake_engine.h"
#include "testkit/app/settings_file_writer.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

class SettingsMenuTest : public ::testing::Test {
 protected:
  SettingsMenuTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modTolvDeclares32::InstallEngine(std::make_unique<testkit::FakeEngine>());
    modMain::Get().data_directory = dir_.path();
    testkit::SettingsFileWriter writer;
    writer.CompanyName("Example Freight").DiscountCount(3).DiscountsFixed(false);
    writer.Switch(549, true).Switch(1154, false);
    dir_.Write("variable.dat", writer.Bytes());
    std::string error;
    ASSERT_TRUE(modMain::LoadSettings(&error)) << error;
  }
  void TearDown() override {
    modTolvDeclares32::Reset();
    modMain::Reset();
  }

  std::string AdjustmentText() {
    return std::as_const(modTolvDeclares32::ShipmentRecord())
        .header()
        .Raw(tolv::shipment_header::kAdjustmentFactor);
  }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

TEST_F(SettingsMenuTest, SavedDefaultsReconfigureTheScreen) {
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.Show();
  ASSERT_EQ(screen.fraDiscount.Caption(), "Discounts");
  ASSERT_TRUE(screen.txtDiscount(1).Visible());

  user_.WhenShown("frmDefaults", [&] {
    frmDefaults& d = app_.Get<frmDefaults>();
    user_.Click(d.optOne);
    user_.TypeInto(d.txtRateAdjustmentFactor, "1.13");
    user_.Click(d.btnSave);
  });
  user_.MenuClick(screen.mnuEditDefaults);
  EXPECT_EQ(screen.fraDiscount.Caption(), "Discount");
  EXPECT_EQ(screen.lblLTL.Caption(), "ALL");
  EXPECT_FALSE(screen.txtDiscount(1).Visible());
  EXPECT_TRUE(screen.txtDiscount(4).Visible());
  EXPECT_EQ(AdjustmentText(), "11300");

  // Ignore leaves the screen as it was.
  user_.WhenShown("frmDefaults", [&] {
    frmDefaults& d = app_.Get<frmDefaults>();
    user_.Click(d.optThree);
    user_.Click(d.btnIgnore);
  });
  user_.MenuClick(screen.mnuEditDefaults);
  EXPECT_EQ(screen.fraDiscount.Caption(), "Discount");
  EXPECT_EQ(modMain::Settings().I16(settings::kDiscountCount), 1);
}

TEST_F(SettingsMenuTest, HelpAboutOpensTheAboutBox) {
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.Show();
  bool shown = false;
  user_.WhenShown("frmAbout", [&] {
    shown = true;
    EXPECT_EQ(app_.Get<frmAbout>().Caption(), "About  - Example Freight");
    user_.Click(app_.Get<frmAbout>().btnClose);
  });
  user_.MenuClick(screen.mnuHelpAbout);
  EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace frelane
