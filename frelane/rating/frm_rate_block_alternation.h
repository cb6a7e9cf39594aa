// frmRateBlockAlternation ("Rate Block/Alternation"): the whole rate block of the lane the
// rating screen rated, one row per freight class of the tariff and one column per weight
// break, each cell the rate per 100 lbs or the alternation weight (from which the next break
// gives a lower charge), on the base or the discounted rates; beside it the minimum-charge
// brackets with the MC floor applied. Every switch of the basis rates the lane again.
#ifndef FRELANE_RATING_FRM_RATE_BLOCK_ALTERNATION_H_
#define FRELANE_RATING_FRM_RATE_BLOCK_ALTERNATION_H_

#include "platform/forms/form.h"

namespace frelane {

class frmRateBlockAlternation : public forms::Form {
 public:
  static constexpr int kRows = 19;
  static constexpr int kColumns = 9;
  static constexpr int kBrackets = 30;

  frmRateBlockAlternation();

  forms::Label& lblName = Add<forms::Label>("lblName", {120, 120, 6000, 255}, {.font_bold = true});
  forms::Label& lblOriginCaption =
      Add<forms::Label>("lblOriginCaption", {120, 480, 960, 255}, {.caption = "Origin "});
  forms::Label& lblOriginZip = Add<forms::Label>("lblOriginZip", {1080, 480, 780, 255}, {});
  forms::Label& lblOriginState = Add<forms::Label>("lblOriginState", {1920, 480, 480, 255}, {});
  forms::Label& lblDestinationCaption = Add<forms::Label>(
      "lblDestinationCaption", {2760, 480, 1080, 255}, {.caption = "Destination "});
  forms::Label& lblDestinationZip =
      Add<forms::Label>("lblDestinationZip", {3840, 480, 780, 255}, {});
  forms::Label& lblDestinationState =
      Add<forms::Label>("lblDestinationState", {4680, 480, 480, 255}, {});

  forms::ControlArray<forms::Label>& lblClass = AddArray<forms::Label>("lblClass");
  forms::ControlArray<forms::Label>& lblWeight = AddArray<forms::Label>("lblWeight");
  forms::ControlArray<forms::Label>& lblRates = AddArray<forms::Label>("lblRates");
  forms::Label& lblDiscountCaption =
      Add<forms::Label>("lblDiscountCaption", {120, 5880, 660, 255}, {.caption = "Discount"});
  forms::ControlArray<forms::Label>& lblDiscounts = AddArray<forms::Label>("lblDiscounts");

  forms::Frame& fraShow = Add<forms::Frame>("fraShow", {6360, 60, 1440, 855}, {.caption = "Show"});
  forms::OptionButton& optRates =
      Add<forms::OptionButton>("optRates", {120, 270, 1200, 255},
                               {.container = &fraShow, .caption = "&Rates", .value = 1});
  forms::OptionButton& optAlternation = Add<forms::OptionButton>(
      "optAlternation", {120, 540, 1260, 255}, {.container = &fraShow, .caption = "&Alternation"});
  forms::Frame& fraBasis =
      Add<forms::Frame>("fraBasis", {7920, 60, 1440, 855}, {.caption = "Rates"});
  forms::OptionButton& optBase = Add<forms::OptionButton>(
      "optBase", {120, 270, 1200, 255}, {.container = &fraBasis, .caption = "&Base"});
  forms::OptionButton& optDiscounted =
      Add<forms::OptionButton>("optDiscounted", {120, 540, 1260, 255},
                               {.container = &fraBasis, .caption = "&Discounted", .value = 1});
  forms::Label& lblMinimumChargesCaption = Add<forms::Label>(
      "lblMinimumChargesCaption", {6360, 1020, 3000, 255}, {.caption = "Minimum Charges"});
  forms::ListBox& lstMinimumCharges = Add<forms::ListBox>(
      "lstMinimumCharges", {6360, 1260, 3000, 4455},
      {.tab_stop = false, .font_name = "Courier New", .font_size = 9});
  forms::Label& lblMinimumChargeDiscount =
      Add<forms::Label>("lblMinimumChargeDiscount", {6360, 5880, 3000, 255}, {});

  forms::Menu& mnuPrint = Add<forms::Menu>("mnuPrint", {}, {.caption = "&Print"});
  forms::Menu& mnuExit = Add<forms::Menu>("mnuExit", {}, {.caption = "E&xit"});

  // Procedures of the dialog, in the order the load runs them.
  void FillClassLabels();
  void FillWeightLabels();
  void FillDiscountLabels();
  // Rates the lane with the basis chosen; false (after the message, with the grid emptied)
  // when the engine could not rate it.
  bool RateWithDiscountKind();
  bool RateAndFillGrid();
  void FillMinimumChargeList();
  void RefreshGrid();

 private:
  void Form_Load() override;
  void optRates_Click();
  void optAlternation_Click();
  void optBase_Click();
  void optDiscounted_Click();
  void mnuPrint_Click();
  void mnuExit_Click();

  void ClearGrid();
  // The columns shown: weight breaks up to the spot-quote limit, at most 9.
  int ColumnCount() const;
  int RowCount() const;

  // Set while the load selects its options, whose clicks must not rate on their own.
  bool loading_ = false;
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_RATE_BLOCK_ALTERNATION_H_
