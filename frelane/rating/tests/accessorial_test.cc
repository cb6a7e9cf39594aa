// Accessorial charges: pricing one charge, the dialog over accchg.dat and the total the
// rating screen reads from it.
#include <gtest/gtest.h>
#include <sys/stat.h>


#include <array>
#include <memory>
#include <string>

#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/accessorial_record.h"
#include "frelane/rating/accessorial_total.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/lookup_files.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/fake_engine.h"
#include "testkit/quote/quote_files.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using runtime::Currency;
using testkit::AccessorialCharge;

Currency Dollars(double d) { return Currency::FromDouble(d); }

std::optional<Currency> Price(const AccessorialCharge& charge, double input, double weight,
                              double net = 0) {
  std::string bytes = testkit::AccessorialChargesFile({charge});
  std::array<std::uint8_t, accchg::kRecordSize> record{};
  std::copy(bytes.begin(), bytes.end(), record.begin());
  return accchg::PriceCharge(os::ConstRecordView(record), input, weight, net);
}

TEST(AccessorialPriceTest, EachKindWithItsMinimumAndMaximum) {
  EXPECT_EQ(Price({"Pickup", 2, 3.50}, 0, 1250), Dollars(43.75));
  EXPECT_EQ(Price({"Pickup", 2, 3.50, 50}, 0, 1250), Dollars(50));
  EXPECT_EQ(Price({"Pickup", 2, 0.5}, 0, 1), Dollars(0.01)) << "half a cent rounds up";
  // Declared value less 0.10 a pound.
  AccessorialCharge value{"Declared Value~0.10", 1, 1.5, 25};
  EXPECT_EQ(Price(value, 5000, 1000), Dollars(73.50));
  EXPECT_EQ(Price(value, 80, 1000), Dollars(0)) << "used up by the deduction: no minimum";
  EXPECT_EQ(Price({"Declared Value", 1, 1.5, 25}, 0, 1000), Dollars(25));
  EXPECT_EQ(Price({"Percent", 4, 10}, 0, 0, 245.60), Dollars(24.56));
  EXPECT_EQ(Price({"Flat", 3, 15, 0, 10}, 0, 0), Dollars(10));
  EXPECT_EQ(Price({"Flat", 3, 15, 0, 0}, 0, 0), Dollars(15));
  EXPECT_EQ(Price({"Amount", 5}, 12.345, 0), Currency::FromUnits(123450)) << "not rounded";
  EXPECT_EQ(Price({"Pallets", 6, 2.5, 0, 0, "Pallet"}, 3, 0), Dollars(7.50));
  EXPECT_EQ(Price({"Unknown", 7, 99}, 0, 0), std::nullopt);
  EXPECT_EQ(Price({"Unknown", 0, 99}, 0, 0), std::nullopt);
}

class AccessorialDialogTest : public ::testing::Test {
 protected:
  AccessorialDialogTest() : user_(app_) {}
  void SetUp() override {
    modMain::Reset();
    modTolvDeclares32::Reset();
    modTolvDeclares32::InstallEngine(std::make_unique<testkit::FakeEngine>());
    modMain::Get().data_directory = dir_.path();
    modTolvDeclares32::ShipmentRecord().header().SetText(tolv::shipment_header::kTotalWeight,
                                                          "001000");
  }
  void TearDown() override {
    modTolvDeclares32::Reset();
    modMain::Reset();
  }
  void WriteCharges(const std::vector<AccessorialCharge>& charges) {
    dir_.Write("accchg.dat", testkit::AccessorialChargesFile(charges));
  }
  frmAccessorialCharges& Dialog() { return app_.Get<frmAccessorialCharges>(); }
  Currency Total(Currency& subtotal) { return modMain::GetAccessorialTotal(subtotal); }

