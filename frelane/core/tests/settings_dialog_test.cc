// The settings dialog driven as a user drives it: what it shows by the settings and the
// customer, its option rules and layout, the checks of leaving a field and of Save, and the
// variable.dat that Save leaves (or, when the write fails, does not touch).
#include "frelane/core/frm_defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/forms/testing/headless_driver.h"
#include "testkit/app/settings_file_writer.h"
#include "testkit/file_size_limit.h"
#include "testkit/read_file.h"
#include "testkit/temp_dir.h"

namespace frelane {
namespace {

using forms::MsgBoxResult;

double F64At(const std::string& bytes, std::size_t offset) {
  double v;
  std::memcpy(&v, bytes.data() + offset, 8);
  return v;
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() : user_(app_) {}

  void SetUp() override {
    modMain::Reset();
    modMain::Get().data_directory = dir_.path();
    writer_.CompanyName("Example Freight")
        .Text(50, 35, "kept reserved text")
        .DefaultOrigin("30301")
        .DefaultClass("85")
        .DefaultWeight(1200)
        .LtlFuelSurcharge(18.5)
        .LtlFuelSurchargeFloor(5)
        .TlFuelSurcharge(12.25)
        .F64(966, 25)  // TL floor
        .RateAdjustmentFactor(1.25)
        .CanadianExchangeFactor(36.5)
        .DiscountsFixed(true)
        .DiscountCount(3)
        .Switch(666, true)  // discount on charges
        .UsDiscount(1, 10)
        .UsDiscount(2, 55)
        .UsDiscount(3, 20)
        .UsDiscount(4, 85)
        .IntrastateDiscount(2, 40)
        .CanadaDiscount(2, 35)
        .Switch(549, true)  // MC-floor discount shown
        .Switch(553, true)  // price per unit offered
        .Switch(537, true);  // accessorial prompt offered
  }
  void TearDown() override { modMain::Reset(); }

  frmDefaults& Open() {
    dir_.Write("variable.dat", writer_.Bytes());
    std::string error;
    EXPECT_TRUE(modMain::LoadSettings(&error)) << error;
    frmDefaults& form = app_.Get<frmDefaults>();
    form.Show();
    return form;
  }
  std::string FileBytes() { return testkit::ReadFile(dir_.File("variable.dat")); }

  testkit::TempDir dir_;
  testkit::SettingsFileWriter writer_;
  forms::Application app_;
  forms::testing::HeadlessDriver user_;
};

TEST_F(SettingsDialogTest, ShowsEverySettingInItsFormat) {
  frmDefaults& d = Open();
  EXPECT_EQ(d.txtOrigin.Text(), "30301");
  EXPECT_EQ(d.cboClass.Text(), "85");
  ASSERT_EQ(d.cboClass.ListCount(), 18);
  EXPECT_EQ(d.cboClass.List(0), "500");
  EXPECT_EQ(d.txtWeight.Text(), "1200");
  EXPECT_EQ(d.txtFuelSurchargeLTL.Text(), "18.500");
  EXPECT_EQ(d.txtFuelSurchargeLTLFloor.Text(), "5.00");
  EXPECT_EQ(d.txtFuelSurchargeTLFloor.Text(), "25.00");
  EXPECT_EQ(d.txtRateAdjustmentFactor.Text(), "1.25");
  EXPECT_EQ(d.txtCanadianExchangeFactor.Text(), "36.500");
  EXPECT_EQ(d.txtHiddenRateAdjustmentFactor.Text(), "0.00");
  EXPECT_FALSE(d.txtHiddenRateAdjustmentFactor.Visible());
  EXPECT_TRUE(d.optFixed.Value());
  EXPECT_TRUE(d.optThree.Value() && d.optCharges.Value());
  EXPECT_EQ(d.txtDiscount(2).Text(), "55.00");
  EXPECT_EQ(d.txtDiscount(4).Text(), "85.00");
  EXPECT_EQ(d.lblDiscount(2).Caption(), "LTL");
  EXPECT_TRUE(d.chkPricePerUnit.Visible());
  EXPECT_EQ(d.chkPricePerUnit.Value(), 0);
  EXPECT_TRUE(d.fraPromptFor.Visible());
  EXPECT_TRUE(d.txtOrigin.Enabled());

  // The hidden shortcut shows the hidden factor and is swallowed; again hides it.
  user_.Focus(d.txtWeight);
  user_.Type("\x06");
  EXPECT_TRUE(d.txtHiddenRateAdjustmentFactor.Visible());
  EXPECT_TRUE(d.lblHiddenRateAdjustmentFactor.Visible());
  EXPECT_EQ(d.txtWeight.Text(), "1200");
  user_.Type("\x06");
  EXPECT_FALSE(d.txtHiddenRateAdjustmentFactor.Visible());
}

TEST_F(SettingsDialogTest, LocksDisableTheirFieldsAndUnofferedPromptsHide) {
  writer_.Switch(569, true).Switch(577, true).Switch(582, true).Switch(588, true);
  writer_.Switch(598, true).Switch(618, true).Switch(628, true);
  writer_.Switch(553, false).Switch(537, false);
  frmDefaults& d = Open();
  for (forms::Control* c :
       {static_cast<forms::Control*>(&d.txtOrigin), static_cast<forms::Control*>(&d.txtDestination),
        static_cast<forms::Control*>(&d.cboClass), static_cast<forms::Control*>(&d.txtWeight),
        static_cast<forms::Control*>(&d.txtFuelSurchargeLTL),
        static_cast<forms::Control*>(&d.txtFuelSurchargeLTLFloor),
        static_cast<forms::Control*>(&d.txtRateAdjustmentFactor),
        static_cast<forms::Control*>(&d.txtCanadianExchangeFactor)}) {
    EXPECT_FALSE(c->Enabled()) << c->DisplayName();
  }
  EXPECT_TRUE(d.txtFuelSurchargeTL.Enabled());
  EXPECT_TRUE(d.txtFuelSurchargeTLFloor.Enabled());
  EXPECT_FALSE(d.fraPromptFor.Visible());
}

TEST_F(SettingsDialogTest, CustomerSwitchesByCompanyName) {
  writer_.CompanyName("Farvel Transport").Switch(555, true);
  frmDefaults& d = Open();
  EXPECT_FALSE(d.txtRateAdjustmentFactor.Visible());
  EXPECT_FALSE(d.lblRateAdjustmentFactor.Visible());
  EXPECT_EQ(d.txtRateAdjustmentFactor.Text(), "1.0");
  EXPECT_EQ(d.txtCanadianExchangeFactor.Top(), d.txtRateAdjustmentFactor.Top());
  EXPECT_EQ(d.lblCanadianExchangeFactor.Top(), d.lblRateAdjustmentFactor.Top());
  EXPECT_EQ(d.chkPricePerUnit.Value(), 1);
  user_.Click(d.btnSave);
  EXPECT_EQ(F64At(FileBytes(), 610), 1.0);
  EXPECT_EQ(modMain::Settings().F64(settings::kRateAdjustmentFactor), 1.0);

  writer_.CompanyName("quarlen logistics");
  Open();
  EXPECT_EQ(d.chkAccessorialCharges.Caption(), "Value Added Services");
  d.Unload();

  writer_.CompanyName("VORNHALT Freight").Switch(974, true);  // TL discount hidden too
  Open();
  EXPECT_FALSE(d.txtDiscount(1).Visible());
  EXPECT_TRUE(d.txtDiscount(2).Visible());
  EXPECT_FALSE(d.txtDiscount(3).Visible());
  EXPECT_TRUE(d.txtDiscount(4).Visible());
}

TEST_F(SettingsDialogTest, SingleAndMultipleDiscountColumns) {
  writer_.DiscountCount(1);
  frmDefaults& d = Open();
  EXPECT_TRUE(d.optOne.Value());
  for (auto* set : {&d.txtDiscount, &d.txtDiscountIntra, &d.txtDiscountCanada}) {
    EXPECT_FALSE((*set)(1).Visible());
    EXPECT_TRUE((*set)(2).Visible());
    EXPECT_FALSE((*set)(3).Visible());
    EXPECT_TRUE((*set)(4).Visible());
  }
  EXPECT_EQ(d.lblDiscountCanada(2).Caption(), "ALL");
  user_.Click(d.optThree);
  EXPECT_TRUE(d.txtDiscount(1).Visible());
  EXPECT_TRUE(d.txtDiscountIntra(3).Visible());
  EXPECT_EQ(d.lblDiscount(2).Caption(), "LTL");
  // Prompt hides the value frames; Fixed brings back the ones enabled.
  user_.Click(d.optInput);
  EXPECT_FALSE(d.fraDiscounts.Visible());
  user_.Click(d.optFixed);
  EXPECT_TRUE(d.fraDiscounts.Visible());
  EXPECT_FALSE(d.fraDiscountsIntra.Visible());
  EXPECT_FALSE(d.fraDiscountsCanada.Visible());
  user_.Click(d.btnSave);
  const std::string bytes = FileBytes();
  EXPECT_EQ(bytes[632], 3);
}

// The three option pairs stand captionless in the frame "Discounts": a screen reader names
// each group by its own two choices, not all three by the frame around them.
TEST_F(SettingsDialogTest, EachDiscountOptionPairIsNamedByItsChoices) {
  frmDefaults& d = Open();
  struct Pair {
    forms::Frame* group;
    forms::OptionButton* first;
    forms::OptionButton* second;
  };
  const Pair pairs[] = {{&d.fraDiscountType, &d.optFixed, &d.optInput},
                        {&d.fraDiscounts2, &d.optOne, &d.optThree},
                        {&d.fraDiscountOn, &d.optCharges, &d.optRates}};
  std::vector<std::string> names;
  for (const Pair& p : pairs) {
    EXPECT_EQ(p.group->Caption(), "") << p.group->Name();
    const std::string& name = p.group->AccessibleName();
    EXPECT_NE(name.find(": " + p.first->Caption() + " or " + p.second->Caption()),
              std::string::npos) << name;
    EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
    names.push_back(name);
  }
  EXPECT_EQ(d.fraDiscountType.AccessibleName(), "Discount entry: Fixed or Prompt");
  // Frames with a caption of their own keep it as their name.
  EXPECT_EQ(d.fraDiscountMain.AccessibleName(), "");
}

TEST_F(SettingsDialogTest, DiscountFramesAreLaidOutByTheEnabledSets) {
  struct Case {
    bool intra, canada, zip;
    int us_left;
    const char* us_caption;
    int main_width, form_width;
  };
  const Case cases[] = {
      {false, false, false, 1140, "", 3560, 7890},
      {true, false, false, 100, "", 3560, 7890},
      {false, true, false, 100, "US", 3560, 7890},
      {true, true, true, 100, "Interstate", 5180, 9420},
      {false, false, true, 1140, "", 3560, 7890},
  };
  frmDefaults& d = app_.Get<frmDefaults>();
  for (const Case& c : cases) {
    writer_.IntrastateDiscountsEnabled(c.intra).CanadaDiscountsEnabled(c.canada);
    writer_.ZipDiscountsOffered(c.zip);
    d.Unload();
    Open();
    SCOPED_TRACE(testing::Message() << c.intra << c.canada << c.zip);
    EXPECT_EQ(d.fraDiscounts.Left(), c.us_left);
    EXPECT_EQ(d.fraDiscounts.Caption(), c.us_caption);
    EXPECT_EQ(d.fraDiscountMain.Width(), c.main_width);
    EXPECT_EQ(d.Width(), c.form_width);
    EXPECT_EQ(d.fraDiscountsIntra.Visible(), c.intra);
    EXPECT_EQ(d.fraDiscountsCanada.Visible(), c.canada);
    if (c.canada && !c.intra) {
      EXPECT_EQ(d.fraDiscountsCanada.Left(), 1800);
    }
    if (c.zip) {
      EXPECT_EQ(d.fraZipDiscounts.Left(), c.main_width / 2 - 2400 / 2);
    }
    EXPECT_EQ(d.fraPromptFor.Left(), c.form_width == 7890 ? 4860 : 6480);
    EXPECT_EQ(d.fraZipDiscounts.Visible(), c.zip);
  }
}

TEST_F(SettingsDialogTest, LeavingAFieldChecksClassAndPostalCodes) {
  frmDefaults& d = Open();
  user_.TypeInto(d.cboClass, "71");
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidClassMessage);
  user_.Tab();
  EXPECT_TRUE(d.cboClass.HasFocus());
  user_.Type("92.5");  // replaces the refused class
  user_.Tab();
  EXPECT_TRUE(d.txtWeight.HasFocus());

