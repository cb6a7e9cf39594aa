// frmDefaults: the settings dialog. The user edits the defaults of a new shipment, the fuel
// surcharges and their floors, the rate adjustment and exchange factors, the prompt
// defaults and the discount settings; what the dialog shows is switched by the settings it
// does not edit (locks, offered features, enabled discount sets) and by the company name.
// Save checks the entries, stores every field and writes variable.dat; Ignore closes
// without saving. The settings in memory change only when Save has written them.
#ifndef FRELANE_CORE_FRM_DEFAULTS_H_
#define FRELANE_CORE_FRM_DEFAULTS_H_

#include <string>

#include "platform/forms/form.h"

namespace frelane {

inline constexpr char kInvalidClassMessage[] = "Invalid Class";
inline constexpr char kInvalidZipMessage[] = "Invalid Zip";
inline constexpr char kInvalidDiscountMessage[] = "Invalid Discount";
inline constexpr char kRateFactorMessage[] =
    "Rate adjustment factor must be greater than 0 and less than or equal to 3";
inline constexpr char kHiddenFactorMessage[] =
    "Hidden Rate adjustment factor must be less than or equal to 3";
// Ctrl+F: shows or hides the hidden rate adjustment factor.
inline constexpr int kHiddenFactorToggleKey = 6;

class frmDefaults : public forms::Form {
 public:
  frmDefaults();

  // Shipment defaults and factors: one row each, label and box.
  forms::Label& lblOrigin = RowLabel("lblOrigin", 0, "Origin Zip");
  forms::TextBox& txtOrigin = RowBox("txtOrigin", 0, 6);
  forms::Label& lblDestination = RowLabel("lblDestination", 1, "Destination Zip");
  forms::TextBox& txtDestination = RowBox("txtDestination", 1, 6);
  forms::Label& lblClass = RowLabel("lblClass", 2, "Class");
  forms::ComboBox& cboClass = Add<forms::ComboBox>("cboClass", {2760, 840, 900, 315},
                                                   {.tab_index = 2});
  forms::Label& lblWeight = RowLabel("lblWeight", 3, "Weight");
  forms::TextBox& txtWeight = RowBox("txtWeight", 3, 5);
  forms::Label& lblFuelSurchargeLTL = RowLabel("lblFuelSurchargeLTL", 4, "Fuel Surcharge - LTL (%)");
  forms::TextBox& txtFuelSurchargeLTL = RowBox("txtFuelSurchargeLTL", 4, 6);
  forms::Label& lblFuelSurchargeLTLFloor =
      RowLabel("lblFuelSurchargeLTLFloor", 5, "Fuel Surcharge Floor - LTL ($)");
  forms::TextBox& txtFuelSurchargeLTLFloor = RowBox("txtFuelSurchargeLTLFloor", 5, 6);
  forms::Label& lblFuelSurchargeTL = RowLabel("lblFuelSurchargeTL", 6, "Fuel Surcharge - TL (%)");
  forms::TextBox& txtFuelSurchargeTL = RowBox("txtFuelSurchargeTL", 6, 6);
  forms::Label& lblFuelSurchargeTLFloor =
      RowLabel("lblFuelSurchargeTLFloor", 7, "Fuel Surcharge Floor - TL ($)");
  forms::TextBox& txtFuelSurchargeTLFloor = RowBox("txtFuelSurchargeTLFloor", 7, 6);
  forms::Label& lblRateAdjustmentFactor =
      RowLabel("lblRateAdjustmentFactor", 8, "Rate Adjustment Factor");
  forms::TextBox& txtRateAdjustmentFactor = RowBox("txtRateAdjustmentFactor", 8, 5);
  forms::Label& lblCanadianExchangeFactor =
      RowLabel("lblCanadianExchangeFactor", 9, "Canadian Exchange Factor (%)");
  forms::TextBox& txtCanadianExchangeFactor = RowBox("txtCanadianExchangeFactor", 9, 6);
  forms::Label& lblHiddenRateAdjustmentFactor =
      RowLabel("lblHiddenRateAdjustmentFactor", 10, "Hidden Rate Adjustment Factor", false);
  forms::TextBox& txtHiddenRateAdjustmentFactor =
      RowBox("txtHiddenRateAdjustmentFactor", 10, 5, false);

  // Prompt defaults.
  forms::Frame& fraPromptFor = Add<forms::Frame>("fraPromptFor", {6480, 120, 2700, 900},
                                                 {.caption = "Prompt For", .tab_index = 11});
  forms::CheckBox& chkPricePerUnit = Add<forms::CheckBox>(
      "chkPricePerUnit", {150, 270, 2430, 255},
      {.container = &fraPromptFor, .caption = "Price Per Unit", .tab_index = 12});
  forms::CheckBox& chkAccessorialCharges = Add<forms::CheckBox>(
      "chkAccessorialCharges", {150, 570, 2430, 255},
      {.container = &fraPromptFor, .caption = "Accessorial Charges", .tab_index = 13});

