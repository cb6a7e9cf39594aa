// frmRateSheetDiscounts: shows and edits the rate sheet's three discount sets and the switch
// that lets zip-range discounts take priority. Save changes the sets in memory only; Ignore
// drops the edits.
//
// Geometry in twips; the frames stand side by side and the form narrows to the frames shown.
#ifndef FRELANE_RATESHEET_FRM_RATE_SHEET_DISCOUNTS_H_
#define FRELANE_RATESHEET_FRM_RATE_SHEET_DISCOUNTS_H_


#include "frelane/ratesheet/discount_sets.h"
#include "platform/forms/form.h"

namespace frelane {

class frmRateSheetDiscounts : public forms::Form {
 public:
  static constexpr int kDesignWidth = 6555;
  static constexpr int kNarrowWidth = 4455;

  frmRateSheetDiscounts();

  // The boxes of a set's frame.
  forms::ControlArray<forms::TextBox>& Boxes(ratesheet::DiscountSet set);

  forms::Frame& fraDiscounts =
      Add<forms::Frame>("fraDiscounts", {120, 120, 2040, 1800}, {.caption = "Interstate"});
  forms::Frame& fraDiscountsIntra =
      Add<forms::Frame>("fraDiscountsIntra", {2220, 120, 2040, 1800}, {.caption = "Intrastate"});
  forms::Frame& fraDiscountsCanada =
      Add<forms::Frame>("fraDiscountsCanada", {4320, 120, 2040, 1800}, {.caption = "Canada"});
  forms::ControlArray<forms::Label>& lblDiscount = AddArray<forms::Label>("lblDiscount");
  forms::ControlArray<forms::Label>& lblDiscountUnit = AddArray<forms::Label>("lblDiscountUnit");
  forms::ControlArray<forms::TextBox>& txtDiscount = AddArray<forms::TextBox>("txtDiscount");
  forms::ControlArray<forms::Label>& lblDiscountIntra = AddArray<forms::Label>("lblDiscountIntra");
  forms::ControlArray<forms::Label>& lblDiscountIntraUnit =
      AddArray<forms::Label>("lblDiscountIntraUnit");
  forms::ControlArray<forms::TextBox>& txtDiscountIntra =
      AddArray<forms::TextBox>("txtDiscountIntra");
  forms::ControlArray<forms::Label>& lblDiscountCanada =
      AddArray<forms::Label>("lblDiscountCanada");
  forms::ControlArray<forms::Label>& lblDiscountCanadaUnit =
      AddArray<forms::Label>("lblDiscountCanadaUnit");
  forms::ControlArray<forms::TextBox>& txtDiscountCanada =
      AddArray<forms::TextBox>("txtDiscountCanada");

  forms::Frame& fraZipDiscounts = Add<forms::Frame>("fraZipDiscounts", {2010, 2040, 2535, 660},
                                                    {.caption = "Zip Specific Discounts"});
  forms::CheckBox& chkUseZipDiscounts =
      Add<forms::CheckBox>("chkUseZipDiscounts", {120, 300, 900, 255},
                           {.container = &fraZipDiscounts, .caption = "Use", .tab_index = 12});
  forms::CommandButton& btnZipDiscounts =
      Add<forms::CommandButton>("btnZipDiscounts", {1260, 210, 1155, 375},
                                {.container = &fraZipDiscounts, .caption = "Set", .tab_index = 13});
  forms::CommandButton& btnSave = Add<forms::CommandButton>(
      "btnSave", {840, 2880, 1215, 375}, {.caption = "Save", .tab_index = 14});
  forms::CommandButton& btnIgnore = Add<forms::CommandButton>(
      "btnIgnore", {2400, 2880, 1215, 375}, {.caption = "Ignore", .tab_index = 15, .is_cancel = true});

 private:
  void Form_Load() override;
  void btnSave_Click();
  void btnIgnore_Click();
  void btnZipDiscounts_Click();

  // Lays out a set's frame and binds its boxes' focus and key handling.
  void AddFrame(forms::Frame& frame, forms::ControlArray<forms::Label>& captions,
                forms::ControlArray<forms::Label>& units, forms::ControlArray<forms::TextBox>& boxes,
                int first_tab);
  // Shows or hides element i of every frame: its caption, box and unit.
  void ShowElement(int i, bool visible);
  void ArrangeFrames();
  static void FilterKey(forms::TextBox& box, int& key_ascii);
};

}  // namespace frelane

#endif  // FRELANE_RATESHEET_FRM_RATE_SHEET_DISCOUNTS_H_
