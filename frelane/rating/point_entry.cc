// The point boxes of the rating screen: their keys, focus, edits and validation, and what
// leaving them asks of the user.
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/geography.h"
#include "frelane/core/main_module.h"
#include "frelane/core/service_guide.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/frm_singleshipment.h"
#include "frelane/rating/lane_calls.h"
#include "frelane/rating/lane_rating.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/picked_point.h"
#include "frelane/rating/point_entry.h"
#include "platform/forms/application.h"
#include "platform/os/cp1252.h"
#include "platform/runtime/conversions.h"

namespace frelane {

namespace {

namespace header = tolv::shipment_header;

constexpr int kKeyDelete = 46;

bool OriginLocked() { return modMain::Settings().On(settings::kOriginLocked); }
bool DestinationLocked() { return modMain::Settings().On(settings::kDestinationLocked); }

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void frmRatingScreen::BindPointHandlers() {
  Bind(txtOrigin.on.KeyDown, &frmRatingScreen::txtOrigin_KeyDown);
  Bind(txtDestination.on.KeyDown, &frmRatingScreen::txtDestination_KeyDown);
  Bind(txtOrigin.on.Change, &frmRatingScreen::txtOrigin_Change);
  Bind(txtDestination.on.Change, &frmRatingScreen::txtDestination_Change);
  Bind(txtOrigin.on.Validate, &frmRatingScreen::txtOrigin_Validate);
  Bind(txtDestination.on.Validate, &frmRatingScreen::txtDestination_Validate);
}

void frmRatingScreen::ShowIntrastateTariff(const std::string& caption) {
  showing_lane_ = true;
  lblIntrastateTariff.SetCaption(caption);
  showing_lane_ = false;
}

std::string frmRatingScreen::ExpandShortZip(std::string_view code) {
  std::string trimmed = modMain::Trim(code);
  if (trimmed.size() != 3 || !modMain::Settings().On(settings::kWidenShortPostalCodes)) {
    return trimmed;
  }
  return trimmed + (runtime::Val(trimmed) != 0 ? "01" : "0A");
}

// Keys: a locked point takes only Enter (which moves on) and no Delete.
void frmRatingScreen::txtOrigin_KeyPress(int& key_ascii) {
  if (OriginLocked()) {
    if (key_ascii != modMain::kKeyEnter) key_ascii = 0;
    return;
  }
  modMain::SetZipKey(txtOrigin, key_ascii, false);
}
void frmRatingScreen::txtDestination_KeyPress(int& key_ascii) {
  if (DestinationLocked()) {
    if (key_ascii != modMain::kKeyEnter) key_ascii = 0;
    return;
  }
  modMain::SetZipKey(txtDestination, key_ascii, false);
}
void frmRatingScreen::txtOrigin_KeyDown(int& key_code, int) {
  if (OriginLocked() && key_code == kKeyDelete) key_code = 0;
}
void frmRatingScreen::txtDestination_KeyDown(int& key_code, int) {
  if (DestinationLocked() && key_code == kKeyDelete) key_code = 0;
}

// Every edit of a point withdraws the lane and the shipment rated on it.
void frmRatingScreen::txtOrigin_Change() {
  DisableLaneButtons();
  ClearOriginCity();
  ClearShipment();
}
void frmRatingScreen::txtDestination_Change() {
  DisableLaneButtons();
  ClearDestinationCity();
  ClearShipment();
}

void frmRatingScreen::ReturnToOrigin(OriginReturn why) {
  origin_return_ = txtOrigin.CanTakeFocus() && txtOrigin.SetFocus() ? why : OriginReturn::kNone;
}

void frmRatingScreen::txtOrigin_GotFocus() {
  const bool keep_typed = origin_return_ == OriginReturn::kKeepTyped;
  origin_return_ = OriginReturn::kNone;
  LookupTarget = "Origin";
  mnuFileCityLookup.SetEnabled(!OriginLocked());
  btnFileCityLookup.SetEnabled(!OriginLocked());
  lblStatusBar.SetCaption(txtOrigin.ToolTipText() + " ");
  LastFocusName = "txtOrigin";
  // Entered through a toolbar button: after Reset or Rate Sheet ("X") the box still does
  // its work, after the others it does none.
  if (!ToolbarClickMarker.empty()) {
    bool go_on = ToolbarClickMarker == "X";
    ToolbarClickMarker = "G";
    if (!go_on) return;
  }
  std::string default_origin = modMain::Trim(modMain::Settings().Text(settings::kDefaultOrigin));
  if (!default_origin.empty() && modMain::Trim(modMain::PickedZip()).empty() && !keep_typed) {
    txtOrigin.SetText(default_origin);
  }
  modMain::PickedZip().clear();
  modMain::SelectAllText(txtOrigin);
}

void frmRatingScreen::txtDestination_GotFocus() {
  LookupTarget = "Destination";
  lblStatusBar.SetCaption(txtDestination.ToolTipText() + " ");
  LastFocusName = "txtDestination";
  mnuFileCityLookup.SetEnabled(!DestinationLocked());
  btnFileCityLookup.SetEnabled(!DestinationLocked());
  const SettingsRecord& s = modMain::Settings();
  const bool given_back = FocusGivenBack(txtDestination);
  if (!modMain::Trim(s.Text(settings::kDefaultDestination)).empty() &&
      modMain::Trim(modMain::PickedZip()).empty() && !given_back) {
    txtDestination.SetText(os::Cp1252ToUtf8(s.Raw(settings::kDefaultDestination)));
  }
  modMain::PickedZip().clear();
  modMain::SelectAllText(txtDestination);
}

bool frmRatingScreen::ShowPoint(bool origin) {
  forms::TextBox& box = origin ? txtOrigin : txtDestination;
  std::string text = modMain::Trim(box.Text());
  if (!modMain::IsValidZip(text)) {
    modMain::RefuseEntry(box, "Invalid Zip");
    return false;
  }
  os::RecordView h = modTolvDeclares32::ShipmentRecord().header();
  const os::Field& zip_field = origin ? header::kOriginZip : header::kDestinationZip;
  h.SetText(zip_field, ExpandShortZip(text));
  forms::Label& state = origin ? lblOriginState : lblDestinationState;
  state.SetCaption(modMain::StateOrProvince(text));
  (origin ? modMain::Lane().OriginState : modMain::Lane().DestinationState) = state.Caption();

  const SettingsRecord& s = modMain::Settings();
  if (s.On(settings::kTerminalServiceGuide)) {
    std::int32_t& terminal = origin ? modMain::OriginTerminal() : modMain::DestinationTerminal();
    std::string zip = modMain::Trim(std::as_const(modTolvDeclares32::ShipmentRecord())
                                        .header()
                                        .Raw(zip_field));
    terminal = ServGuid::FindServiceTerminal(zip, origin ? "O" : "D",
                                             origin ? OriginServiceCode : DestinationServiceCode,
                                             origin ? OriginServiceDays : DestinationServiceDays);
    (origin ? lblOriginTerminal : lblDestinationTerminal)
        .SetCaption(ServGuid::ReadTerminal(terminal));
  } else if (s.On(settings::kCityLookupShown)) {
    forms::Label& city = origin ? lblOriginCity : lblDestinationCity;
    forms::ComboBox& cities = origin ? cboOriginCity : cboDestinationCity;
    if (!modMain::PickedCity().empty()) {
      SetSingleCity(modMain::PickedCity(), city, cities);
    } else {
      LoadCitiesForZip(text, city, cities);
    }
  }
  return true;
}

void frmRatingScreen::txtOrigin_Validate(bool& cancel) {
  if (!ShowPoint(true)) {
    cancel = true;
    return;
  }
  LaneNotRated = false;
  if (!modMain::Trim(txtOrigin.Text()).empty() && !modMain::Trim(txtDestination.Text()).empty()) {
    if (!RateLane()) LaneNotRated = true;
  }
  RefuseCommandOnUnratedLane();
}

void frmRatingScreen::txtDestination_Validate(bool& cancel) {
  if (modMain::Trim(txtDestination.Text()).empty()) return;
  if (!ShowPoint(false)) {
    cancel = true;
    return;
  }
  LaneNotRated = !RateLane();
  RefuseCommandOnUnratedLane();
}

// A command started with the point still unchecked (File > Print, Export) has no rated lane
// to act on: it does not run, and the user hears why as on leaving the box.
void frmRatingScreen::RefuseCommandOnUnratedLane() {
  if (LaneNotRated && forms::App().WithdrawCommand()) ShowUnservedLaneMessage();
}

void frmRatingScreen::ShowUnservedLaneMessage() {
  forms::MsgBox(modMain::Trim(modMain::Settings().Text(settings::kUnservedLaneMessage)));
  LaneNotRated = false;
  ReturnToOrigin(OriginReturn::kKeepTyped);
  modMain::SelectAllText(txtOrigin);
}

void frmRatingScreen::txtDestination_LostFocus() {
  forms::Application& app = forms::App();
  forms::Control* now = app.ActiveControl();
  if (app.ActiveForm() != this || now == nullptr) return;
  if (now == &txtOrigin || now == &cboOriginCity || StartsWith(now->Name(), "btn")) return;
  if (modMain::Trim(txtOrigin.Text()).empty() || modMain::Trim(txtDestination.Text()).empty() ||
      LaneNotRated) {
    ShowUnservedLaneMessage();
    return;
  }
  mnuFileCityLookup.SetEnabled(false);
  btnFileCityLookup.SetEnabled(false);
  const SettingsRecord& s = modMain::Settings();
  if (!SingleShipmentQuestionDue(modTolvDeclares32::ShipmentRecord()) ||
      s.On(settings::kNeverAskSingleShipment)) {
    modTolvDeclares32::ShipmentRecord().header().SetText(header::kSingleShipment, "N");
  } else {
    app.Get<frmSingleshipment>().ShowModal();
  }
  if (s.On(settings::kAccessorialPromptOffered) && s.On(settings::kAccessorialPromptDefault)) {
    lane_calls::ShowAccessorialCharges();
  }
}

void frmRatingScreen::txtOrigin_LostFocus() {
  forms::Application& app = forms::App();
  forms::Control* now = app.ActiveControl();
  if (now == nullptr || now->Kind() != forms::ControlKind::kCommandButton) {
    mnuFileCityLookup.SetEnabled(false);
    btnFileCityLookup.SetEnabled(false);
  }
  if (!ToolbarClickMarker.empty()) {
    ToolbarClickMarker.clear();
    return;
  }
  if (LaneNotRated && app.ActiveForm() == this && now != &txtDestination && now != &txtOrigin) {
    ShowUnservedLaneMessage();
  }
}

}  // namespace frelane
