#include "frelane/core/frm_defaults.h"

#include <cmath>
#include <limits>

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/form_setup.h"
#include "frelane/core/frm_zip_discounts.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

namespace s = settings;

constexpr int kHourglass = 11;
constexpr int kDefaultPointer = 0;
constexpr int kRowTop = 120;
constexpr int kRowHeight = 360;
constexpr const char* kDiscountCaptions[] = {"MC", "LTL", "TL", "MC Floor"};
constexpr const char* kDiscountUnits[] = {"%", "%", "%", "$"};
constexpr int kDiscountMaxLength[] = {5, 5, 5, 6};

// Layout of the discount frames, twips.
constexpr int kDiscountsLeftBeside = 100;
constexpr int kDiscountsLeftAlone = 1140;
constexpr int kCanadaLeftWithoutIntra = 1800;
constexpr int kNarrowMainWidth = 3560;
constexpr int kNarrowFormWidth = 7890;
constexpr int kNarrowPromptLeft = 4860;

void Say(const std::string& message) { forms::MsgBox(message); }

// The number a box holds: 0 for an empty box and for one that holds no number (a lone
// decimal character).
double BoxValue(forms::TextBox& box) { return modMain::SafeValue(modMain::Trim(box.Text())); }

std::int32_t WholePounds(double value) {
  double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min())) return 0;
  if (rounded > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(rounded);
}

// Save checks only boxes the user can change: a value nobody can correct must not block it.
bool UserCanChange(const forms::Control& box) {
  return box.IsShown() && box.IsEffectivelyEnabled();
}

}  // namespace

frmDefaults::frmDefaults()
    : Form("frmDefaults", {.caption = "Defaults",
                           .width = 9420,
                           .height = 5640,
                           .key_preview = true,
                           .center = true}) {
  AddDiscountSet(fraDiscounts, lblDiscount, lblDiscountLabel, txtDiscount, 25);
  AddDiscountSet(fraDiscountsIntra, lblDiscountIntra, lblDiscountIntraLabel, txtDiscountIntra,
                 30);
  AddDiscountSet(fraDiscountsCanada, lblDiscountCanada, lblDiscountCanadaLabel,
                 txtDiscountCanada, 35);
  BindHandlers();
}

forms::Label& frmDefaults::RowLabel(const char* name, int row, const char* caption,
                                    bool visible) {
  return Add<forms::Label>(name, {120, kRowTop + row * kRowHeight + 30, 2580, 225},
                           {.caption = caption, .visible = visible});
}

forms::TextBox& frmDefaults::RowBox(const char* name, int row, int max_length, bool visible) {
  return Add<forms::TextBox>(
      name, {2760, kRowTop + row * kRowHeight, 900, 285},
      {.tab_index = row, .visible = visible, .max_length = max_length});
}

forms::Frame& frmDefaults::OptionFrame(const char* name, int left, int tab_index,
                                       const char* spoken) {
  return Add<forms::Frame>(name, {left, 180, 1120, 660},
                           {.container = &fraDiscountMain, .tab_index = tab_index,
                            .accessible_name = spoken});
}

forms::OptionButton& frmDefaults::Option(const char* name, forms::Frame& frame, int row,
                                         const char* caption, int tab_index) {
  return Add<forms::OptionButton>(name, {90, 120 + row * 270, 990, 255},
                                  {.container = &frame, .caption = caption,
                                   .tab_index = tab_index});
}

forms::Frame& frmDefaults::DiscountFrame(const char* name, int left, const char* caption,
                                         int tab_index) {
  return Add<forms::Frame>(name, {left, 900, 1580, 1620},
                           {.container = &fraDiscountMain, .caption = caption,
                            .tab_index = tab_index});
}

void frmDefaults::AddDiscountSet(forms::Frame& frame, forms::ControlArray<forms::Label>& labels,
                                 forms::ControlArray<forms::Label>& units,
                                 forms::ControlArray<forms::TextBox>& boxes,
                                 int first_tab_index) {
  for (int i = 1; i <= 4; ++i) {
    const int top = 240 + (i - 1) * 330;
    labels.Add(i, {60, top + 30, 750, 225},
               {.container = &frame, .caption = kDiscountCaptions[i - 1]});
    boxes.Add(i, {810, top, 510, 285},
              {.container = &frame, .tab_index = first_tab_index + i - 1,
               .max_length = kDiscountMaxLength[i - 1]});
    units.Add(i, {1350, top + 30, 180, 225},
              {.container = &frame, .caption = kDiscountUnits[i - 1]});
  }
}

