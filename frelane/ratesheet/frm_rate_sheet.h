// frmRateSheet: the screen on which the user defines a rate sheet: a headline postal code,
// the direction, up to 16 sideline prefix ranges (a state code or "US" expands into its
// ranges), the weight breaks and classes of the tariff to show, the discount sets and the
// page header lines. Print checks the definition and opens the run, which reads it from
// these controls. Closing the screen drops every in-memory change of the settings.
#ifndef FRELANE_RATESHEET_FRM_RATE_SHEET_H_
#define FRELANE_RATESHEET_FRM_RATE_SHEET_H_

#include <functional>
#include <string>

#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/rate_sheet_definition.h"
#include "platform/forms/form.h"

namespace frelane {

// The tariff tables of the sheet, as the engine filled them when the definition screen last
// loaded (kept for the program's run: a load that finds no tariff leaves them), and the
// number of weight breaks read from them.
struct RateSheetTables {
  modTolvDeclares32::TariffTablesRecordBytes record{};
  int WeightBreakCount = 0;
};
RateSheetTables& DefinitionTables();

class frmRateSheet : public forms::Form, public ratesheet::RateSheetDefinition {
 public:
  static constexpr int kPairs = 16;
  static constexpr int kWeightBoxes = 9;
  static constexpr int kLtlWeightBoxes = 6;
  static constexpr int kClassBoxes = 19;

  frmRateSheet();

  // The run dialog, shown modal once Print's checks pass and the intrastate tariffs are
  // chosen. Unset: nothing is run.
  std::function<void()> ShowRunDialog;

  std::string HeadlineZip() override { return txtHeadlineZip.Text(); }
  bool FromHeadline() override { return optOutBound.Value(); }

  // Checks the definition as Print does, with its messages and focus; true when it passes.
  bool CheckDefinition();

  void ClearSidelineZips();
  void ClearClasses();
  void ClearWeights();
  void SelectLTLWeights();

  // Frame "Zip Code Information".
  forms::Frame& fraZipCodeInformation = Add<forms::Frame>(
      "fraZipCodeInformation", {120, 60, 4560, 5460}, {.caption = "Zip Code Information"});
  forms::Label& lblHeadlineZip =
      Add<forms::Label>("lblHeadlineZip", {120, 330, 1080, 225},
                        {.container = &fraZipCodeInformation, .caption = "Headline Zip"});
  forms::TextBox& txtHeadlineZip = Add<forms::TextBox>(
      "txtHeadlineZip", {1260, 300, 780, 285},
      {.container = &fraZipCodeInformation, .tab_index = 0, .max_length = 5});
  forms::OptionButton& optOutBound = Add<forms::OptionButton>(
      "optOutBound", {2280, 240, 2040, 255},
      {.container = &fraZipCodeInformation, .caption = "From Headline", .tab_index = 1, .value = 1});
  forms::OptionButton& optInBound = Add<forms::OptionButton>(
      "optInBound", {2280, 540, 2040, 255},
      {.container = &fraZipCodeInformation, .caption = "To Headline", .tab_index = 2});
  forms::Label& lblSidelineHeading = Add<forms::Label>(
      "lblSidelineHeading", {120, 900, 4320, 420},
      {.container = &fraZipCodeInformation,
       .caption = "Enter 3 Digit Zip Code Range or 2 Character State Code or US",
       .word_wrap = true});
  forms::ControlArray<forms::Label>& lblLow = AddArray<forms::Label>("lblLow");
  forms::ControlArray<forms::Label>& lblHigh = AddArray<forms::Label>("lblHigh");
  forms::ControlArray<forms::TextBox>& txtSidelineZipLow =
      AddArray<forms::TextBox>("txtSidelineZipLow");
  forms::ControlArray<forms::TextBox>& txtSidelineZipHigh =
      AddArray<forms::TextBox>("txtSidelineZipHigh");
  forms::CommandButton& btnClearSidelineZips = Add<forms::CommandButton>(
      "btnClearSidelineZips", {1200, 4920, 2160, 375},
      {.container = &fraZipCodeInformation, .caption = "Clear Sideline Zips", .tab_index = 35});

