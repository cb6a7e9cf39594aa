// The lane's discount part of the ShipmentRecord from each source (zip-specific, the
// intrastate, Canada and US sets, the prompted boxes) with the ten values written exactly
// as the engine reads them, and the ZipDisc.dat search.
#include "frelane/rating/lane_discounts.h"

#include <filesystem>
#include <string>
#include <vector>

#include "frelane/rating/tests/lane_test_support.h"
#include "platform/forms/form.h"
#include "platform/runtime/locale.h"
#include "testkit/rating/lane_lookup_files.h"

namespace frelane {
namespace {

namespace header = tolv::shipment_header;
using modMain::FourDigitDiscount;
using modMain::PlainDiscount;

class LaneDiscountsTest : public testing::LaneTest {
 protected:
  void SetUp() override {
    LaneTest::SetUp();
    SettingsRecord& s = modMain::Settings();
    s.SetText(settings::kCompanyName, "Example Freight");
    s.SetI16(settings::kDiscountCount, 3);
    s.SetOn(settings::kDiscountsFixed, true);
    SetSet(settings::kUsDiscounts, {10, 25, 30, 75});
    SetSet(settings::kIntrastateDiscounts, {1, 2, 3, 4});
    SetSet(settings::kCanadaDiscounts, {5, 20, 22, 50});
    s.SetOn(settings::kCanadaDiscountsEnabled, true);
    s.SetOn(settings::kZipDiscountsOffered, true);
    s.SetOn(settings::kZipDiscountsUsed, true);
    SetLane("30301", "90210", "GA", "CA");
  }
  static void SetSet(const os::Field& field, std::vector<double> v) {
    for (int i = 1; i <= 4; ++i) modMain::Settings().SetF64(field, v[static_cast<std::size_t>(i - 1)], i);
  }
  // The ten values as one string, then the switch and the kind.
  static std::string Values() {
    return std::as_const(modTolvDeclares32::ShipmentRecord()).discount_a().Raw(
        tolv::discount_block::kValue.Run(10));
  }
  static std::string Repeat(const std::string& value, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += value;
    return out;
  }
  std::string SwitchAndKind() const {
    return HeaderRaw(header::kDiscountSwitch) + HeaderRaw(header::kDiscountKind);
  }
  void WriteTable(const std::vector<testkit::ZipDiscount>& records) {
    dir_.Write("zipdisc.dat", testkit::ZipDiscountFile(records));
  }
  static double Floor() { return modMain::Lane().LaneMcFloor.ToDouble(); }
};

TEST_F(LaneDiscountsTest, ValueTextsAsTheEngineReadsThem) {
  EXPECT_EQ(FourDigitDiscount(25), "2500 ");
  EXPECT_EQ(FourDigitDiscount(7.5), "0750 ");
  EXPECT_EQ(FourDigitDiscount(12.345), "1235 ");  // half away from zero
  EXPECT_EQ(FourDigitDiscount(0), "0000 ");
  EXPECT_EQ(PlainDiscount(7.5), "750  ");
  EXPECT_EQ(PlainDiscount(12.345), "1234.");
  EXPECT_EQ(PlainDiscount(30), "3000 ");
  // Through a double: 0.57 x 100 is 56.99999999999999, written as 57.
  EXPECT_EQ(PlainDiscount(0.57), "57   ");
  EXPECT_EQ(PlainDiscount(1.15), "115  ");
  // A decimal-comma locale changes nothing the engine reads.
  runtime::ScopedLocale comma({',', '.'});
  EXPECT_EQ(PlainDiscount(12.345), "1234.");
  EXPECT_EQ(FourDigitDiscount(7.5), "0750 ");
}

TEST_F(LaneDiscountsTest, SettingsSetsByKindOfLane) {
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), "1000 " + Repeat("2500 ", 6) + Repeat("3000 ", 3));
  EXPECT_EQ(SwitchAndKind(), "YR");
  EXPECT_DOUBLE_EQ(Floor(), 75);

  SetLane("30301", "K1A0B1", "GA", "ON");
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), "0500 " + Repeat("2000 ", 6) + Repeat("2200 ", 3));
  EXPECT_DOUBLE_EQ(Floor(), 50);
  modMain::Settings().SetOn(settings::kCanadaDiscountsEnabled, false);
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values().substr(0, 5), "1000 ");

  // One state: the intrastate set only when it is enabled.
  SetLane("30301", "31701", "GA", "GA");
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values().substr(0, 5), "1000 ");
  modMain::Settings().SetOn(settings::kIntrastateDiscountsEnabled, true);
  modMain::Settings().SetOn(settings::kDiscountOnCharges, true);
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), "0100 " + Repeat("0200 ", 6) + Repeat("0300 ", 3));
  EXPECT_DOUBLE_EQ(Floor(), 4);
  EXPECT_EQ(SwitchAndKind(), "YC");

  // A single discount fills all ten values with the set's LTL percent.
  modMain::Settings().SetI16(settings::kDiscountCount, 1);
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), Repeat("0200 ", 10));
}

TEST_F(LaneDiscountsTest, NoDiscountsHiddenTlAndTheCustomerWithoutMcDiscount) {
  modMain::Settings().SetI16(settings::kDiscountCount, 0);
  modMain::Settings().SetOn(settings::kTlDiscountHidden, true);
  modMain::Lane().LaneMcFloor = runtime::Currency::FromDouble(9);
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), Repeat("0000 ", 7) + Repeat(" 0000", 3));
  EXPECT_EQ(SwitchAndKind(), "NR");
  EXPECT_DOUBLE_EQ(Floor(), 0);

  modMain::Settings().SetI16(settings::kDiscountCount, 3);
  modMain::Settings().SetText(settings::kCompanyName, "Vornhalt Logistics");
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), "0000 " + Repeat("2500 ", 6) + Repeat(" 0000", 3));
}