void frmDefaults::BindNumericBox(forms::TextBox& box, int decimals) {
  box.on.GotFocus = [&box] { modMain::SelectAllText(box); };
  box.on.KeyPress = [&box, decimals](int& key) {
    modMain::SetNumericKey(box, key, box.MaxLength(), decimals);
  };
}

void frmDefaults::BindHandlers() {
  for (forms::TextBox* box : {&txtOrigin, &txtDestination}) {
    box->on.GotFocus = [box] { modMain::SelectAllText(*box); };
    box->on.KeyPress = [box](int& key) { modMain::SetZipKey(*box, key, false); };
    box->on.Validate = [this, box](bool& cancel) { cancel = !CheckZip(*box); };
  }
  cboClass.on.GotFocus = [this] { modMain::SelectAllText(cboClass); };
  cboClass.on.KeyPress = [this](int& key) { modMain::SetNumericKey(cboClass, key, 5, 1); };
  cboClass.on.Validate = [this](bool& cancel) { cancel = !CheckClass(); };
  BindNumericBox(txtWeight, 0);
  BindNumericBox(txtFuelSurchargeLTL, 3);
  BindNumericBox(txtFuelSurchargeLTLFloor, 2);
  BindNumericBox(txtFuelSurchargeTL, 3);
  BindNumericBox(txtFuelSurchargeTLFloor, 2);
  BindNumericBox(txtRateAdjustmentFactor, 2);
  BindNumericBox(txtCanadianExchangeFactor, 3);
  BindNumericBox(txtHiddenRateAdjustmentFactor, 2);
  for (forms::ControlArray<forms::TextBox>* set :
       {&txtDiscount, &txtDiscountIntra, &txtDiscountCanada}) {
    set->on.GotFocus = [set](int index) { modMain::SelectAllTextItem(*set, index); };
    set->on.KeyPress = [set](int index, int& key) {
      modMain::SetNumericKey((*set)(index), key, (*set)(index).MaxLength(), 2);
    };
  }
  Bind(optOne.on.Click, &frmDefaults::optOne_Click);
  Bind(optThree.on.Click, &frmDefaults::optThree_Click);
  Bind(optFixed.on.Click, &frmDefaults::optFixed_Click);
  Bind(optInput.on.Click, &frmDefaults::optInput_Click);
  Bind(btnZipDiscounts.on.Click, &frmDefaults::btnZipDiscounts_Click);
  Bind(btnSave.on.Click, &frmDefaults::btnSave_Click);
  Bind(btnIgnore.on.Click, &frmDefaults::btnIgnore_Click);
}

