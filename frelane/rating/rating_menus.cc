// The rating screen's menus and toolbar, and the focus memory the toolbar relies on: a
// toolbar button takes no focus of its own, so before it runs its menu item it puts the
// focus back on the entry field the user was in.
#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/startup.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/frm_zip_lu.h"
#include "frelane/rating/pending_procedures.h"
#include "frelane/rating/rate_sheet_opener.h"
#include "platform/forms/application.h"

namespace frelane {

namespace {

struct ToolbarAction {
  const char* marker;
  bool restore_focus_first;
};

// Reset and Rate Sheet put the focus on the origin themselves ("X"); City Lookup and
// Export leave it where it is.
ToolbarAction ActionOf(ToolbarButton button) {
  switch (button) {
    case kToolReset:
    case kToolRateSheet:
      return {"X", false};
    case kToolCityLookup:
    case kToolExport:
      return {"C", false};
    default:
      return {"C", true};
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
  ToolbarClickMarker = action.marker;
  if (action.restore_focus_first) RestoreFocus();
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
  if (target != nullptr && target->CanTakeFocus()) target->SetFocus();
}


// Menu items.
void frmRatingScreen::mnuFileReset_Click() {
  ClearOrigin();
  ClearDestination();
  ClearShipment();
  if (CompanyStartsWith("QUARLEN")) ClearDiscounts();
  if (txtOrigin.Enabled()) {
    txtOrigin.SetFocus();
  } else if (txtDestination.Enabled()) {
    txtDestination.SetFocus();
  }
}

void frmRatingScreen::mnuFileBillofLading_Click() { ShowPendingDialog("frmBOL"); }

void frmRatingScreen::mnuFileCalculator_Click() {
  if (!forms::App().GetDesktop().StartCalculator()) {
    forms::MsgBox("Calculator not found", forms::msgbox::kOKOnly, "Error");
  }
}

void frmRatingScreen::mnuFileCityLookup_Click() { forms::App().Get<frmZipLU>().ShowModal(); }

void frmRatingScreen::mnuFileRateSheet_Click() {
  ShowRateSheetScreen();
  std::string error;
  if (!modMain::LoadSettings(&error)) forms::MsgBox(error);
}

void frmRatingScreen::mnuFilePrint_Click() { PrintQuote(*this); }
void frmRatingScreen::mnuFileExport_Click() { ExportShipment(*this); }
void frmRatingScreen::mnuFileExit_Click() { Unload(); }

void frmRatingScreen::mnuEditAccessorialCharges_Click() {
  ShowPendingDialog("frmAccessorialCharges");
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::mnuEditDefaults_Click() {
  ShowPendingDialog("frmDefaults");
  modMain::FillAdjustmentFactor();
  ConfigureScreen();
  FillDiscountFields();
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::mnuEditExportSetup_Click() { ShowPendingDialog("frmExportSetup"); }

void frmRatingScreen::mnuEditFAK_Click() {
  ShowPendingDialog("frmFAK");
  for (int line = 1; line <= 8; ++line) ShowFakClass(line);
  if (DetailCount() > 0) CalculateCharges();
}

void frmRatingScreen::mnuViewMap_Click() { ShowPendingDialog("frmMap"); }
void frmRatingScreen::mnuViewRateBlockAlternation_Click() {
  ShowPendingDialog("frmRateBlockAlternation");
  FillDiscountFields();
}
void frmRatingScreen::mnuViewRules_Click() { OpenRules(*this); }
void frmRatingScreen::mnuViewTerminalInformation_Click() {
  ShowPendingDialog("frmTerminalInformation");
}
void frmRatingScreen::mnuViewWebSite_Click() { OpenWebSite(*this); }
void frmRatingScreen::mnuHelpContents_Click() { ShowHelpContents(); }

}  // namespace frelane