  // Frame "Weight Selection".
  forms::Frame& fraWeightSelection = Add<forms::Frame>(
      "fraWeightSelection", {4800, 60, 4620, 1980}, {.caption = "Weight Selection"});
  forms::ControlArray<forms::CheckBox>& chkWeight = AddArray<forms::CheckBox>("chkWeight");
  forms::CommandButton& btnWeightSelectLTL = Add<forms::CommandButton>(
      "btnWeightSelectLTL", {120, 1440, 1380, 375},
      {.container = &fraWeightSelection, .caption = "Select LTL", .tab_index = 45});
  forms::CommandButton& btnWeightSelectAll = Add<forms::CommandButton>(
      "btnWeightSelectAll", {1650, 1440, 1380, 375},
      {.container = &fraWeightSelection, .caption = "Select All", .tab_index = 46});
  forms::CommandButton& btnWeightClearAll = Add<forms::CommandButton>(
      "btnWeightClearAll", {3180, 1440, 1380, 375},
      {.container = &fraWeightSelection, .caption = "Clear All", .tab_index = 47});

  // Frame "Class Selection".
  forms::Frame& fraClassSelection = Add<forms::Frame>(
      "fraClassSelection", {4800, 2100, 4620, 2460}, {.caption = "Class Selection"});
  forms::ControlArray<forms::CheckBox>& chkClass = AddArray<forms::CheckBox>("chkClass");
  forms::CommandButton& btnClassSelectAll = Add<forms::CommandButton>(
      "btnClassSelectAll", {120, 1920, 1380, 375},
      {.container = &fraClassSelection, .caption = "Select All", .tab_index = 67});
  forms::CommandButton& btnClassClearAll = Add<forms::CommandButton>(
      "btnClassClearAll", {1650, 1920, 1380, 375},
      {.container = &fraClassSelection, .caption = "Clear All", .tab_index = 68});

  forms::CommandButton& btnDiscount = Add<forms::CommandButton>(
      "btnDiscount", {4800, 4800, 1440, 420}, {.caption = "Discounts", .tab_index = 69});
  forms::CommandButton& btnPrint = Add<forms::CommandButton>(
      "btnPrint", {6390, 4800, 1440, 420}, {.caption = "Print", .tab_index = 70});
  forms::CommandButton& btnStartOver = Add<forms::CommandButton>(
      "btnStartOver", {7980, 4800, 1440, 420},
      {.caption = "Reset", .tab_index = 71, .causes_validation = false});

  // Leaving asks nothing of a half-typed ZIP.
  forms::Menu& mnuExit =
      Add<forms::Menu>("mnuExit", {}, {.caption = "E&xit", .causes_validation = false});
  forms::Menu& mnuRateSheetOptions =
      Add<forms::Menu>("mnuRateSheetOptions", {}, {.caption = "Rate Sheet &Options"});

 private:
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
  void Form_KeyPress(int& key_ascii) override;

  void mnuExit_Click();
  void mnuRateSheetOptions_Click();
  void btnDiscount_Click();
  void btnPrint_Click();
  void btnStartOver_Click();
  void btnClearSidelineZips_Click();
  void btnClassClearAll_Click();
  void btnClassSelectAll_Click();
  void btnWeightClearAll_Click();
  void btnWeightSelectLTL_Click();
  void btnWeightSelectAll_Click();

  void txtHeadlineZip_GotFocus();
  void txtHeadlineZip_KeyDown(int& key_code, int shift);
  void txtHeadlineZip_KeyPress(int& key_ascii);
  void txtHeadlineZip_Validate(bool& cancel);
  void txtSidelineZipLow_GotFocus(int index);
  void txtSidelineZipHigh_GotFocus(int index);
  void txtSidelineZipLow_KeyPress(int index, int& key_ascii);
  void txtSidelineZipHigh_KeyPress(int index, int& key_ascii);
  void txtSidelineZipLow_LostFocus(int index);
  void txtSidelineZipHigh_LostFocus(int index);

  void AddArrays();
  void BindHandlers();
  void LoadTariffTables();
  // Expands a state code or "US" typed into low box i; returns the number of rows it
  // covers, 0 when nothing was filled.
  int ExpandStateCode(int index, const std::string& code);
  // Sets both boxes of pair i, each cut to the boxes' width.
  void SetPair(int index, const std::string& low, const std::string& high);
  // Every filled pair is two valid prefixes of one kind, low not above high.
  bool CheckFilledPairs();
  bool OriginLocked();
  // Shows an OK-only message and puts the focus on `control`, its text selected.
  void Fail(const std::string& message, forms::Control& control);
};

}  // namespace frelane

#endif  // FRELANE_RATESHEET_FRM_RATE_SHEET_H_