void frmDefaults::Form_Load() {
  forms::Screen().SetMousePointer(kHourglass);
  modMain::SetFormIcon(*this);
  const SettingsRecord& st = modMain::Settings();

  const ClassTable& classes = modMain::Classes();
  for (int i = 1; i <= 18; ++i) cboClass.AddItem(runtime::CStr(classes[static_cast<std::size_t>(i)]));

  txtOrigin.SetText(modMain::Trim(st.Text(s::kDefaultOrigin)));
  txtOrigin.SetEnabled(!st.On(s::kOriginLocked));
  txtDestination.SetText(modMain::Trim(st.Text(s::kDefaultDestination)));
  txtDestination.SetEnabled(!st.On(s::kDestinationLocked));
  cboClass.SetText(modMain::Trim(st.Text(s::kDefaultClass)));
  cboClass.SetEnabled(!st.On(s::kClassLocked));
  txtWeight.SetText(runtime::CStr(st.I32(s::kDefaultWeight)));
  txtWeight.SetEnabled(!st.On(s::kWeightLocked));

  const bool ltl_locked = st.On(s::kLtlFuelSurchargeLocked);
  txtFuelSurchargeLTL.SetText(runtime::Format(st.F64(s::kLtlFuelSurcharge), "0.000"));
  txtFuelSurchargeLTLFloor.SetText(runtime::Format(st.F64(s::kLtlFuelSurchargeFloor), "0.00"));
  txtFuelSurchargeLTL.SetEnabled(!ltl_locked);
  txtFuelSurchargeLTLFloor.SetEnabled(!ltl_locked);
  const bool tl_locked = st.On(s::kTlFuelSurchargeLocked);
  txtFuelSurchargeTL.SetText(runtime::Format(st.F64(s::kTlFuelSurcharge), "0.000"));
  txtFuelSurchargeTLFloor.SetText(runtime::Format(st.F64(s::kTlFuelSurchargeFloor), "0.00"));
  txtFuelSurchargeTL.SetEnabled(!tl_locked);
  txtFuelSurchargeTLFloor.SetEnabled(!tl_locked);
  txtRateAdjustmentFactor.SetText(runtime::Format(st.F64(s::kRateAdjustmentFactor), "0.00"));
  txtRateAdjustmentFactor.SetEnabled(!st.On(s::kRateAdjustmentFactorLocked));

  if (modMain::CompanyNameStartsWith("FARVEL")) {
    txtRateAdjustmentFactor.SetText("1.0");
    txtRateAdjustmentFactor.SetVisible(false);
    lblRateAdjustmentFactor.SetVisible(false);
    lblCanadianExchangeFactor.SetTop(lblRateAdjustmentFactor.Top());
    txtCanadianExchangeFactor.SetTop(txtRateAdjustmentFactor.Top());
  }

  txtHiddenRateAdjustmentFactor.SetText(
      runtime::Format(st.F64(s::kHiddenRateAdjustmentFactor), "0.00"));
  txtCanadianExchangeFactor.SetText(
      runtime::Format(st.F64(s::kCanadianExchangeFactor), "0.000"));
  txtCanadianExchangeFactor.SetEnabled(!st.On(s::kExchangeFactorLocked));

  const bool ppu_offered = st.On(s::kPricePerUnitOffered);
  chkPricePerUnit.SetValue(ppu_offered && st.On(s::kPricePerUnitDefault) ? 1 : 0);
  chkPricePerUnit.SetVisible(ppu_offered);
  const bool accessorial_offered = st.On(s::kAccessorialPromptOffered);
  chkAccessorialCharges.SetValue(
      accessorial_offered && st.On(s::kAccessorialPromptDefault) ? 1 : 0);
  chkAccessorialCharges.SetVisible(accessorial_offered);
  if (!ppu_offered && !accessorial_offered) fraPromptFor.SetVisible(false);
  if (modMain::CompanyNameStartsWith("QUARLEN")) chkAccessorialCharges.SetCaption("Value Added Services");

  const int count = st.I16(s::kDiscountCount);
  if (count == 1 || count == 3) {
    (count == 1 ? optOne : optThree).SetValue(true);
    fraDiscounts2.SetVisible(true);
    (st.On(s::kDiscountOnCharges) ? optCharges : optRates).SetValue(true);
    if (st.On(s::kDiscountsFixed)) {
      optFixed.SetValue(true);
      fraDiscounts.SetVisible(true);
    } else {
      optInput.SetValue(true);
      fraDiscounts.SetVisible(false);
    }
    FillDiscountValues();
  } else {
    fraDiscounts2.SetVisible(false);
    fraDiscounts.SetVisible(false);
  }
  LayOutDiscountFrames();
  forms::Screen().SetMousePointer(kDefaultPointer);
}

void frmDefaults::FillDiscountValues() {
  const SettingsRecord& st = modMain::Settings();
  for (int i = 1; i <= 4; ++i) {
    txtDiscount(i).SetText(runtime::Format(st.F64(s::kUsDiscounts, i), "0.00"));
    txtDiscountIntra(i).SetText(runtime::Format(st.F64(s::kIntrastateDiscounts, i), "0.00"));
    txtDiscountCanada(i).SetText(runtime::Format(st.F64(s::kCanadaDiscounts, i), "0.00"));
  }
}