  user_.TypeInto(d.txtOrigin, "1234");
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidZipMessage);
  user_.PressEnter();
  EXPECT_TRUE(d.txtOrigin.HasFocus());
  // Ignore, or Escape, leaves without a check and without saving.
  const std::string before = FileBytes();
  user_.PressEscape();
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(modMain::Settings().Text(settings::kDefaultOrigin), "30301");
}

TEST_F(SettingsDialogTest, SaveChecksWithTheirMessagesAndStoresNothingOnFailure) {
  frmDefaults& d = Open();
  const std::string before = FileBytes();
  struct Case {
    const char* factor;
    const char* hidden;
    const char* discount;  // MC discount
    const char* message;
    forms::Control* focus;
  };
  const Case cases[] = {
      {"0.00", "0", "10", kRateFactorMessage, &d.txtRateAdjustmentFactor},
      {"", "0", "10", kRateFactorMessage, &d.txtRateAdjustmentFactor},
      {"3.01", "0", "10", kRateFactorMessage, &d.txtRateAdjustmentFactor},
      {"3.00", "3.01", "10", kHiddenFactorMessage, nullptr},
      {"3.00", "-0.01", "10", kHiddenFactorMessage, nullptr},
      {"3.00", "3.00", "100", kInvalidDiscountMessage, &d.txtDiscount(1)},
  };
  for (const Case& c : cases) {
    d.txtRateAdjustmentFactor.SetText(c.factor);
    d.txtHiddenRateAdjustmentFactor.SetText(c.hidden);
    d.txtDiscount(1).SetText(c.discount);
    user_.Focus(d.txtWeight);
    user_.ExpectMsgBox(MsgBoxResult::kOK, c.message);
    user_.Click(d.btnSave);
    EXPECT_TRUE(d.IsVisible()) << c.message;
    if (c.focus) {
      EXPECT_TRUE(c.focus->HasFocus()) << c.message;
    }
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(modMain::Settings().F64(settings::kRateAdjustmentFactor), 1.25);
  }
  // A postal code or class made invalid without leaving its box is caught by Save too.
  d.txtDiscount(1).SetText("10");
  d.txtOrigin.SetText("3030");
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidZipMessage);
  user_.Click(d.btnSave);
  EXPECT_TRUE(d.txtOrigin.HasFocus());
  d.txtOrigin.SetText("K1A0B1");
  d.cboClass.SetText("501");
  user_.Focus(d.txtWeight);
  user_.ExpectMsgBox(MsgBoxResult::kOK, kInvalidClassMessage);
  user_.Click(d.btnSave);
  EXPECT_TRUE(d.cboClass.HasFocus());
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(SettingsDialogTest, SaveLeavesLockedDefaultsUncheckedAndRefusesANegativeHiddenFactor) {
  // Invalid defaults nobody can change do not block Save; they are written back as they were.
  writer_.DefaultOrigin("3030").DefaultDestination("ABC").DefaultClass("71");
  writer_.Switch(569, true).Switch(577, true).Switch(582, true);
  writer_.RateAdjustmentFactor(0).Switch(618, true);
  frmDefaults& d = Open();
  user_.Click(d.btnSave);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(user_.MessageBoxes().size(), 0u);
  EXPECT_EQ(modMain::Settings().Text(settings::kDefaultOrigin), "3030");
  EXPECT_EQ(modMain::Settings().Text(settings::kDefaultClass), "71");
  EXPECT_EQ(modMain::Settings().F64(settings::kRateAdjustmentFactor), 0.0);

  // A negative hidden factor read from the file is refused until corrected.
  writer_.HiddenRateAdjustmentFactor(-1);
  Open();
  user_.ExpectMsgBox(MsgBoxResult::kOK, kHiddenFactorMessage);
  user_.Click(d.btnSave);
  EXPECT_TRUE(d.IsVisible());
  d.txtHiddenRateAdjustmentFactor.SetText("0");
  user_.Click(d.btnSave);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(modMain::Settings().F64(settings::kHiddenRateAdjustmentFactor), 0.0);
}

