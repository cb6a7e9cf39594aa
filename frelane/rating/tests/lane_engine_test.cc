// The rating screen on the sample data set through the real engine library, typed as a
// user types: the lane's rate basis, service days, miles, tariff and discounts as the
// engine and the sample's files give them.
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/tests/lane_test_support.h"
#include "frelane/rating/tests/sample_program.h"

namespace frelane {
namespace {

namespace header = tolv::shipment_header;

class LaneEngineTest : public testing::LaneTest {
 protected:
  static constexpr int kRatedLanes = 4;

  void SetUp() override {
    LaneTest::SetUp();
    dir_.CopyFilesOf(FRELANE_SAMPLE_DIR);
    ASSERT_EQ(testing::StartProgramIn(dir_, dir_.path()), "");
    // The sample offers accessorial charges after each rated lane; none is ticked here.
    for (int lane = 0; lane < kRatedLanes; ++lane) {
      user_.WhenShown("frmAccessorialCharges", [this] {
        user_.Click(app_.Get<frmAccessorialCharges>().btnOK);
      });
    }
  }
  void TearDown() override {
    modTolvDeclares32::Tolv_EndTolv();
    LaneTest::TearDown();
  }

  frmRatingScreen& Screen() {
    frmRatingScreen& screen = app_.Get<frmRatingScreen>();
    if (!screen.IsVisible()) screen.Show();
    return screen;
  }
  // The origin and destination typed key by key, each left with Tab.
  void TypeLane(const std::string& origin, const std::string& destination) {
    frmRatingScreen& screen = Screen();
    user_.Focus(screen.txtOrigin);
    for (char c : origin) user_.Type(std::string(1, c));
    user_.Tab();
    for (char c : destination) user_.Type(std::string(1, c));
    user_.Tab();
  }
  std::string Header(const os::Field& field) const { return modMain::Trim(HeaderRaw(field)); }
};

TEST_F(LaneEngineTest, SampleLanesRateOnTheScreen) {
  frmRatingScreen& screen = Screen();
  // Atlanta to Chicago: the general tariff, the contract discount of ZipDisc.dat.
  TypeLane("30301", "60601");
  EXPECT_EQ(Header(header::kStatus), "");
  EXPECT_EQ(Header(header::kTariffName), "NORTHW01");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 1203");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "2 Day(s)");
  EXPECT_EQ(screen.lblServiceType.Caption(), "");
  EXPECT_TRUE(screen.lblMiles.Visible());
  EXPECT_EQ(screen.lblMiles.Caption(), "Miles = 716");
  EXPECT_EQ(screen.lblOriginState.Caption() + screen.lblDestinationState.Caption(), "GAIL");
  EXPECT_EQ(screen.lblOriginCity.Caption(), "Atlanta");
  EXPECT_EQ(screen.lblDestinationCity.Caption(), "Chicago");
  EXPECT_EQ(std::as_const(modTolvDeclares32::ShipmentRecord())
                .discount_a()
                .Raw(tolv::discount_block::kValue.Run(2)),
            "1250 6200 ");
  EXPECT_DOUBLE_EQ(modMain::Lane().LaneMcFloor.ToDouble(), 95);
  EXPECT_TRUE(screen.cboClass(1).HasFocus());

  // Atlanta to Ottawa, a widened Canadian code: the cross-border tariff, 2 to 3 days.
  TypeLane("30301", "K1A");
  EXPECT_EQ(Header(header::kDestinationZip), "K1A0A");
  EXPECT_EQ(Header(header::kTariffName), "QFLC0001");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 3012");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "2-3 Day(s)");
  EXPECT_EQ(screen.lblMiles.Caption(), "Miles = 1130");

  // Within Georgia the carrier offers its intrastate rates.
  user_.ExpectMsgBox(forms::MsgBoxResult::kYes, "Use Georgia Intrastate Rates?");
  TypeLane("30301", "31701");
  EXPECT_EQ(Header(header::kIntrastateFlag), "Y");
  EXPECT_EQ(screen.lblIntrastateTariff.Caption(), "Georgia Intrastate Rates");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 1202");
  EXPECT_EQ(screen.lblServiceDays.Caption(), "1 Day(s)");
  EXPECT_EQ(screen.lblMiles.Caption(), "Miles = 182");

  // New York to Chicago moves on the zone tariff that taripntr.dat names.
  TypeLane("10001", "60601");
  EXPECT_EQ(Header(header::kTariffName), "ZIPRNG01");
  EXPECT_EQ(Header(header::kStatus), "");
  EXPECT_EQ(screen.lblRBN.Caption(), "RBN = 7013C");
  EXPECT_EQ(screen.lblMiles.Caption(), "Miles = 790");

  // Alaska is not served.
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Invalid Zip Code Combination");
  TypeLane("30301", "99501");
  EXPECT_TRUE(screen.txtOrigin.HasFocus());
  EXPECT_EQ(screen.lblRBN.Caption(), "");
}

}  // namespace
}  // namespace frelane