  testkit::TempDir dir_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

TEST_F(AccessorialDialogTest, RowsCaptionsAndLayout) {
  std::vector<AccessorialCharge> charges(30, AccessorialCharge{"Extra", 3, 5});
  charges[0] = {"Declared Value~+0.10", 1, 1.5, 25, 0};
  charges[1] = {"Pallet Jack", 6, 12, 0, 60, "Pallet"};
  charges[2] = {"COD Fee", 5};
  charges[3] = {"Residential", 4, 10};
  WriteCharges(charges);
  frmAccessorialCharges& dialog = Dialog();
  EXPECT_EQ(dialog.Caption(), "Accessorial Charges");
  EXPECT_EQ(dialog.chkAccessorialCharge(1).Caption(), "Declared Value");
  EXPECT_EQ(dialog.lblAccessorialType(1).Caption(), "% of Value");
  EXPECT_EQ(dialog.lblAccessorialLabel(1).Caption(), "$ Value");
  EXPECT_EQ(dialog.lblAccessorialCharge(1).Caption(), "1.50");
  EXPECT_EQ(dialog.lblAccessorialChargeMin(1).Caption(), "25.00");
  EXPECT_EQ(dialog.lblAccessorialChargeMax(1).Caption(), "");
  EXPECT_EQ(dialog.lblAccessorialType(2).Caption(), "$/Pallet");
  EXPECT_EQ(dialog.lblAccessorialLabel(2).Caption(), "# of Pallets");
  EXPECT_EQ(dialog.lblAccessorialChargeMax(2).Caption(), "60.00");
  EXPECT_EQ(dialog.lblAccessorialType(3).Caption(), "$/Shpmnt.");
  EXPECT_EQ(dialog.lblAccessorialLabel(3).Caption(), "$ Amount");
  EXPECT_EQ(dialog.lblAccessorialType(4).Caption(), "% of Freight");
  EXPECT_FALSE(dialog.txtUserInput(4).Visible());
  EXPECT_TRUE(dialog.txtUserInput(3).Visible());
  EXPECT_TRUE(dialog.chkAccessorialCharge(25).Visible());
  // 25 rows at most: the buttons go under row 25.
  EXPECT_EQ(dialog.btnOK.Top(), 240 * 25 + 420);
  EXPECT_EQ(dialog.btnReset.Top(), dialog.btnOK.Top());
  EXPECT_EQ(dialog.Height(), dialog.btnOK.Top() + 900);
}

TEST_F(AccessorialDialogTest, EmptyOrMissingFileOpensWithoutRows) {
  frmAccessorialCharges& dialog = Dialog();
  EXPECT_FALSE(dialog.chkAccessorialCharge(1).Visible());
  EXPECT_EQ(dialog.btnOK.Top(), 420);
  user_.WhenShown("frmAccessorialCharges", [&] { user_.Click(dialog.btnOK); });
  dialog.ShowModal();
  EXPECT_FALSE(dialog.Visible());
  Currency subtotal = Dollars(1);
  EXPECT_EQ(Total(subtotal), Currency{});
  EXPECT_EQ(subtotal, Currency{});
}

// A file that is there but cannot be read (here a pipe, which would also block a plain
// read) is named once; the dialog opens without rows and
// the total is 0.
TEST_F(AccessorialDialogTest, UnreadableFileIsNamedOnce) {
  lookup::ForgetReports();
  ASSERT_EQ(::mkfifo(dir_.File("accchg.dat").c_str(), 0600), 0);
  user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "Unable to read accchg.dat");
  frmAccessorialCharges& dialog = Dialog();
  EXPECT_FALSE(dialog.chkAccessorialCharge(1).Visible());
  Currency subtotal;
  EXPECT_EQ(Total(subtotal), Currency{});
  lookup::ForgetReports();
}

TEST_F(AccessorialDialogTest, OkNeedsAPositiveValueInEachTickedInput) {
  WriteCharges({{"Declared Value~0.10", 1, 1.5, 25}, {"Liftgate", 3, 75}, {"COD", 5}});
  frmAccessorialCharges& dialog = Dialog();
  user_.WhenShown("frmAccessorialCharges", [&] {
    user_.Click(dialog.chkAccessorialCharge(1));
    user_.Click(dialog.chkAccessorialCharge(2));
    user_.TypeInto(dialog.txtUserInput(1), "0");
    user_.ExpectMsgBox(forms::MsgBoxResult::kOK, "A Positive Value is Required");
    user_.Click(dialog.btnOK);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(app_.ActiveControl(), &dialog.txtUserInput(1));
    user_.Type("5000");
    user_.Click(dialog.btnOK);  // the empty COD input is not ticked
  });
  dialog.ShowModal();
  EXPECT_FALSE(dialog.Visible());
  Currency subtotal;
  // (5000 - 0.10 x 1000) x 1.5 % = 73.50, and the liftgate 75.00.
  EXPECT_EQ(Total(subtotal), Dollars(148.50));
  EXPECT_EQ(subtotal, Currency{});

  // Shown again, the ticks are still there; Reset and OK leave nothing.
  user_.WhenShown("frmAccessorialCharges", [&] {
    EXPECT_EQ(dialog.chkAccessorialCharge(2).Value(), 1);
    EXPECT_EQ(dialog.txtUserInput(1).Text(), "5000");
    user_.Click(dialog.btnReset);
    user_.Click(dialog.btnOK);
  });
  dialog.ShowModal();
  EXPECT_EQ(Total(subtotal), Currency{});
}

TEST_F(AccessorialDialogTest, TotalSubtotalAndRowsOfUnknownKind) {
  WriteCharges({{"Fuel-bearing~+", 3, 40}, {"Other", 3, 20}, {"Broken", 9, 999},
                {"Percent of freight", 4, 10}});
  frmAccessorialCharges& dialog = Dialog();
  frmRatingScreen& screen = app_.Get<frmRatingScreen>();
  screen.lblNet.SetCaption("245.60 ");
  for (int i = 1; i <= 4; ++i) dialog.chkAccessorialCharge(i).SetValue(1);
  Currency subtotal;
  EXPECT_EQ(Total(subtotal), Dollars(40 + 20 + 24.56));
  EXPECT_EQ(subtotal, Dollars(40));
  // A ticked row past the file's end adds nothing either.
  WriteCharges({{"Fuel-bearing~+", 3, 40}});
  EXPECT_EQ(Total(subtotal), Dollars(40));
}

}  // namespace
}  // namespace frelane
