// The rate sheet's discount sets: the dialog that edits them in memory, and the discount
// block each rated lane gets from the set (or zip-range discount) that applies.
#include <gtest/gtest.h>

#include "frelane/core/frm_zip_discounts.h"
#include "frelane/ratesheet/discount_block.h"
#include "frelane/ratesheet/frm_rate_sheet.h"
#include "frelane/ratesheet/frm_rate_sheet_discounts.h"
#include "frelane/ratesheet/tests/sheet_test_support.h"
#include "frelane/rating/lane_state.h"

namespace frelane::ratesheet {
namespace {

namespace h = tolv::shipment_header;

class DiscountDialogTest : public testing::SheetTest {
 protected:
  frmRateSheetDiscounts& Opened() {
    frmRateSheetDiscounts& dialog = app_.Get<frmRateSheetDiscounts>();
    dialog.Show();
    return dialog;
  }
};

TEST_F(DiscountDialogTest, LoadsTheSetsAsTwoDecimalTexts) {
  SetSetValue(DiscountSet::kInterstate, 2, 40);
  SetSetValue(DiscountSet::kCanada, 4, 75.5);
  frmRateSheetDiscounts& dialog = Opened();
  EXPECT_EQ(dialog.txtDiscount(2).Text(), "40.00");
  EXPECT_EQ(dialog.txtDiscountCanada(4).Text(), "75.50");
  EXPECT_EQ(dialog.txtDiscountIntra(1).Text(), "0.00");
  EXPECT_EQ(dialog.Caption(), "Discounts");
}

TEST_F(DiscountDialogTest, FrameLayoutFollowsTheEnabledSets) {
  struct Case {
    bool intra, canada;
    const char* caption;
    int width, interstate_left, canada_left;
  } cases[] = {
      {true, true, "Interstate", frmRateSheetDiscounts::kDesignWidth, 120, 4320},
      {true, false, "", 4455, 120, 4320},
      {false, true, "US", 4455, 120, 2220},
      {false, false, "", 4455, 1200, 4320},
  };
  for (const Case& c : cases) {
    modMain::Settings().SetOn(settings::kIntrastateDiscountsEnabled, c.intra);
    modMain::Settings().SetOn(settings::kCanadaDiscountsEnabled, c.canada);
    frmRateSheetDiscounts& dialog = Opened();
    EXPECT_EQ(dialog.fraDiscounts.Caption(), c.caption);
    EXPECT_EQ(dialog.Width(), c.width) << c.caption;
    EXPECT_EQ(dialog.fraDiscounts.Left(), c.interstate_left);
    EXPECT_EQ(dialog.fraDiscountsCanada.Left(), c.canada_left);
    EXPECT_EQ(dialog.fraDiscountsIntra.Visible(), c.intra);
    EXPECT_EQ(dialog.fraDiscountsCanada.Visible(), c.canada);
    if (c.intra && c.canada) {
      EXPECT_EQ(dialog.btnSave.Left(), 2040);
      EXPECT_EQ(dialog.btnIgnore.Left(), 3420);
    }
    dialog.Unload();
  }
}

TEST_F(DiscountDialogTest, HiddenRowsAndWhatSaveKeepsOfThem) {
  SettingsRecord& s = modMain::Settings();
  s.SetText(settings::kCompanyName, "vornhalt Lines");
  s.SetOn(settings::kTlDiscountHidden, true);
  SetSetValue(DiscountSet::kInterstate, 1, 5);
  SetSetValue(DiscountSet::kInterstate, 3, 20);
  SetSetValue(DiscountSet::kInterstate, 4, 60);
  frmRateSheetDiscounts& dialog = Opened();
  EXPECT_FALSE(dialog.txtDiscount(1).Visible());
  EXPECT_FALSE(dialog.lblDiscountCanada(1).Visible());
  EXPECT_FALSE(dialog.txtDiscountIntra(3).Visible());
  EXPECT_EQ(dialog.txtDiscount(3).Text(), "");
  EXPECT_FALSE(dialog.txtDiscount(4).Visible());  // MC floor not shown by the settings
  user_.TypeInto(dialog.txtDiscount(2), "12.5");
  user_.Click(dialog.btnSave);
  EXPECT_FALSE(dialog.IsLoaded());
  EXPECT_EQ(SetValue(DiscountSet::kInterstate, 1), 5);   // hidden MC box keeps its value
  EXPECT_EQ(SetValue(DiscountSet::kInterstate, 2), 12.5);
  EXPECT_EQ(SetValue(DiscountSet::kInterstate, 3), 0);   // hidden TL box stores 0
  EXPECT_EQ(SetValue(DiscountSet::kInterstate, 4), 60);
}

TEST_F(DiscountDialogTest, KeysAreFilteredAndAStrayPointSavesZero) {
  modMain::Settings().SetOn(settings::kIntrastateDiscountsEnabled, true);
  frmRateSheetDiscounts& dialog = Opened();
  user_.TypeInto(dialog.txtDiscountIntra(2), "4x5.256");
  EXPECT_EQ(dialog.txtDiscountIntra(2).Text(), "45.25");
  dialog.txtDiscount(2).SetText(".");
  dialog.txtDiscount(3).SetText("");
  user_.Click(dialog.btnSave);
  EXPECT_EQ(SetValue(DiscountSet::kInterstate, 2), 0);
  EXPECT_EQ(SetValue(DiscountSet::kIntrastate, 2), 45.25);
}

TEST_F(DiscountDialogTest, IgnoreKeepsTheSetsAndSaveSetsTheZipSwitch) {
  modMain::Settings().SetOn(settings::kZipDiscountsOffered, true);
  frmRateSheetDiscounts& dialog = Opened();
  EXPECT_TRUE(dialog.fraZipDiscounts.Visible());
  EXPECT_EQ(dialog.fraZipDiscounts.Left(),
            (dialog.ScaleWidth() - dialog.fraZipDiscounts.Width()) / 2);
  user_.TypeInto(dialog.txtDiscount(2), "30");
  user_.Click(dialog.chkUseZipDiscounts);
  user_.PressEscape();  // as Ignore
  EXPECT_EQ(SetValue(DiscountSet::kInterstate, 2), 0);
  EXPECT_FALSE(UseZipDiscounts());

  Opened();
  user_.Click(dialog.chkUseZipDiscounts);
  user_.Click(dialog.btnSave);
  EXPECT_TRUE(UseZipDiscounts());

  // Not offered: the frame is hidden and Save turns the switch off.
  modMain::Settings().SetOn(settings::kZipDiscountsOffered, false);
  Opened();
  EXPECT_FALSE(dialog.fraZipDiscounts.Visible());
  user_.Click(dialog.btnSave);
  EXPECT_FALSE(UseZipDiscounts());
}

TEST_F(DiscountDialogTest, SetOpensTheZipRangeDiscountEditor) {
  modMain::Settings().SetOn(settings::kZipDiscountsOffered, true);
  frmRateSheetDiscounts& dialog = Opened();
  bool shown = false;
  user_.WhenShown("frmZipDiscounts", [&] {
    shown = true;
    app_.Get<frmZipDiscounts>().Unload();
  });
  user_.Click(dialog.btnZipDiscounts);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(dialog.IsLoaded());
}

TEST(DiscountValueTest, TextForms) {
  EXPECT_EQ(FourDigitValue(5), "0500 ");
  EXPECT_EQ(FourDigitValue(12.5), "1250 ");
  EXPECT_EQ(FourDigitValue(0), "0000 ");
  EXPECT_EQ(BlankLedValue(5), " 0500");
  EXPECT_EQ(BlankLedValue(0), " 0000");
  EXPECT_EQ(BlankLedValue(99.99), "9999 ");  // never the engine's "no value" marker
  EXPECT_EQ(BlankLedValue(100), "10000");    // not cut to 10 %
  EXPECT_EQ(GeneralNumberValue(5), " 500 ");
  EXPECT_EQ(GeneralNumberValue(12.5), " 1250");
  EXPECT_EQ(GeneralNumberValue(12.345), " 1234");
  EXPECT_EQ(GeneralNumberValue(0.29), " 29  ");
  EXPECT_EQ(GeneralNumberValue(99.99), "9999 ");
  EXPECT_EQ(GeneralNumberValue(99.994), "9999 ");  // cut to the field, still not the marker
}

class ApplyDiscountsTest : public testing::SheetTest {
 protected:
  void SetUp() override {
    SheetTest::SetUp();
    SetSetValue(DiscountSet::kInterstate, 1, 12.5);
    SetSetValue(DiscountSet::kInterstate, 2, 40);
    SetSetValue(DiscountSet::kInterstate, 3, 20);
    SetSetValue(DiscountSet::kInterstate, 4, 75);
    SetSetValue(DiscountSet::kIntrastate, 2, 45);
    SetSetValue(DiscountSet::kCanada, 2, 50);
    Lane("30301", "GA", "303", "GA");
  }
  void Lane(const char* origin, const char* origin_state, const char* destination,
            const char* destination_state) {
    os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
    header.SetText(h::kOriginZip, origin);
    header.SetText(h::kDestinationZip, destination);
    modMain::Lane().OriginState = origin_state;
    modMain::Lane().DestinationState = destination_state;
  }
  // Values 1 to 10 of the block.
  std::string Value(int i) {
    return modTolvDeclares32::ShipmentRecord().discount_a().Raw(
        tolv::discount_block::kValue.Nth(i - 1));
  }
  void FoundRecord(double mc, double ltl, double tl, double floor) {
    os::RecordView zip{std::span<std::uint8_t>(modMain::Lane().FoundZipDiscount)};
    zip.SetF64(zipdisc::kMcDiscount, mc);
    zip.SetF64(zipdisc::kLtlDiscount, ltl);
    zip.SetF64(zipdisc::kTlDiscount, tl);
    zip.SetF64(zipdisc::kMcFloor, floor);
    Lookups().FindZipDiscount = [] { return true; };
  }
};

TEST_F(ApplyDiscountsTest, TheSetByTheLanesKind) {
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kInterstate);  // intrastate set not enabled
  EXPECT_EQ(Value(1), "1250 ");
  EXPECT_EQ(Value(2), " 4000");
  EXPECT_EQ(Value(7), " 4000");
  EXPECT_EQ(Value(8), " 2000");
  EXPECT_EQ(Value(10), " 2000");
  EXPECT_EQ(modMain::Lane().LaneMcFloor.ToDouble(), 75);

