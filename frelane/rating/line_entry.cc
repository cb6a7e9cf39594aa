// The freight lines and the boxes beside them: class and weight entry with their defaults
// and locks, the end of a shipment when the user moves on past a blank class or weight, the
// discount and units boxes, the focus memory the toolbar relies on and the tab trap.
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_discounts.h"
#include "frelane/rating/shipment_export.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr int kScreenLines = 8;
constexpr int kKeyDelete = 46;

// The line index of `control` when it is a class combo or a weight box of the screen; 0
// otherwise.
int FreightLineOf(const forms::Control* control) {
  if (control == nullptr) return 0;
  if (control->Name() != "cboClass" && control->Name() != "txtWeight") return 0;
  return control->Index();
}

std::string DefaultClass() {
  return modMain::Trim(modMain::Settings().Text(settings::kDefaultClass));
}
bool ClassLocked() { return modMain::Settings().On(settings::kClassLocked); }
bool WeightLocked() { return modMain::Settings().On(settings::kWeightLocked); }

int DetailCount() {
  return static_cast<int>(modMain::SafeValue(std::as_const(modTolvDeclares32::ShipmentRecord())
                                                 .header()
                                                 .Text(tolv::shipment_header::kDetailCount)));
}

// The focus goes to `control` when it can take it; a hidden or disabled one is skipped.
bool FocusIfPossible(forms::Control& control) {
  return control.CanTakeFocus() && control.SetFocus();
}

}  // namespace

// Binding only: touching a control here would load the form before it is shown.
void frmRatingScreen::BindLineEntry() {
  Bind(cboClass.on.Change, &frmRatingScreen::cboClass_Change);
  Bind(cboClass.on.Click, &frmRatingScreen::cboClass_Click);
  Bind(cboClass.on.KeyDown, &frmRatingScreen::cboClass_KeyDown);
  Bind(cboClass.on.Validate, &frmRatingScreen::cboClass_Validate);
  Bind(cboClass.on.LostFocus, &frmRatingScreen::cboClass_LostFocus);
  Bind(txtWeight.on.Change, &frmRatingScreen::txtWeight_Change);
  Bind(txtWeight.on.KeyDown, &frmRatingScreen::txtWeight_KeyDown);
  Bind(txtWeight.on.Validate, &frmRatingScreen::txtWeight_Validate);
  Bind(txtWeight.on.LostFocus, &frmRatingScreen::txtWeight_LostFocus);
  Bind(txtDiscount.on.Change, &frmRatingScreen::txtDiscount_Change);
  Bind(txtPPU.on.Change, &frmRatingScreen::txtPPU_Change);
  Bind(txtHidden.on.GotFocus, &frmRatingScreen::txtHidden_GotFocus);
  Bind(cboOriginCity.on.GotFocus, &frmRatingScreen::cboOriginCity_GotFocus);
  Bind(cboDestinationCity.on.GotFocus, &frmRatingScreen::cboDestinationCity_GotFocus);
}

// Class combos.
void frmRatingScreen::cboClass_Change(int index) {
  lblFAK(index).SetCaption("");
  lblRate(index).SetCaption("");
  lblCharge(index).SetCaption("");
}

void frmRatingScreen::cboClass_Click(int index) {
  if (!DefaultClass().empty() && ClassLocked()) cboClass(index).SetText(DefaultClass());
}

void frmRatingScreen::cboClass_GotFocus(int index) {
  forms::ComboBox& box = cboClass(index);
  const bool given_back = FocusGivenBack(box);
  if (ReturningToOrigin()) return;
  lblStatusBar.SetCaption(" " + box.ToolTipText());
  if (!DefaultClass().empty() && !given_back) box.SetText(DefaultClass());
  modMain::SelectAllTextItem(cboClass, index);
  LastFocusName = "cboClass";
  LastFocusIndex = std::to_string(index);
}

void frmRatingScreen::cboClass_KeyDown(int /*index*/, int& key_code, int /*shift*/) {
  if (key_code == kKeyDelete && ClassLocked()) key_code = 0;
}

void frmRatingScreen::cboClass_KeyPress(int index, int& key_ascii) {
  if (key_ascii != modMain::kKeyEnter && ClassLocked()) {
    key_ascii = 0;
    return;
  }
  modMain::SetNumericKey(cboClass(index), key_ascii, 5, 1);
}

void frmRatingScreen::cboClass_Validate(int index, bool& cancel) {
  if (ReturningToOrigin()) return;
  const std::string text = modMain::Trim(cboClass(index).Text());
  if (text.empty()) return;
  if (!modMain::IsValidClass(modMain::SafeValue(text))) {
    modMain::RefuseEntry(cboClass(index), "Invalid Class");
    cancel = true;
    return;
  }
  if (modMain::Settings().On(settings::kFakInUse)) ShowFakClass(index);
  CalculateCharges();
}