void frmDefaults::LayOutDiscountFrames() {
  const SettingsRecord& st = modMain::Settings();
  const bool intra = st.On(s::kIntrastateDiscountsEnabled);
  const bool canada = st.On(s::kCanadaDiscountsEnabled);
  const bool fixed = optFixed.Value();
  if (intra) {
    fraDiscounts.SetLeft(kDiscountsLeftBeside);
    if (canada) fraDiscounts.SetCaption("Interstate");
    if (fixed) fraDiscountsIntra.SetVisible(true);
  } else {
    fraDiscounts.SetLeft(kDiscountsLeftAlone);
  }
  if (canada) {
    if (!intra) {
      fraDiscounts.SetLeft(kDiscountsLeftBeside);
      fraDiscountsCanada.SetLeft(kCanadaLeftWithoutIntra);
      fraDiscountMain.SetWidth(kNarrowMainWidth);
      SetWidth(kNarrowFormWidth);
      fraPromptFor.SetLeft(kNarrowPromptLeft);
      fraDiscounts.SetCaption("US");
    }
    if (fixed) fraDiscountsCanada.SetVisible(true);
  }
  const bool zip_offered = st.On(s::kZipDiscountsOffered);
  if (zip_offered) {
    fraZipDiscounts.SetVisible(fixed);
    chkUseZipDiscounts.SetValue(st.On(s::kZipDiscountsUsed) ? 1 : 0);
  } else {
    fraZipDiscounts.SetVisible(false);
  }
  if (!st.On(s::kMcFloorDiscountShown)) {
    ShowDiscountColumn(s::kDiscountMcFloor, false);
    for (auto* set : {&txtDiscount, &txtDiscountIntra, &txtDiscountCanada}) {
      (*set)(s::kDiscountMcFloor).SetText("");
    }
  }
  if (!canada) {
    fraDiscountMain.SetWidth(kNarrowMainWidth);
    SetWidth(kNarrowFormWidth);
    fraPromptFor.SetLeft(kNarrowPromptLeft);
  }
  if (zip_offered) {
    fraZipDiscounts.SetLeft(static_cast<int>(std::lround(fraDiscountMain.Width())) / 2 -
                            static_cast<int>(std::lround(fraZipDiscounts.Width())) / 2);
  }
}

void frmDefaults::ShowDiscountColumn(int i, bool shown) {
  for (auto* labels : {&lblDiscount, &lblDiscountIntra, &lblDiscountCanada}) {
    (*labels)(i).SetVisible(shown);
  }
  for (auto* units : {&lblDiscountLabel, &lblDiscountIntraLabel, &lblDiscountCanadaLabel}) {
    (*units)(i).SetVisible(shown);
  }
  for (auto* boxes : {&txtDiscount, &txtDiscountIntra, &txtDiscountCanada}) {
    (*boxes)(i).SetVisible(shown);
  }
}

void frmDefaults::SetDiscountColumnCaption(int i, const std::string& caption) {
  for (auto* labels : {&lblDiscount, &lblDiscountIntra, &lblDiscountCanada}) {
    (*labels)(i).SetCaption(caption);
  }
}

void frmDefaults::optOne_Click() {
  ShowDiscountColumn(s::kDiscountMc, false);
  ShowDiscountColumn(s::kDiscountTl, false);
  SetDiscountColumnCaption(s::kDiscountLtl, "ALL");
}

void frmDefaults::optThree_Click() {
  // This customer gives no minimum-charge discount.
  ShowDiscountColumn(s::kDiscountMc, !modMain::CompanyNameStartsWith("VORNHALT"));
  SetDiscountColumnCaption(s::kDiscountLtl, "LTL");
  ShowDiscountColumn(s::kDiscountTl, !modMain::Settings().On(s::kTlDiscountHidden));
}

void frmDefaults::optFixed_Click() {
  const SettingsRecord& st = modMain::Settings();
  fraDiscounts.SetVisible(true);
  fraDiscountsIntra.SetVisible(st.On(s::kIntrastateDiscountsEnabled));
  fraDiscountsCanada.SetVisible(st.On(s::kCanadaDiscountsEnabled));
  fraZipDiscounts.SetVisible(st.On(s::kZipDiscountsOffered));
}

void frmDefaults::optInput_Click() {
  for (forms::Frame* f : {&fraDiscounts, &fraDiscountsIntra, &fraDiscountsCanada,
                          &fraZipDiscounts}) {
    f->SetVisible(false);
  }
}

void frmDefaults::Form_KeyPress(int& key_ascii) {
  if (key_ascii == kHiddenFactorToggleKey) {
    const bool shown = !txtHiddenRateAdjustmentFactor.Visible();
    lblHiddenRateAdjustmentFactor.SetVisible(shown);
    txtHiddenRateAdjustmentFactor.SetVisible(shown);
    key_ascii = 0;
    return;
  }
  modMain::EnterAsTab(key_ascii);
}

bool frmDefaults::CheckClass() {
  const std::string text = modMain::Trim(cboClass.Text());
  if (text.empty() || modMain::IsValidClass(modMain::SafeValue(text))) return true;
  modMain::RefuseEntry(cboClass, kInvalidClassMessage);
  return false;
}

bool frmDefaults::CheckZip(forms::TextBox& box) {
  const std::string text = modMain::Trim(box.Text());
  if (text.empty() || modMain::IsValidZip(text)) return true;
  modMain::RefuseEntry(box, kInvalidZipMessage);
  return false;
}