TEST_F(SettingsDialogTest, SaveChangesOnlyTheEditedFieldsOfTheFile) {
  frmDefaults& d = Open();
  const std::string before = FileBytes();
  user_.Click(d.btnSave);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(FileBytes(), before);

  Open();
  user_.TypeInto(d.txtWeight, "2500");
  user_.TypeInto(d.cboClass, "92.5");
  d.txtFuelSurchargeTL.SetText(".");  // a lone decimal character counts as empty
  user_.Click(d.optRates);
  user_.Click(d.chkPricePerUnit);
  user_.Click(d.btnSave);
  ASSERT_FALSE(d.IsLoaded());
  const std::string after = FileBytes();
  ASSERT_EQ(after.size(), 1206u);
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] != before[i]) changed.push_back(i);
  }
  // weight 584-587, class 579-581, TL fuel 600-607, discount on charges 666-667, price per
  // unit default 555-556.
  for (std::size_t i : changed) {
    const bool expected = (i >= 579 && i < 588) || (i >= 600 && i < 608) ||
                          (i >= 666 && i < 668) || (i >= 555 && i < 557);
    EXPECT_TRUE(expected) << "byte " << i << " changed";
  }
  EXPECT_EQ(after.substr(579, 3), "92 ");
  EXPECT_EQ(F64At(after, 600), 0.0);
  EXPECT_EQ(after.substr(50, 18), "kept reserved text");
  EXPECT_EQ(modMain::Settings().I32(settings::kDefaultWeight), 2500);
  EXPECT_FALSE(modMain::Settings().On(settings::kDiscountOnCharges));
}

