#include "frelane/ratesheet/frm_rate_sheet_discounts.h"

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

using ratesheet::DiscountSet;

constexpr const char* kElementCaptions[] = {"MC", "LTL", "TL", "MC Floor"};
constexpr const char* kElementUnits[] = {"%", "%", "%", "$"};
constexpr int kElementWidths[] = {5, 5, 5, 6};
constexpr int kTl = 3;
constexpr int kFloor = 4;

}  // namespace

frmRateSheetDiscounts::frmRateSheetDiscounts()
    : Form("frmRateSheetDiscounts",
           {.caption = "Discounts", .width = kDesignWidth, .height = 3900, .key_preview = false,
            .center = true}) {
  AddFrame(fraDiscounts, lblDiscount, lblDiscountUnit, txtDiscount, 0);
  AddFrame(fraDiscountsIntra, lblDiscountIntra, lblDiscountIntraUnit, txtDiscountIntra, 4);
  AddFrame(fraDiscountsCanada, lblDiscountCanada, lblDiscountCanadaUnit, txtDiscountCanada, 8);
  Bind(btnSave.on.Click, &frmRateSheetDiscounts::btnSave_Click);
  Bind(btnIgnore.on.Click, &frmRateSheetDiscounts::btnIgnore_Click);
  Bind(btnZipDiscounts.on.Click, &frmRateSheetDiscounts::btnZipDiscounts_Click);
}

void frmRateSheetDiscounts::AddFrame(forms::Frame& frame,
                                     forms::ControlArray<forms::Label>& captions,
                                     forms::ControlArray<forms::Label>& units,
                                     forms::ControlArray<forms::TextBox>& boxes, int first_tab) {
  for (int i = 1; i <= ratesheet::kSetValues; ++i) {
    const int top = 300 + (i - 1) * 360;
    captions.Add(i, {120, top + 30, 780, 225}, {.container = &frame, .caption = kElementCaptions[i - 1]});
    boxes.Add(i, {960, top, 720, 285},
              {.container = &frame, .tab_index = first_tab + i - 1,
               .max_length = kElementWidths[i - 1]});
    units.Add(i, {1740, top + 30, 240, 225}, {.container = &frame, .caption = kElementUnits[i - 1]});
  }
  boxes.on.GotFocus = [&boxes](int index) { modMain::SelectAllTextItem(boxes, index); };
  boxes.on.KeyPress = [&boxes](int index, int& key_ascii) { FilterKey(boxes(index), key_ascii); };
}

forms::ControlArray<forms::TextBox>& frmRateSheetDiscounts::Boxes(DiscountSet set) {
  switch (set) {
    case DiscountSet::kIntrastate:
      return txtDiscountIntra;
    case DiscountSet::kCanada:
      return txtDiscountCanada;
    case DiscountSet::kInterstate:
      break;
  }
  return txtDiscount;
}

void frmRateSheetDiscounts::ShowElement(int i, bool visible) {
  for (auto* labels : {&lblDiscount, &lblDiscountUnit, &lblDiscountIntra, &lblDiscountIntraUnit,
                       &lblDiscountCanada, &lblDiscountCanadaUnit}) {
    (*labels)(i).SetVisible(visible);
  }
  for (DiscountSet set : ratesheet::kAllSets) Boxes(set)(i).SetVisible(visible);
}

void frmRateSheetDiscounts::Form_Load() {
  modMain::SetFormIcon(*this);
  const SettingsRecord& s = modMain::Settings();
  ShowElement(1, !modMain::CompanyNameStartsWith("VORNHALT"));
  for (int i = 1; i <= ratesheet::kSetValues; ++i) {
    for (DiscountSet set : ratesheet::kAllSets) {
      Boxes(set)(i).SetText(runtime::Format(ratesheet::SetValue(set, i), "0.00"));
    }
  }
  if (s.On(settings::kTlDiscountHidden)) {
    ShowElement(kTl, false);
    for (DiscountSet set : ratesheet::kAllSets) Boxes(set)(kTl).SetText("");
  }
  if (!s.On(settings::kMcFloorDiscountShown)) ShowElement(kFloor, false);
  ArrangeFrames();
  if (s.On(settings::kZipDiscountsOffered)) {
    fraZipDiscounts.SetVisible(true);
    fraZipDiscounts.SetLeft((ScaleWidth() - fraZipDiscounts.Width()) / 2);
    chkUseZipDiscounts.SetValue(ratesheet::UseZipDiscounts() ? 1 : 0);
  } else {
    fraZipDiscounts.SetVisible(false);
  }
}

void frmRateSheetDiscounts::ArrangeFrames() {
  const bool intra = ratesheet::SetEnabled(DiscountSet::kIntrastate);
  const bool canada = ratesheet::SetEnabled(DiscountSet::kCanada);
  fraDiscountsIntra.SetVisible(intra);
  fraDiscountsCanada.SetVisible(canada);
  if (intra && canada) {
    fraDiscounts.SetCaption("Interstate");
    btnSave.SetLeft(2040);
    btnIgnore.SetLeft(btnSave.Left() + 1380);
    return;
  }
  SetWidth(kNarrowWidth);
  if (intra) {
    fraDiscounts.SetCaption("");
  } else if (canada) {
    fraDiscounts.SetCaption("US");
    fraDiscountsCanada.SetLeft(2220);
  } else {
    fraDiscounts.SetCaption("");
    fraDiscounts.SetLeft(1200);
  }
}

void frmRateSheetDiscounts::btnSave_Click() {
  for (int i = 1; i <= ratesheet::kSetValues; ++i) {
    for (DiscountSet set : ratesheet::kAllSets) {
      const std::string text = runtime::Trim(Boxes(set)(i).Text());
      // Text that is not a number (a lone decimal character) stores 0.
      ratesheet::SetSetValue(set, i, text.empty() ? 0.0 : modMain::SafeValue(text));
    }
  }
  ratesheet::UseZipDiscounts() = chkUseZipDiscounts.Value() == 1;
  Unload();
}

void frmRateSheetDiscounts::btnIgnore_Click() { Unload(); }

// The editor writes ZipDisc.dat itself, whatever Save or Ignore does here afterwards.
void frmRateSheetDiscounts::btnZipDiscounts_Click() { App().Get<frmZipDiscounts>().ShowModal(); }

void frmRateSheetDiscounts::FilterKey(forms::TextBox& box, int& key_ascii) {
  modMain::SetNumericKey(box, key_ascii, box.MaxLength(), 2);
  modMain::EnterAsTab(key_ascii);
}

}  // namespace frelane