TEST_F(LaneDiscountsTest, ZipSpecificDiscountWinsWhenOfferedAndUsed) {
  WriteTable({{"30000", "31999", "90000", "99999", 99, 99, 99, 1, true},
              {"30000", "31999", "90000", "99999", 12.5, 40, 45, 60, false},
              {"30000", "39999", "90000", "99999", 1, 1, 1, 1, false}});
  // Even with a single discount the record fills MC, LTL and TL apart.
  modMain::Settings().SetI16(settings::kDiscountCount, 1);
  modMain::Settings().SetOn(settings::kTlDiscountHidden, true);
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values(), "1250 " + Repeat("4000 ", 6) + Repeat(" 0000", 3));
  EXPECT_EQ(SwitchAndKind(), "YR");
  EXPECT_DOUBLE_EQ(Floor(), 60);
  os::ConstRecordView found(modMain::Lane().FoundZipDiscount);
  EXPECT_DOUBLE_EQ(found.F64(zipdisc::kLtlDiscount), 40);

  // Found, but not used: the settings set.
  modMain::Settings().SetOn(settings::kZipDiscountsUsed, false);
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values().substr(0, 10), "2500 2500 ");
  EXPECT_DOUBLE_EQ(Floor(), 75);

  // A Canadian code sorts after every digit: no record covers it.
  SetLane("30301", "K1A0B1", "GA", "ON");
  EXPECT_FALSE(modMain::FindZipDiscount());
  SetLane("39999", "99999");
  EXPECT_TRUE(modMain::FindZipDiscount());
  EXPECT_DOUBLE_EQ(os::ConstRecordView(modMain::Lane().FoundZipDiscount).F64(zipdisc::kMcFloor), 1);
}

TEST_F(LaneDiscountsTest, PromptedBoxes) {
  modMain::Settings().SetOn(settings::kDiscountsFixed, false);
  modMain::Settings().SetI16(settings::kDiscountCount, 1);
  modMain::FillLaneDiscounts({"", "30", "", ""});
  EXPECT_EQ(Values(), Repeat("3000 ", 10));
  EXPECT_EQ(SwitchAndKind(), "YR");
  EXPECT_DOUBLE_EQ(Floor(), 0);
  modMain::FillLaneDiscounts({"", " . ", "", ""});
  EXPECT_EQ(Values(), "0000 " + Repeat(" 0000", 9));

  modMain::Settings().SetI16(settings::kDiscountCount, 3);
  modMain::FillLaneDiscounts({"12.5", "7.5", "", "45.5"});
  EXPECT_EQ(Values(), "1250 " + Repeat("750  ", 6) + Repeat(" 0000", 3));
  EXPECT_DOUBLE_EQ(Floor(), 45.5);
  // Beyond what a value can carry: the largest percentage the boxes take.
  modMain::FillLaneDiscounts({"150", "", "100", ""});
  EXPECT_EQ(Values(), "9999 " + Repeat(" 0000", 6) + Repeat("9999 ", 3));
  // The boxes refuse the key that would pass the limit.
  struct frmBox : forms::Form {
    frmBox() : Form("frmBox") {}
    forms::TextBox& txtDiscount = Add<forms::TextBox>("txtDiscount", {0, 0, 600, 285});
  } form;
  forms::TextBox& box = form.txtDiscount;
  box.SetText("99");
  box.SetSelStart(2);
  int key = '9';
  modMain::RefuseDiscountBeyondLimit(box, key);
  EXPECT_EQ(key, 0);
  key = '.';
  modMain::RefuseDiscountBeyondLimit(box, key);
  EXPECT_EQ(key, '.');
  box.SetSelStart(0);
  box.SetSelLength(2);  // typing over the selection
  key = '9';
  modMain::RefuseDiscountBeyondLimit(box, key);
  EXPECT_EQ(key, '9');

  // Box texts in a decimal-comma locale.
  modMain::Get().decimal_character = ',';
  runtime::ScopedLocale comma({',', '.'});
  modMain::FillLaneDiscounts({"", "12,5", ",", ""});
  EXPECT_EQ(Values(), "0000 " + Repeat("1250 ", 6) + Repeat(" 0000", 3));
}

TEST_F(LaneDiscountsTest, TableIsFoundWhateverItsCaseAndCreatedWhenMissing) {
  EXPECT_FALSE(modMain::FindZipDiscount());
  EXPECT_TRUE(std::filesystem::exists(dir_.File("ZipDisc.dat")));
  std::filesystem::remove(dir_.File("ZipDisc.dat"));

  // An existing table of another spelling is the one read; no second file appears.
  WriteTable({{"30000", "31999", "90000", "99999", 1, 2, 3, 4, false}});
  EXPECT_TRUE(modMain::FindZipDiscount());
  EXPECT_FALSE(std::filesystem::exists(dir_.File("ZipDisc.dat")));

  // A directory that cannot hold the file: nothing found, no error.
  modMain::Get().data_directory = dir_.File("gone/");
  EXPECT_FALSE(modMain::FindZipDiscount());
  modMain::FillLaneDiscounts({});
  EXPECT_EQ(Values().substr(0, 5), "1000 ");
}

}  // namespace
}  // namespace frelane
