// The rating screen's configuration: which parts show, and where, by the settings and the
// data files present. Runs at load and again after the settings dialog.
#include <optional>
#include <string>

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/disclaimer_files.h"
#include "frelane/rating/frm_rating_screen.h"
#include "platform/os/file_lookup.h"

namespace frelane {

namespace {

constexpr int kShortDiscountFrameHeight = 1455;
constexpr int kFullDiscountFrameHeight = 1755;
constexpr int kPpuTopWithoutDiscounts = 2340;
constexpr int kPictureTopWithoutToolbar = 120;

bool DataFileExists(const std::string& name) {
  return os::FindFileNoCase(modMain::DataDirectory(), name).has_value();
}

void ShowRow(bool shown, forms::Control& a, forms::Control& b, forms::Control* c = nullptr) {
  a.SetVisible(shown);
  b.SetVisible(shown);
  if (c != nullptr) c->SetVisible(shown);
}

}  // namespace

void frmRatingScreen::ConfigureScreen() {
  const SettingsRecord& s = modMain::Settings();

  // Discounts.
  const int count = s.I16(settings::kDiscountCount);
  const bool prompted = count >= 1 && s.I16(settings::kDiscountsFixed) == 0;
  if (!prompted) {
    fraDiscount.SetVisible(false);
    for (int i = 1; i <= 3; ++i) txtDiscount(i).SetText("");
  } else {
    if (count == 1) {
      ShowRow(false, lblMC, txtDiscount(1), &lblMCLabel);
      ShowRow(false, lblTL, txtDiscount(3), &lblTLLabel);
      fraDiscount.SetCaption("Discount");
      lblLTL.SetCaption("ALL");
    } else {
      ShowRow(!modMain::CompanyNameStartsWith("VORNHALT"), lblMC, txtDiscount(1), &lblMCLabel);
      ShowRow(!s.On(settings::kTlDiscountHidden), lblTL, txtDiscount(3), &lblTLLabel);
      fraDiscount.SetCaption("Discounts");
      lblLTL.SetCaption("LTL");
    }
    if (modMain::CompanyNameStartsWith("FARVEL") || !s.On(settings::kMcFloorDiscountShown)) {
      ShowRow(false, lblFloor, txtDiscount(4), &lblFloorLabel);
      txtDiscount(4).SetText("");
      fraDiscount.SetHeight(kShortDiscountFrameHeight);
    } else {
      // The settings may have changed since the last configuration.
      ShowRow(true, lblFloor, txtDiscount(4), &lblFloorLabel);
      fraDiscount.SetHeight(kFullDiscountFrameHeight);
    }
    fraDiscount.SetVisible(true);
  }

  // Price per unit.
  if (s.On(settings::kPricePerUnitOffered) && s.On(settings::kPricePerUnitDefault)) {
    fraPPU.SetTop(prompted ? fraDiscount.Top() + fraDiscount.Height() + 45
                           : kPpuTopWithoutDiscounts);
    fraPPU.SetVisible(true);
  } else {
    fraPPU.SetVisible(false);
    txtPPU.SetText("");
  }

  // Menus, each by its own switch.
  mnuFileBillofLading.SetVisible(s.On(settings::kBillOfLadingShown));
  mnuFileRateSheet.SetVisible(s.On(settings::kRateSheetShown));
  mnuFileCityLookup.SetVisible(s.On(settings::kCityLookupShown));
  mnuEditFAK.SetVisible(s.On(settings::kFakInUse));
  lblFAKLabel.SetVisible(s.On(settings::kFakInUse));
  mnuEditAccessorialCharges.SetVisible(s.On(settings::kAccessorialPromptOffered));
  mnuViewMap.SetVisible(s.On(settings::kMapShown));
  mnuViewRules.SetVisible(s.On(settings::kRulesShown));
  lblMiles.SetVisible(s.On(settings::kShowMiles));
  mnuViewTerminalInformation.SetVisible(s.On(settings::kTerminalServiceGuide));

  // Service columns.
  if (s.On(settings::kTerminalServiceGuide)) {
    lblTerminalLabel.SetVisible(true);
    lblServiceLabel.SetVisible(true);
  } else if (DataFileExists("ServiceM.dat")) {
    lblTerminalLabel.SetVisible(false);
    lblServiceLabel.SetVisible(true);
    for (forms::Control* c : {static_cast<forms::Control*>(&lblServiceLabel),
                              static_cast<forms::Control*>(&lblServiceDays),
                              static_cast<forms::Control*>(&lblServiceType)}) {
      c->SetLeft(lblServiceDisclaimer.Left());
      c->SetWidth(lblServiceDisclaimer.Width());
    }
  } else {
    lblTerminalLabel.SetVisible(false);
    lblServiceLabel.SetVisible(false);
    lblCityLabel.SetVisible(s.On(settings::kCityLookupShown));
  }

  mnuViewPointsList.SetVisible(DataFileExists("pntslst.chm"));

  // Disclaimers.
  if (DataFileExists(kServiceDisclaimerFileName)) {
    LoadDisclaimerText(lblServiceDisclaimer, kServiceDisclaimerFileName);
    if (!modMain::Trim(lblServiceDisclaimer.Caption()).empty()) {
      if (fraPPU.Visible()) {
        btnNewShipment.SetTop(lblServiceDisclaimer.Top() + lblServiceDisclaimer.Height() + 100);
      } else {
        btnNewShipment.SetTop(fraDiscount.Top() + fraDiscount.Height() + 165);
        btnNewShipment.SetLeft(fraDiscount.Left() + fraDiscount.Width() / 2 -
                               btnNewShipment.Width() / 2);
      }
    }
  }
  if (DataFileExists(kChargeDisclaimerFileName)) {
    LoadDisclaimerText(lblChargeDisclaimer, kChargeDisclaimerFileName);
  }
  if (DataFileExists(kZipDisclaimerFileName)) {
    LoadDisclaimerText(lblZipDisclaimer, kZipDisclaimerFileName);
  }

  // Toolbar.
  if (s.On(settings::kToolbarShown)) {
    imgPicture.SetTop(fraToolBar.Top() + fraToolBar.Height());
    fraToolBar.SetVisible(true);
    ArrangeToolbar();
    btnNewShipment.SetVisible(modMain::CompanyNameStartsWith("FARVEL"));
  } else {
    imgPicture.SetTop(kPictureTopWithoutToolbar);
    fraToolBar.SetVisible(false);
    btnNewShipment.SetVisible(true);
  }
}

void frmRatingScreen::ArrangeToolbar() {
  const SettingsRecord& s = modMain::Settings();
  ToolbarOffer offer{};
  offer[kToolBillOfLading] = s.On(settings::kBillOfLadingShown);
  offer[kToolCityLookup] = s.On(settings::kCityLookupShown);
  offer[kToolRateSheet] = s.On(settings::kRateSheetShown);
  offer[kToolAccessorialCharges] = s.On(settings::kAccessorialPromptOffered);
  offer[kToolFak] = s.On(settings::kFakInUse);
  offer[kToolMap] = s.On(settings::kMapShown);
  offer[kToolRules] = s.On(settings::kRulesShown);
  offer[kToolTerminalInformation] = s.On(settings::kTerminalServiceGuide);
  offer[kToolWebSite] = !modMain::Trim(lblWebSite.Caption()).empty();
  auto placements = ArrangeToolbarButtons(offer);
  for (int b = 0; b < kToolButtonCount; ++b) {
    forms::CommandButton& button = ToolbarButtonControl(static_cast<ToolbarButton>(b));
    const ToolbarPlacement& placement = placements[static_cast<std::size_t>(b)];
    switch (placement.visibility) {
      case ToolbarVisibility::kShow:
        button.SetLeft(placement.left);
        button.SetVisible(true);
        break;
      case ToolbarVisibility::kLeave:
        button.SetLeft(placement.left);
        break;
      case ToolbarVisibility::kHide:
        button.SetVisible(false);
        break;
    }
  }
}

void frmRatingScreen::LoadDisclaimerText(forms::Label& label, const std::string& file_name) {
  label.SetCaption("");
  std::optional<std::string> text = ReadDisclaimerFile(modMain::DataFilePath(file_name));
  if (text) label.SetCaption(*text);
}

bool frmRatingScreen::IsZipDisclaimerZip() {
  std::optional<std::string> path =
      os::FindFileNoCase(modMain::DataDirectory(), kZipDisclaimerZipsFileName);
  if (!path) return false;
  os::ConstRecordView header = std::as_const(modTolvDeclares32::ShipmentRecord()).header();
  return IsZipInDisclaimerRanges(*path, header.Raw(tolv::shipment_header::kOriginZip),
                                 header.Raw(tolv::shipment_header::kDestinationZip));
}

}  // namespace frelane