TEST_F(SettingsDialogTest, WithoutTheMcFloorDiscountItsValuesAreStoredAsZero) {
  writer_.Switch(549, false).IntrastateDiscount(4, 12).CanadaDiscount(4, 13);
  frmDefaults& d = Open();
  EXPECT_FALSE(d.txtDiscount(4).Visible());
  EXPECT_FALSE(d.lblDiscountCanadaLabel(4).Visible());
  EXPECT_EQ(d.txtDiscountIntra(4).Text(), "");
  user_.Click(d.btnSave);
  const std::string after = FileBytes();
  EXPECT_EQ(F64At(after, 634 + 24), 0.0);
  EXPECT_EQ(F64At(after, 1076 + 24), 0.0);
  EXPECT_EQ(F64At(after, 1110 + 24), 0.0);
}

TEST_F(SettingsDialogTest, AnUnknownDiscountCountKeepsTheDiscountSettings) {
  writer_.DiscountCount(0);
  frmDefaults& d = Open();
  EXPECT_FALSE(d.fraDiscounts2.Visible());
  EXPECT_FALSE(d.fraDiscounts.Visible());
  const std::string before = FileBytes();
  user_.Click(d.btnSave);
  EXPECT_EQ(FileBytes(), before);
}

TEST_F(SettingsDialogTest, AWriteThatFailsHalfwayLeavesTheFileAndTheSettings) {
  frmDefaults& d = Open();
  const std::string before = FileBytes();
  user_.TypeInto(d.txtWeight, "777");
  user_.ExpectMsgBox(MsgBoxResult::kOK, "could not be written");
  {
    testkit::FileSizeLimit limit(600);
    user_.Click(d.btnSave);
  }
  EXPECT_TRUE(d.IsVisible());
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(modMain::Settings().I32(settings::kDefaultWeight), 1200);
  // Once the disk takes it again, the same Save goes through.
  user_.Click(d.btnSave);
  EXPECT_EQ(modMain::Settings().I32(settings::kDefaultWeight), 777);
}

TEST_F(SettingsDialogTest, SetOpensTheDiscountEditor) {
  writer_.ZipDiscountsOffered(true).Switch(1150, true);
  frmDefaults& d = Open();
  EXPECT_EQ(d.chkUseZipDiscounts.Value(), 1);
  bool shown = false;
  user_.WhenShown("frmZipDiscounts", [&] {
    shown = true;
    user_.Click(app_.Get<frmZipDiscounts>().btnExit);
  });
  user_.Click(d.btnZipDiscounts);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(d.IsVisible());
}

}  // namespace
}  // namespace frelane
