// The rating screen's menus and toolbar, and the focus memory the toolbar relies on: a
// toolbar button takes no focus of its own; before it runs its menu item it makes sure the
// focus is on the entry field the user was in.
#include <functional>
#include <string>

#include "frelane/bol/frm_bol.h"
#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/frm_about.h"
#include "frelane/core/frm_defaults.h"
#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/core/view_file.h"
#include "frelane/rating/frm_accessorial_charges.h"
#include "frelane/rating/frm_export_setup.h"
#include "frelane/rating/frm_fak.h"
#include "frelane/rating/frm_map.h"
#include "frelane/rating/frm_rate_block_alternation.h"
#include "frelane/rating/frm_terminal_information.h"
#include "frelane/rating/picked_point.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/frm_zip_lu.h"
#include "frelane/rating/lane_discounts.h"
#include "frelane/rating/print_quote.h"
#include "frelane/rating/rate_sheet_opener.h"
#include "frelane/rating/shipment_export.h"
#include "frelane/rating/web_links.h"
#include "platform/os/file_lookup.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

constexpr forms::Color kWebSiteVisited = 0x800000;  // RGB 0, 0, 128
constexpr forms::Color kWebSiteHover = 0x0000FF;    // RGB 255, 0, 0

struct ToolbarAction {
  char marker;
  bool restore_focus_first;
};

// Reset and Rate Sheet put the focus on the origin themselves ("X"); City Lookup and
// Export leave it where it is.
ToolbarAction ActionOf(ToolbarButton button) {
  switch (button) {
    case kToolReset:
    case kToolRateSheet:
      return {'X', false};
    case kToolCityLookup:
    case kToolExport:
      return {'C', false};
    default:
      return {'C', true};
  }
}

int DetailCount() {
  return static_cast<int>(modMain::SafeValue(
      std::as_const(modTolvDeclares32::ShipmentRecord()).header().Text(
          tolv::shipment_header::kDetailCount)));
}

}  // namespace

forms::CommandButton& frmRatingScreen::ToolbarButtonControl(ToolbarButton button) {
  forms::CommandButton* buttons[kToolButtonCount] = {
      &btnFileReset,        &btnFileBillofLading,         &btnFileCalculator,
      &btnFileCityLookup,   &btnFileRateSheet,            &btnFilePrint,
      &btnFileExport,       &btnEditAccessorialCharges,   &btnEditDefaults,
      &btnEditExportSetup,  &btnEditFAK,                  &btnViewMap,
      &btnViewRateBlockAlternation, &btnViewRules,        &btnViewTerminalInformation,
      &btnViewWebSite,      &btnHelpContents};
  return *buttons[button];
}

void frmRatingScreen::RunToolbarButton(ToolbarButton button) {
  ToolbarAction action = ActionOf(button);
  ToolbarClickMarker.assign(1, action.marker);
  if (action.restore_focus_first) RestoreFocus();
  RunToolbarAction(button);
  // The button took no focus: a marker no point box met during the action would make the
  // box's next real entry or exit look like a toolbar's.
  if (ToolbarClickMarker.size() == 1 && ToolbarClickMarker[0] == action.marker) {
    ToolbarClickMarker.clear();
  }
}

void frmRatingScreen::RunToolbarAction(ToolbarButton button) {
  switch (button) {
    case kToolReset: return mnuFileReset_Click();
    case kToolBillOfLading: return mnuFileBillofLading_Click();
    case kToolCalculator: return mnuFileCalculator_Click();
    case kToolCityLookup: return mnuFileCityLookup_Click();
    case kToolRateSheet: return mnuFileRateSheet_Click();
    case kToolPrint: return mnuFilePrint_Click();
    case kToolExport: return mnuFileExport_Click();
    case kToolAccessorialCharges: return mnuEditAccessorialCharges_Click();
    case kToolDefaults: return mnuEditDefaults_Click();
    case kToolExportSetup: return mnuEditExportSetup_Click();
    case kToolFak: return mnuEditFAK_Click();
    case kToolMap: return mnuViewMap_Click();
    case kToolRateBlockAlternation: return mnuViewRateBlockAlternation_Click();
    case kToolRules: return mnuViewRules_Click();
    case kToolTerminalInformation: return mnuViewTerminalInformation_Click();
    case kToolWebSite: return mnuViewWebSite_Click();
    case kToolHelpContents: return mnuHelpContents_Click();
    case kToolButtonCount: break;
  }
}