// A discount percentage of 100 or more would give no charge or a negative one.
bool frmDefaults::CheckDiscountPercentages() {
  for (auto* set : {&txtDiscount, &txtDiscountIntra, &txtDiscountCanada}) {
    for (int i = s::kDiscountMc; i <= s::kDiscountTl; ++i) {
      forms::TextBox& box = (*set)(i);
      if (!UserCanChange(box)) continue;
      if (BoxValue(box) >= 100) {
        modMain::RefuseEntry(box, kInvalidDiscountMessage);
        return false;
      }
    }
  }
  return true;
}

void frmDefaults::btnSave_Click() {
  // A locked factor is written back as it was read: the user could not correct it.
  const double factor = BoxValue(txtRateAdjustmentFactor);
  if (UserCanChange(txtRateAdjustmentFactor) && !(factor > 0 && factor <= 3)) {
    modMain::RefuseEntry(txtRateAdjustmentFactor, kRateFactorMessage);
    return;
  }
  // A negative factor can only come from the file; it is refused like one above 3.
  const double hidden = BoxValue(txtHiddenRateAdjustmentFactor);
  if (hidden < 0 || hidden > 3) {
    Say(kHiddenFactorMessage);
    return;
  }
  if ((UserCanChange(txtOrigin) && !CheckZip(txtOrigin)) ||
      (UserCanChange(txtDestination) && !CheckZip(txtDestination)) ||
      (UserCanChange(cboClass) && !CheckClass()) || !CheckDiscountPercentages()) {
    return;
  }

  SettingsRecord next = modMain::Settings();
  next.SetF64(s::kLtlFuelSurcharge, BoxValue(txtFuelSurchargeLTL));
  next.SetF64(s::kLtlFuelSurchargeFloor, BoxValue(txtFuelSurchargeLTLFloor));
  next.SetF64(s::kTlFuelSurcharge, BoxValue(txtFuelSurchargeTL));
  next.SetF64(s::kTlFuelSurchargeFloor, BoxValue(txtFuelSurchargeTLFloor));
  next.SetF64(s::kRateAdjustmentFactor, factor);
  next.SetF64(s::kHiddenRateAdjustmentFactor, hidden);
  next.SetF64(s::kCanadianExchangeFactor, BoxValue(txtCanadianExchangeFactor));

  next.SetText(s::kDefaultOrigin, txtOrigin.Text());
  next.SetText(s::kDefaultDestination, txtDestination.Text());
  const std::string cls = modMain::Trim(cboClass.Text());
  next.SetText(s::kDefaultClass,
               cls.empty() ? cboClass.Text() : runtime::CStr(std::trunc(modMain::SafeValue(cls))));
  next.SetI32(s::kDefaultWeight, WholePounds(BoxValue(txtWeight)));

  next.SetOn(s::kPricePerUnitDefault, chkPricePerUnit.Value() == forms::CheckBox::kChecked);
  next.SetOn(s::kAccessorialPromptDefault,
             chkAccessorialCharges.Value() == forms::CheckBox::kChecked);
  next.SetOn(s::kZipDiscountsUsed, chkUseZipDiscounts.Value() == forms::CheckBox::kChecked);

  // With a discount count the dialog does not know, no option of the pairs is selected and
  // no value was shown: the discount settings are written back as they were.
  if (optOne.Value() || optThree.Value()) {
    next.SetOn(s::kDiscountsFixed, optFixed.Value());
    next.SetI16(s::kDiscountCount, optOne.Value() ? 1 : 3);
    next.SetOn(s::kDiscountOnCharges, !optRates.Value());
    for (int i = 1; i <= 4; ++i) {
      next.SetF64(s::kUsDiscounts, BoxValue(txtDiscount(i)), i);
      next.SetF64(s::kIntrastateDiscounts, BoxValue(txtDiscountIntra(i)), i);
      next.SetF64(s::kCanadaDiscounts, BoxValue(txtDiscountCanada(i)), i);
    }
  }

  const SettingsRecord before = modMain::Settings();
  modMain::Settings() = next;
  std::string error;
  if (!modMain::SaveSettings(&error)) {
    modMain::Settings() = before;
    Say(error);
    return;
  }
  Unload();
}

void frmDefaults::btnIgnore_Click() { Unload(); }

void frmDefaults::btnZipDiscounts_Click() { App().Get<frmZipDiscounts>().ShowModal(); }

}  // namespace frelane