  modMain::Settings().SetOn(settings::kIntrastateDiscountsEnabled, true);
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kIntrastate);
  EXPECT_EQ(Value(2), " 4500");
  EXPECT_EQ(modMain::Lane().LaneMcFloor.ToDouble(), 0);

  Lane("K1A0B1", "ON", "303", "GA");
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kInterstate);  // Canada set not enabled
  modMain::Settings().SetOn(settings::kCanadaDiscountsEnabled, true);
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kCanada);
  EXPECT_EQ(Value(2), " 5000");
}

TEST_F(ApplyDiscountsTest, AZipRangeDiscountNeedsBothSwitches) {
  FoundRecord(5, 30, 10, 60);
  modMain::Settings().SetOn(settings::kZipDiscountsOffered, true);
  modTolvDeclares32::ShipmentRecord().header().SetText(h::kDiscountSwitch, "Y");
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kInterstate);  // UseZipDiscounts off
  UseZipDiscounts() = true;
  modTolvDeclares32::ShipmentRecord().header().SetText(h::kDiscountSwitch, "N");
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kZipRange);
  EXPECT_EQ(modTolvDeclares32::ShipmentRecord().header().Text(h::kDiscountSwitch), "Y");
  EXPECT_EQ(Value(1), " 500 ");
  EXPECT_EQ(Value(2), " 3000");
  EXPECT_EQ(Value(9), " 1000");
  EXPECT_EQ(modMain::Lane().LaneMcFloor.ToDouble(), 60);
  modMain::Settings().SetOn(settings::kZipDiscountsOffered, false);
  EXPECT_EQ(ApplyDiscounts(), DiscountSource::kInterstate);
}

TEST_F(ApplyDiscountsTest, TlHiddenAndTheMcRuleOfOneCustomerOverrideEverySource) {
  FoundRecord(5, 30, 10, 60);
  UseZipDiscounts() = true;
  modMain::Settings().SetOn(settings::kZipDiscountsOffered, true);
  modMain::Settings().SetOn(settings::kTlDiscountHidden, true);
  modMain::Settings().SetText(settings::kCompanyName, "Vornhalt Lines");
  ApplyDiscounts();
  EXPECT_EQ(Value(1), "0000 ");
  EXPECT_EQ(Value(2), " 3000");
  EXPECT_EQ(Value(8), " 0000");
  EXPECT_EQ(Value(10), " 0000");
}

}  // namespace
}  // namespace frelane::ratesheet