void frmRatingScreen::RestoreFocus() {
  if (LastFocusName.empty()) return;
  int index = static_cast<int>(modMain::SafeValue(LastFocusIndex));
  forms::Control* target = nullptr;
  if (LastFocusName == "txtOrigin") {
    target = &txtOrigin;
  } else if (LastFocusName == "cboOriginCity") {
    target = &cboOriginCity;
  } else if (LastFocusName == "txtDestination") {
    target = &txtDestination;
  } else if (LastFocusName == "cboDestinationCity") {
    target = &cboDestinationCity;
  } else if (LastFocusName == "txtPPU") {
    target = &txtPPU;
  } else if (LastFocusName == "txtDiscount") {
    target = txtDiscount.Find(index);
  } else if (LastFocusName == "cboClass") {
    target = cboClass.Find(index);
  } else if (LastFocusName == "txtWeight") {
    target = txtWeight.Find(index);
  }
  // A field hidden or disabled since (a frame the settings took away) is skipped.
  if (target != nullptr && target->CanTakeFocus()) {
    focus_given_back_ = target;
    target->SetFocus();
    focus_given_back_ = nullptr;
  }
}

bool frmRatingScreen::FocusGivenBack(const forms::Control& box) {
  const bool back = focus_given_back_ == &box;
  focus_given_back_ = nullptr;
  return back;
}

void frmRatingScreen::Form_Activate() { focus_given_back_ = ActiveControl(); }

// Menu items.
void frmRatingScreen::mnuFileReset_Click() {
  ClearOrigin();
  ClearDestination();
  ClearShipment();
  if (modMain::CompanyNameStartsWith("QUARLEN")) ClearDiscounts();
  if (txtOrigin.Enabled()) {
    txtOrigin.SetFocus();
  } else if (txtDestination.Enabled()) {
    txtDestination.SetFocus();
  }
}

void frmRatingScreen::mnuFileBillofLading_Click() { forms::App().Get<frmBOL>().ShowModal(); }

void frmRatingScreen::mnuFileCalculator_Click() {
  if (!forms::App().GetDesktop().StartCalculator()) {
    forms::MsgBox("Calculator not found", forms::msgbox::kOKOnly, "Error");
  }
}

void frmRatingScreen::mnuFileCityLookup_Click() {
  // The point box that gets the focus back when the look-up closes consumes a pending pick
  // in its GotFocus; the pick is kept for it here before that runs.
  std::string pick;
  auto keep_pick = [&pick](std::function<void()> got_focus) {
    return [&pick, got_focus] {
      if (pick.empty()) pick = modMain::PickedZip();
      if (got_focus) got_focus();
    };
  };
  const std::function<void()> origin_got_focus = txtOrigin.on.GotFocus;
  const std::function<void()> destination_got_focus = txtDestination.on.GotFocus;
  txtOrigin.on.GotFocus = keep_pick(origin_got_focus);
  txtDestination.on.GotFocus = keep_pick(destination_got_focus);
  App().Get<frmZipLU>().ShowModal();
  txtOrigin.on.GotFocus = origin_got_focus;
  txtDestination.on.GotFocus = destination_got_focus;
  TakeCityLookupPick(pick.empty() ? modMain::PickedZip() : pick);
}

// The rate-sheet screens change the settings in memory; the file's settings come back.
void frmRatingScreen::mnuFileRateSheet_Click() {
  btnNewShipment_Click();
  ShowRateSheetScreen();
  std::string error;
  if (!modMain::LoadSettings(&error)) forms::MsgBox(error);
  if (txtOrigin.Enabled()) {
    txtOrigin.SetFocus();
  } else if (txtDestination.Enabled()) {
    txtDestination.SetFocus();
  }
}

void frmRatingScreen::mnuFilePrint_Click() { PrintQuote(*this, ShortDateToday()); }
void frmRatingScreen::mnuFileExport_Click() { modShipmentExport::ExportShipment(*this); }
void frmRatingScreen::mnuFileExit_Click() { Unload(); }

