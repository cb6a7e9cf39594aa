// frmRatingScreen.RateLane: once both points are valid, the lane is checked against the
// served lanes, its service days and miles shown, its tariff and discounts chosen, and it
// is rated by the engine.
#include "frelane/rating/lane_rating.h"

#include <algorithm>
#include <string>

#include "frelane/core/decimal_comma.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_calls.h"
#include "frelane/rating/lookup_files.h"
#include "frelane/rating/service_days.h"
#include "frelane/rating/tariff_selection.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

namespace header = tolv::shipment_header;
namespace layout = tolv::shipment_record;

int KindDigit(const tolv::ShipmentRecord& record, int bracket) {
  char c = record.view().RawView(layout::kBracketKinds)[static_cast<std::size_t>(bracket - 1)];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

std::string ServiceText(std::string_view letter) {
  if (letter == "D") return "Direct";
  if (letter == "I") return "Non-Direct";
  return "";
}

}  // namespace

bool SingleShipmentQuestionDue(const tolv::ShipmentRecord& record) {
  const int count = std::clamp<int>(record.view().I16(layout::kBracketCount), 0,
                                    static_cast<int>(layout::kBrackets));
  bool one_kind = true;
  for (int j = 2; j <= count; ++j) one_kind = one_kind && KindDigit(record, j) == KindDigit(record, 1);
  if (one_kind) return false;
  for (int j = 1; j <= count; ++j) {
    if (record.view().I32(layout::kBracketCharge.Nth(static_cast<std::size_t>(j - 1))) != 0 &&
        KindDigit(record, j) == 0) {
      return true;
    }
  }
  return false;
}

bool frmRatingScreen::RateLane() {
  auto prefix = [](forms::TextBox& box) { return modMain::Trim(box.Text()).substr(0, 3); };
  if (!modMain::IsServedZipPair(prefix(txtOrigin), prefix(txtDestination))) return false;

  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &mnuViewRateBlockAlternation, &btnViewRateBlockAlternation,
           &mnuViewTerminalInformation, &btnViewTerminalInformation}) {
    c->SetEnabled(true);
  }

  const SettingsRecord& s = modMain::Settings();
  const bool terminal_mode = s.On(settings::kTerminalServiceGuide);
  const bool service_matrix =
      lookup::DataFileState(modMain::kServiceMatrixFileName) != lookup::FileState::kMissing;
  if (terminal_mode) {
    lane_calls::ShowTerminalServiceDays(*this);
  } else if (service_matrix) {
    std::string days = modMain::GetServiceDays();
    if (!days.empty()) {
      lblServiceDays.SetCaption(days + " Day(s)");
      lblServiceType.SetCaption("");
      lblServiceDisclaimer.SetVisible(!modMain::Trim(lblServiceDisclaimer.Caption()).empty());
    } else {
      lblServiceDays.SetCaption("Out of Service");
      lblServiceType.SetCaption("Area");
      lblServiceDisclaimer.SetVisible(false);
    }
  }

  if (s.On(settings::kShowMiles)) {
    double miles = lane_calls::LaneMileage();
    lblMiles.SetCaption(miles < 0 ? "" : "Miles = " + runtime::Format(miles, "0"));
  }

  modMain::SelectTariff(false);
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  os::RecordView h = record.header();
  h.SetText(header::kDiscountSwitch, "N");
  h.SetText(header::kSingleShipment, "N");
  h.SetText(header::kOriginService, " ");
  h.SetText(header::kDestinationService, " ");
  FillDiscountFields();
  modTolvDeclares32::Tolv_RateShipment();
  if (modMain::DecimalCharacter() == ',') modMain::UseDecimalComma();

  if (!modMain::Trim(h.Raw(header::kStatus)).empty()) {
    DisableLaneButtons();  // no rated lane for them to show
    return false;
  }
  lblRBN.SetCaption("RBN = " + modMain::Trim(h.Raw(header::kRateBasisNumber)));

  if (!service_matrix && !terminal_mode) {
    std::string origin_service = h.Raw(header::kOriginService);
    std::string destination_service = h.Raw(header::kDestinationService);
    if (modMain::Trim(origin_service + destination_service).size() > 0) {
      lblServiceLabel.SetVisible(true);
    }
    if (std::string text = ServiceText(origin_service); !text.empty()) {
      lblServiceDays.SetCaption(text);
    }
    if (std::string text = ServiceText(destination_service); !text.empty()) {
      lblServiceType.SetCaption(text);
    }
  }
  bool disclaimer = IsZipDisclaimerZip();
  lblZipDisclaimer.SetVisible(disclaimer);
  imgZipDisclaimer.SetVisible(disclaimer);
  return true;
}

}  // namespace frelane
