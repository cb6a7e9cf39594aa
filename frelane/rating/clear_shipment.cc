// Emptying the rating screen: the shipment (lines and quote), the points, the discounts.
#include <string>
#include <utility>

#include "frelane/core/company_name.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/print_lines.h"

namespace frelane {

namespace {

constexpr int kScreenLines = 8;

}  // namespace

void frmRatingScreen::ClearShipment() {
  if (clearing_) return;
  clearing_ = true;
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  record.header().SetText(tolv::shipment_header::kDetailCount, "0");
  for (int i = 1; i <= kScreenLines; ++i) {
    txtWeight(i).SetText("");
    cboClass(i).SetText("");
    lblRate(i).SetCaption("");
    lblCharge(i).SetCaption("");
    lblFAK(i).SetCaption("");
    os::RecordView detail = record.detail(static_cast<std::size_t>(i - 1));
    detail.SetText(tolv::shipment_detail::kClass, "500");
    detail.SetText(tolv::shipment_detail::kWeight, "0");
  }
  for (forms::Label* label : {&lblUndiscountedCharge, &lblDeficitWeight, &lblDeficitCharge,
                              &lblDeficitRate}) {
    label->SetCaption("");
  }
  for (forms::Label* label :
       {&lblDeficitLabel, &lblTotalWeightLabel, &lblTotalWeight, &lblUndiscountedChargeLabel,
        &lblDiscountLabel, &lblNetLabel, &lblFuelSurchargeLabel, &lblAccessorialChargeLabel,
        &lblTotalChargeLabel}) {
    label->SetVisible(false);
  }
  for (forms::Label* label :
       {&lblDiscount, &lblNet, &lblAccessorialCharge, &lblFuelSurcharge, &lblTotalCharge}) {
    label->SetCaption("");
  }
  for (forms::Line* line : {&Line1, &Line2, &Line3, &Line4, &Line5}) line->SetVisible(false);
  lblCanCurrencyExchangeLabel.SetVisible(false);
  lblTotalCanChargeLabel.SetVisible(false);
  lblCanCurrencyExchange.SetCaption("");
  lblTotalCanCharge.SetCaption("");
  lblChargeDisclaimer.SetVisible(false);
  lblServiceDays.SetCaption("");
  lblServiceType.SetCaption("");
  lblServiceDisclaimer.SetVisible(false);
  lblZipDisclaimer.SetVisible(false);
  imgZipDisclaimer.SetVisible(false);
  lblIntrastateTariff.SetCaption("");
  if (!modMain::CompanyNameStartsWith("QUARLEN")) ClearDiscounts();
  ClearPricePerUnit();
  ClearMilesAndRbn();
  clearing_ = false;
}

std::string frmRatingScreen::NextPrintLine() { return frelane::NextPrintLine(PendingPrintText); }

void frmRatingScreen::ClearOrigin() {
  txtOrigin.SetText("");
  ClearOriginCity();
}

void frmRatingScreen::ClearDestination() {
  txtDestination.SetText("");
  ClearDestinationCity();
}

void frmRatingScreen::ClearOriginCity() {
  lblOriginState.SetCaption("");
  lblOriginTerminal.SetCaption("");
  lblOriginCity.SetCaption("");
  cboOriginCity.Clear();
  cboOriginCity.SetVisible(false);
}

void frmRatingScreen::ClearDestinationCity() {
  lblDestinationState.SetCaption("");
  lblDestinationTerminal.SetCaption("");
  lblDestinationCity.SetCaption("");
  cboDestinationCity.Clear();
  cboDestinationCity.SetVisible(false);
}

void frmRatingScreen::ClearDiscounts() {
  for (int i = 1; i <= 4; ++i) txtDiscount(i).SetText("");
}

void frmRatingScreen::ClearPricePerUnit() { txtPPU.SetText(""); }

void frmRatingScreen::ClearMilesAndRbn() {
  lblRBN.SetCaption("");
  lblMiles.SetCaption("");
}

void frmRatingScreen::DisableLaneButtons() {
  mnuViewRateBlockAlternation.SetEnabled(false);
  btnViewRateBlockAlternation.SetEnabled(false);
  mnuViewTerminalInformation.SetEnabled(false);
  btnViewTerminalInformation.SetEnabled(false);
}

}  // namespace frelane