// Moving on past a blank class to a later line ends the shipment.
void frmRatingScreen::cboClass_LostFocus(int index) {
  forms::ComboBox& box = cboClass(index);
  if (box.SelLength() > 0) box.SetSelLength(0);
  if (forms::Screen().ActiveForm() != this) return;
  const int now_on = FreightLineOf(forms::Screen().ActiveControl());
  if (now_on == 0 || now_on < index) return;
  if (!modMain::Trim(box.Text()).empty()) return;
  txtWeight(index).SetText("");
  ExportShipmentWhenExportAll(*this);
  ReturnToOrigin(OriginReturn::kNewShipment);
}

void frmRatingScreen::cboOriginCity_GotFocus() { LastFocusName = "cboOriginCity"; }
void frmRatingScreen::cboDestinationCity_GotFocus() { LastFocusName = "cboDestinationCity"; }

// Weight boxes.
void frmRatingScreen::txtWeight_Change(int index) {
  lblRate(index).SetCaption("");
  lblCharge(index).SetCaption("");
}

void frmRatingScreen::txtWeight_GotFocus(int index) {
  forms::TextBox& box = txtWeight(index);
  const bool given_back = FocusGivenBack(box);
  if (ReturningToOrigin()) return;
  lblStatusBar.SetCaption(box.ToolTipText() + " ");
  const std::int32_t default_weight = modMain::Settings().I32(settings::kDefaultWeight);
  if (default_weight > 0 && !given_back) box.SetText(std::to_string(default_weight));
  modMain::SelectAllTextItem(txtWeight, index);
  LastFocusName = "txtWeight";
  LastFocusIndex = std::to_string(index);
}

void frmRatingScreen::txtWeight_KeyPress(int index, int& key_ascii) {
  if (WeightLocked()) {
    if (key_ascii != modMain::kKeyEnter) key_ascii = 0;
    return;
  }
  forms::TextBox& box = txtWeight(index);
  modMain::SetNumericKey(box, key_ascii, box.MaxLength(), 0);
}

// A locked weight loses no text to Delete either.
void frmRatingScreen::txtWeight_KeyDown(int /*index*/, int& key_code, int /*shift*/) {
  if (key_code == kKeyDelete && WeightLocked()) key_code = 0;
}

void frmRatingScreen::txtWeight_Validate(int index, bool& /*cancel*/) {
  if (ReturningToOrigin()) return;
  if (modMain::SafeValue(cboClass(index).Text()) != 0) CalculateCharges();
}

void frmRatingScreen::txtWeight_LostFocus(int index) {
  forms::DoEvents();
  const int now_on = FreightLineOf(forms::Screen().ActiveControl());
  if (modMain::Trim(txtWeight(index).Text()).empty() && now_on > index) {
    // A blank weight followed by a later line: the shipment ends here.
    cboClass(index).SetText("");
    if (modMain::Trim(txtWeight(now_on).Text()).empty() ||
        modMain::Trim(cboClass(now_on).Text()).empty()) {
      cboClass(now_on).SetText("");
      txtWeight(now_on).SetText("");
    }
    ExportShipmentWhenExportAll(*this);
    ReturnToOrigin(OriginReturn::kNewShipment);
    return;
  }
  if (modMain::SafeValue(cboClass(index).Text()) == 0 &&
      modMain::SafeValue(txtWeight(index).Text()) > 0) {
    txtWeight(index).SetText("");  // a weight without a class is dropped
  }
  if (index == kScreenLines && forms::Screen().ActiveControl() == &btnNewShipment) {
    ExportShipmentWhenExportAll(*this);
  }
}

// Discount and units boxes.
void frmRatingScreen::txtDiscount_Change(int /*index*/) {
  FillDiscountFields();
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::txtDiscount_GotFocus(int index) {
  lblStatusBar.SetCaption(txtDiscount(index).ToolTipText() + " ");
  modMain::SelectAllTextItem(txtDiscount, index);
  LastFocusName = "txtDiscount";
  LastFocusIndex = std::to_string(index);
}

void frmRatingScreen::txtDiscount_KeyPress(int index, int& key_ascii) {
  forms::TextBox& box = txtDiscount(index);
  modMain::SetNumericKey(box, key_ascii, box.MaxLength(), 2);
  // The percentage boxes take at most 99.99; the fourth box is the MC floor in dollars.
  if (index != 4) modMain::RefuseDiscountBeyondLimit(box, key_ascii);
}

void frmRatingScreen::txtPPU_Change() { ShowPricePerUnit(); }

void frmRatingScreen::txtPPU_GotFocus() {
  lblStatusBar.SetCaption(txtPPU.ToolTipText() + " ");
  modMain::SelectAllText(txtPPU);
  LastFocusName = "txtPPU";
}

void frmRatingScreen::txtPPU_KeyPress(int& key_ascii) {
  modMain::SetNumericKey(txtPPU, key_ascii, txtPPU.MaxLength(), 0);
}

// The tab trap past the last field passes the focus on at once.
void frmRatingScreen::txtHidden_GotFocus() {
  if (btnNewShipment.Visible() && FocusIfPossible(btnNewShipment)) return;
  if (txtOrigin.Enabled() && FocusIfPossible(txtOrigin)) return;
  FocusIfPossible(txtDestination);
}

}  // namespace frelane