void frmRatingScreen::mnuEditAccessorialCharges_Click() {
  App().Get<frmAccessorialCharges>().ShowModal();
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::mnuEditDefaults_Click() {
  App().Get<frmDefaults>().ShowModal();
  modMain::FillAdjustmentFactor();
  ConfigureScreen();
  FillDiscountFields();
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::mnuEditExportSetup_Click() { App().Get<frmExportSetup>().ShowModal(); }

void frmRatingScreen::mnuEditFAK_Click() {
  forms::App().Get<frmFAK>().ShowModal();
  for (int line = 1; line <= 8; ++line) ShowFakClass(line);
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::mnuViewMap_Click() { App().Get<frmMap>().ShowModal(); }

void frmRatingScreen::mnuViewPointsList_Click() {
  ShowHelpFile(modMain::DataDirectory() + "pntslst.chm");
}

void frmRatingScreen::mnuViewRateBlockAlternation_Click() {
  // The dialog re-rates the lane in the shared record; the quote on the screen, which print
  // and export read from the record, is put back as it was when the dialog closes.
  const tolv::ShipmentRecord quoted = modTolvDeclares32::ShipmentRecord();
  App().Get<frmRateBlockAlternation>().ShowModal();
  modTolvDeclares32::ShipmentRecord() = quoted;
  // The dialog rated with its own discount kind; the screen's comes back.
  FillDiscountFields();
}

void frmRatingScreen::mnuViewRules_Click() {
  if (modMain::CompanyNameStartsWith("FARVEL")) {
    // Without a web address there is no rules page to open.
    const std::string site = modWebSite32::GetWebSiteAddress();
    if (!site.empty()) modWebSite32::OpenWebSite(site + modWebSite32::kRulesPage);
  } else if (os::FindFileNoCase(modMain::DataDirectory(), "rules.pdf")) {
    modViewFile::ViewFile(modMain::DataDirectory(), "rules.pdf",
                          modMain::Settings().Text(settings::kAboutText1));
  } else {
    ShowHelpFile(modMain::DataDirectory() + "rules.chm");
  }
}

void frmRatingScreen::mnuViewTerminalInformation_Click() {
  App().Get<frmTerminalInformation>().ShowModal();
}
void frmRatingScreen::mnuViewWebSite_Click() { modWebSite32::OpenWebSite(txtWebSite.Text()); }
void frmRatingScreen::mnuWebLink_Click(int index) { modWebSite32::OpenWebLink(index); }
void frmRatingScreen::mnuHelpContents_Click() { ShowHelpFile(App().HelpFile()); }

void frmRatingScreen::txtWebSite_Click() {
  modWebSite32::OpenWebSite(txtWebSite.Text());
  txtWebSite.SetForeColor(kWebSiteVisited);
}
void frmRatingScreen::txtWebSite_MouseMove(int, int, int, int) {
  txtWebSite.SetForeColor(kWebSiteHover);
}

// Opens a help file at its first topic through the help key, with the application's own
// help file and the active control's topic put back afterwards.
void frmRatingScreen::ShowHelpFile(const std::string& help_file) {
  forms::Application& app = App();
  const std::string kept_file = app.HelpFile();
  forms::Control* active = ActiveControl();
  const int kept_context = active != nullptr ? active->HelpContextID() : 0;
  app.SetHelpFile(help_file);
  if (active != nullptr) active->SetHelpContextID(1);
  if (active != nullptr) {
    app.SendKeys("{F1}");
    app.DoEvents();
  } else {
    app.GetDesktop().ShowHelp(help_file, 1);
  }
  app.SetHelpFile(kept_file);
  if (active != nullptr) active->SetHelpContextID(kept_context);
}

// The City Look-Up's pick goes into the point box it was opened for, and Tab moves on so
// that the box is checked and the lane rated. A pick for neither box is dropped.
void frmRatingScreen::TakeCityLookupPick(const std::string& picked_zip) {
  const std::string zip = modMain::Trim(picked_zip);
  if (zip.empty()) return;
  forms::TextBox* box = LookupTarget == "Origin"        ? &txtOrigin
                        : LookupTarget == "Destination" ? &txtDestination
                                                        : nullptr;
  if (box == nullptr) {
    modMain::PickedZip().clear();
    return;
  }
  box->SetFocus();
  box->SetText(zip);
  App().SendKeys("{TAB}");
}

void frmRatingScreen::BindMenuHandlers() {
  Bind(mnuViewPointsList.on.Click, &frmRatingScreen::mnuViewPointsList_Click);
  Bind(mnuWebLink.on.Click, &frmRatingScreen::mnuWebLink_Click);
  Bind(txtWebSite.on.Click, &frmRatingScreen::txtWebSite_Click);
  Bind(txtWebSite.on.MouseMove, &frmRatingScreen::txtWebSite_MouseMove);
}
void frmRatingScreen::mnuHelpAbout_Click() { App().Get<frmAbout>().ShowModal(); }

}  // namespace frelane
