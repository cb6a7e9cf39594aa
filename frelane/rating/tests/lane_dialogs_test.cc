// The lane's dialogs through the headless driver: the single-shipment question, City
// Look-Up and the intrastate tariff chooser.
#include <filesystem>
#include <string>
#include <utility>

#include "frelane/rating/frm_intrastate_tariffs.h"
#include "frelane/rating/frm_singleshipment.h"
#include "frelane/rating/frm_zip_lu.h"
#include "frelane/rating/picked_point.h"
#include "frelane/rating/tests/lane_test_support.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

using LaneDialogsTest = testing::LaneTest;

TEST_F(LaneDialogsTest, SingleShipmentAnswer) {
  auto& form = app_.Get<frmSingleshipment>();
  auto answer = [] {
    return std::as_const(modTolvDeclares32::ShipmentRecord())
        .header()
        .Raw(tolv::shipment_header::kSingleShipment);
  };
  // One key answers and closes.
  form.Show();
  EXPECT_FALSE(form.optSSYes.Value());
  user_.Type("y");
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(answer(), "Y");
  // The close box is No, and each showing starts at No.
  form.Show();
  EXPECT_TRUE(form.optSSNo.Value());
  user_.Click(form.optSSYes);
  user_.CloseForm(form);
  EXPECT_EQ(answer(), "Y");
  form.Show();
  user_.CloseForm(form);
  EXPECT_EQ(answer(), "N");
  form.Show();
  user_.Click(form.optSSYes);
  user_.PressEnter();
  EXPECT_EQ(answer(), "Y");
}

class CityLookUpTest : public testing::LaneTest {
 protected:
  void SetUp() override {
    LaneTest::SetUp();
    testkit::CityFiles files = testkit::CityFilesOf({{"Albany", "GA", "31701"},
                                                     {"Spring Hill", "TN", "37174"},
                                                     {"Springfield", "IL", "62701"},
                                                     {"Springfield", "IL", "62703"},
                                                     {"Sparta", "WI", "54656"},
                                                     {"Washington, Court House", "OH", "43160"},
                                                     {"Ottawa", "ON", "K1A0B1"}});
    dir_.Write("cityzip.dat", files.cityzip);
  }
  frmZipLU& Search(const std::string& prefix) {
    frmZipLU& form = app_.Get<frmZipLU>();
    if (!form.IsVisible()) form.Show();
    user_.TypeInto(form.txtCity, prefix);
    user_.Tab();
    return form;
  }
};

TEST_F(CityLookUpTest, ListsEveryCityBeginningWithTheLetters) {
  modMain::PickedZip() = "99999 ";
  frmZipLU& form = Search("sp");
  EXPECT_EQ(modMain::PickedZip(), "");  // cleared when the dialog loads
  ASSERT_EQ(form.lstCity.ListCount(), 4);
  EXPECT_EQ(form.lstCity.List(0), "Sparta, WI - 54656");
  EXPECT_EQ(form.lstCity.List(3), "Springfield, IL - 62703");
  EXPECT_EQ(form.lstZip.List(3), "62703");

  Search("Springfield");
  EXPECT_EQ(form.lstCity.ListCount(), 2);
  for (const char* outside : {"AA", "ZZ", "Springfields"}) {
    Search(outside);
    EXPECT_EQ(form.lstCity.ListCount(), 0) << outside;
  }
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "You must enter at least one character");
  Search("  ");
  EXPECT_TRUE(form.txtCity.HasFocus());
}

TEST_F(CityLookUpTest, PickLeavesTheCodeAndTheCityBeforeItsComma) {
  frmZipLU& form = Search("wash");
  user_.Pick(form.lstCity, 0);
  user_.DblClick(form.lstCity);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(modMain::PickedZip(), "43160 ");
  EXPECT_EQ(modMain::PickedCity(), "Washington");

  Search("ott");
  user_.Pick(form.lstCity, 0);
  user_.PressEnter();
  EXPECT_EQ(modMain::PickedZip(), "K1A0B1");
  EXPECT_EQ(modMain::PickedCity(), "Ottawa");
}

// Escape closes the look-up from either control with nothing picked, also when an empty
// search has sent the focus back to the text box (the window may have no close box).
TEST_F(CityLookUpTest, EscapeClosesWithNothingPicked) {
  frmZipLU& form = Search("sp");
  user_.Pick(form.lstCity, 0);
  user_.PressEscape();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(modMain::PickedZip(), "");

  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "You must enter at least one character");
  Search("");
  ASSERT_TRUE(form.txtCity.HasFocus());
  user_.PressEscape();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(modMain::PickedCity(), "");
}

TEST_F(CityLookUpTest, EmptyOrMissingCityFileFindsNothing) {
  dir_.Write("cityzip.dat", std::string());
  EXPECT_EQ(Search("sp").lstCity.ListCount(), 0);
  std::filesystem::remove(dir_.File("cityzip.dat"));
  EXPECT_EQ(Search("sp").lstCity.ListCount(), 0);
}

class IntrastateChooserTest : public testing::LaneTest {};

TEST_F(IntrastateChooserTest, TickedRowsBecomeTheRunsList) {
  dir_.Write("tariffs.dat", testkit::TariffListFile({{"US", "USBASE01"},
                                                     {"GA", "GEORGIA1", true, "Georgia Rates"},
                                                     {"TX", "TEXAS001", true, ""},
                                                     {"ON", "ONTARIO1", true, "Ontario"}}));
  modMain::Lane().IntrastateList[5] = "CA";
  auto& form = app_.Get<frmIntrastateTariffs>();
  user_.WhenShown("frmIntrastateTariffs", [&] {
    EXPECT_EQ(form.chkIntrastateTariff(1).Caption(), "Use Georgia Rates?");
    EXPECT_EQ(form.chkIntrastateTariff(2).Caption(), "Use ?");
    EXPECT_TRUE(form.chkIntrastateTariff(3).Visible());
    EXPECT_FALSE(form.chkIntrastateTariff(4).Visible());
    EXPECT_EQ(form.btnOK.Top(), 420 + 2 * 240 + 480);
    EXPECT_EQ(form.Height(), form.btnOK.Top() + 885);
    user_.Click(form.chkIntrastateTariff(1));
    user_.Click(form.chkIntrastateTariff(3));
    user_.Click(form.btnOK);
  });
  form.ShowModal();
  const auto& list = modMain::Lane().IntrastateList;
  EXPECT_EQ(list[0], "GA");
  EXPECT_EQ(list[1], "  ");
  EXPECT_EQ(list[2], "ON");
  EXPECT_EQ(list[5], "  ");

  // Closed without OK: the list stays; shown again, nothing is ticked.
  user_.WhenShown("frmIntrastateTariffs", [&] {
    EXPECT_EQ(form.chkIntrastateTariff(1).Value(), 0);
    user_.CloseForm(form);
  });
  form.ShowModal();
  EXPECT_EQ(list[0], "GA");
}

TEST_F(IntrastateChooserTest, WithoutFlaggedTariffsItVanishes) {
  dir_.Write("tariffs.dat", testkit::TariffListFile({{"US", "USBASE01"}, {"GA", "GEORGIA1"}}));
  modMain::Lane().IntrastateList[0] = "GA";
  auto& form = app_.Get<frmIntrastateTariffs>();
  form.ShowModal();
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(modMain::Lane().IntrastateList[0], "GA");
}

}  // namespace
}  // namespace frelane