  // Discounts: the three option pairs, the three sets of four values, the postal-code
  // discounts.
  forms::Frame& fraDiscountMain = Add<forms::Frame>("fraDiscountMain", {4000, 1140, 5180, 3360},
                                                    {.caption = "Discounts", .tab_index = 14});
  // The three pairs have no caption of their own: each is named by its choices.
  forms::Frame& fraDiscountType =
      OptionFrame("fraDiscountType", 100, 15, "Discount entry: Fixed or Prompt");
  forms::OptionButton& optFixed = Option("optFixed", fraDiscountType, 0, "Fixed", 16);
  forms::OptionButton& optInput = Option("optInput", fraDiscountType, 1, "Prompt", 17);
  forms::Frame& fraDiscounts2 =
      OptionFrame("fraDiscounts2", 1220, 18, "Number of discounts: Single or Multiple");
  forms::OptionButton& optOne = Option("optOne", fraDiscounts2, 0, "Single", 19);
  forms::OptionButton& optThree = Option("optThree", fraDiscounts2, 1, "Multiple", 20);
  forms::Frame& fraDiscountOn =
      OptionFrame("fraDiscountOn", 2340, 21, "Discounts apply to: Charges or Rates");
  forms::OptionButton& optCharges = Option("optCharges", fraDiscountOn, 0, "Charges", 22);
  forms::OptionButton& optRates = Option("optRates", fraDiscountOn, 1, "Rates", 23);

  forms::Frame& fraDiscounts = DiscountFrame("fraDiscounts", 100, "", 24);
  forms::ControlArray<forms::Label>& lblDiscount = AddArray<forms::Label>("lblDiscount");
  forms::ControlArray<forms::Label>& lblDiscountLabel = AddArray<forms::Label>("lblDiscountLabel");
  forms::ControlArray<forms::TextBox>& txtDiscount = AddArray<forms::TextBox>("txtDiscount");
  forms::Frame& fraDiscountsIntra = DiscountFrame("fraDiscountsIntra", 1800, "Intrastate", 29);
  forms::ControlArray<forms::Label>& lblDiscountIntra = AddArray<forms::Label>("lblDiscountIntra");
  forms::ControlArray<forms::Label>& lblDiscountIntraLabel =
      AddArray<forms::Label>("lblDiscountIntraLabel");
  forms::ControlArray<forms::TextBox>& txtDiscountIntra =
      AddArray<forms::TextBox>("txtDiscountIntra");
  forms::Frame& fraDiscountsCanada = DiscountFrame("fraDiscountsCanada", 3500, "Canada", 34);
  forms::ControlArray<forms::Label>& lblDiscountCanada =
      AddArray<forms::Label>("lblDiscountCanada");
  forms::ControlArray<forms::Label>& lblDiscountCanadaLabel =
      AddArray<forms::Label>("lblDiscountCanadaLabel");
  forms::ControlArray<forms::TextBox>& txtDiscountCanada =
      AddArray<forms::TextBox>("txtDiscountCanada");

  forms::Frame& fraZipDiscounts =
      Add<forms::Frame>("fraZipDiscounts", {1240, 2580, 2400, 630},
                        {.container = &fraDiscountMain, .caption = "Zip Specific Discounts",
                         .tab_index = 39});
  forms::CheckBox& chkUseZipDiscounts = Add<forms::CheckBox>(
      "chkUseZipDiscounts", {150, 270, 900, 255},
      {.container = &fraZipDiscounts, .caption = "Use", .tab_index = 40});
  forms::CommandButton& btnZipDiscounts = Add<forms::CommandButton>(
      "btnZipDiscounts", {1320, 210, 900, 330},
      {.container = &fraZipDiscounts, .caption = "Set", .tab_index = 41,
       .causes_validation = false});

  forms::CommandButton& btnSave = Add<forms::CommandButton>(
      "btnSave", {5100, 4680, 1215, 375}, {.caption = "&Save", .tab_index = 42});
  forms::CommandButton& btnIgnore = Add<forms::CommandButton>(
      "btnIgnore", {6480, 4680, 1215, 375},
      {.caption = "&Ignore", .tab_index = 43, .causes_validation = false, .is_cancel = true});

 private:
  forms::Label& RowLabel(const char* name, int row, const char* caption, bool visible = true);
  forms::TextBox& RowBox(const char* name, int row, int max_length, bool visible = true);
  forms::Frame& OptionFrame(const char* name, int left, int tab_index, const char* spoken);
  forms::OptionButton& Option(const char* name, forms::Frame& frame, int row,
                              const char* caption, int tab_index);
  forms::Frame& DiscountFrame(const char* name, int left, const char* caption, int tab_index);
  void AddDiscountSet(forms::Frame& frame, forms::ControlArray<forms::Label>& labels,
                      forms::ControlArray<forms::Label>& units,
                      forms::ControlArray<forms::TextBox>& boxes, int first_tab_index);
  void BindHandlers();
  void BindNumericBox(forms::TextBox& box, int decimals);

  // Column i (1 MC, 2 LTL, 3 TL, 4 MC Floor) of all three sets.
  void ShowDiscountColumn(int i, bool shown);
  void SetDiscountColumnCaption(int i, const std::string& caption);
  void FillDiscountValues();
  void LayOutDiscountFrames();
  // The checks Save repeats: each shows its message and moves the focus to the box.
  bool CheckClass();
  bool CheckZip(forms::TextBox& box);
  bool CheckDiscountPercentages();

  void Form_Load() override;
  void Form_KeyPress(int& key_ascii) override;
  void optOne_Click();
  void optThree_Click();
  void optFixed_Click();
  void optInput_Click();
  void btnZipDiscounts_Click();
  void btnSave_Click();
  void btnIgnore_Click();
};

}  // namespace frelane

#endif  // FRELANE_CORE_FRM_DEFAULTS_H_
