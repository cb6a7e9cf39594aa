// The quote: the screen's lines packed into the ShipmentRecord, one rating, and the result
// area filled in its fixed order (line rates and charges, deficit, billed weight, discount,
// minimum or undiscounted charge, net or floor, accessorials with the postal-code
// surcharge, fuel surcharge, total, Canadian rows, disclaimer, price per unit).
#include <cmath>
#include <optional>
#include <string>

#include "frelane/core/decimal_comma.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/rating/accessorial_total.h"
#include "frelane/rating/carrier_contact.h"
#include "frelane/rating/floor_charge.h"
#include "frelane/rating/frm_rating_screen.h"
#include "frelane/rating/lane_state.h"
#include "frelane/rating/zip_surcharge.h"
#include "platform/forms/application.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/format.h"

namespace frelane {

namespace {

namespace hdr = tolv::shipment_header;
namespace det = tolv::shipment_detail;
using runtime::Currency;

constexpr int kScreenLines = 8;
constexpr double kSpotQuoteNoticeWeight = 10000;
constexpr char kChargesCannotBeCalculated[] =
    "Charges can not be calculated.  Contact the carrier for charges for this movement.";

double Value(std::string_view text) { return modMain::SafeValue(text); }
std::string Money(double amount) { return runtime::Format(amount, "0.00 "); }
std::string Money(Currency amount) { return Money(amount.ToDouble()); }
// A shown two-decimal amount as currency, so that sums and comparisons are exact.
Currency Shown(forms::Label& label) {
  return Currency::FromDouble(Value(label.Caption()));
}
bool Filled(forms::Label& label) { return !modMain::Trim(label.Caption()).empty(); }

// The plain decimal text of a number the engine reads, with "." whatever the locale.
std::string EngineNumber(double value) {
  std::string text = runtime::CStr(value);
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return text;
}

// The plain decimal text of a number shown on the screen (weights).
std::string PlainNumber(double value) { return runtime::CStr(value); }

bool LineCounts(double line_class, double weight) { return line_class > 0 && weight > 0; }

bool IsCanadianPoint(forms::TextBox& box) {
  return !modMain::Trim(box.Text()).empty() && Value(box.Text()) == 0;
}

std::string SpotQuoteNotice() {
  const std::string phone = CarrierTelephone();
  return "Please call our Spot Quote Desk" + (phone.empty() ? "" : " at " + phone) +
         "\r\nfor possibly more cost-effective pricing on shipments\r\n"
         "over 10,000 lbs, based on our current balance needs.";
}

}  // namespace

void frmRatingScreen::CalculateCharges() {
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  os::RecordView header = record.header();

  // 1. Pack the lines that have both a class and a weight into slots 1 to n.
  int n = 0;
  for (int i = 1; i <= kScreenLines; ++i) {
    const double line_class = Value(cboClass(i).Text());
    const double weight = Value(txtWeight(i).Text());
    if (!LineCounts(line_class, weight)) continue;
    ++n;
    os::RecordView slot = record.detail(static_cast<std::size_t>(n - 1));
    std::string class_text = line_class == 92.5   ? "92"
                             : line_class == 77.5 ? "77"
                                                  : EngineNumber(line_class);
    if (modMain::FakActiveFlag() == 'Y') {
      std::optional<std::int16_t> mapped = modMain::LookupFAKClass(
          static_cast<std::int16_t>(std::trunc(Value(class_text))));
      class_text = mapped ? std::to_string(*mapped) : "";
    }
    slot.SetText(det::kClass, class_text);
    slot.SetText(det::kWeight, EngineNumber(weight));
  }
  // Slots above the count are reset, so no earlier line reaches the export or the fuel
  // surcharge's choice.
  for (int slot_number = n + 1; slot_number <= kScreenLines; ++slot_number) {
    os::RecordView slot = record.detail(static_cast<std::size_t>(slot_number - 1));
    slot.SetText(det::kClass, "500");
    slot.SetText(det::kWeight, "0");
    slot.SetText(det::kRate, "");
    slot.SetText(det::kCharge, "");
  }

  // 2-3. Rate; an engine status ends the shipment.
  const std::string count = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
  header.SetText(hdr::kDetailCount, count);
  modTolvDeclares32::Tolv_RateShipment();
  const std::string status = modMain::Trim(header.Text(hdr::kStatus));
  header.SetText(hdr::kStatus, status);
  // A shipment refused or cleared here leaves nothing for a command the user started with
  // the entry still unchecked (File > Print, Export).
  if (!status.empty()) {
    forms::MsgBox(kChargesCannotBeCalculated);
    forms::App().WithdrawCommand();
    mnuFileReset_Click();
    return;
  }

  // 4-6. The locale's decimal character, an empty rating, heavy shipments.
  if (modMain::DecimalCharacter() == ',') modMain::UseDecimalComma();
  const double total_weight = Value(header.Text(hdr::kTotalWeight));
  if (total_weight == 0) return;
  const std::int32_t limit = modMain::Settings().I32(settings::kSpotQuoteWeightLimit);
  if (limit != 0 && total_weight > limit) {
    ShowSpotQuoteNotice();
    forms::App().WithdrawCommand();
    mnuViewRateBlockAlternation.SetEnabled(false);
    btnViewRateBlockAlternation.SetEnabled(false);
    ClearShipment();
    return;
  }
  if (total_weight > kSpotQuoteNoticeWeight) ShowSpotQuoteNotice();

  ShowLineResults();
  ShowDeficitAndWeight();
  ShowDiscountAndNet();
  const Currency fuel_base = ShowAccessorials();
  ShowFuelSurchargeAndTotal(fuel_base);
  ShowRows();
  ShowCanadianRows();
  lblChargeDisclaimer.SetVisible(Filled(lblChargeDisclaimer));
  ShowPricePerUnit();
}

void frmRatingScreen::ShowSpotQuoteNotice() { forms::MsgBox(SpotQuoteNotice()); }

// 7. The rate and charge of each counted line, also written back into its slot.
void frmRatingScreen::ShowLineResults() {
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  int n = 0;
  for (int i = 1; i <= kScreenLines; ++i) {
    if (!LineCounts(Value(cboClass(i).Text()), Value(txtWeight(i).Text()))) continue;
    os::RecordView slot = record.detail(static_cast<std::size_t>(n++));
    const std::string rate = Money(Value(slot.Text(det::kRate)));
    const std::string charge = Money(Value(slot.Text(det::kCharge)));
    lblRate(i).SetCaption(rate);
    lblCharge(i).SetCaption(charge);
    slot.SetText(det::kRate, rate);
    slot.SetText(det::kCharge, charge);
  }
}

// 8-9. The deficit rows and the billed weight.
void frmRatingScreen::ShowDeficitAndWeight() {
  os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
  const double deficit_weight = Value(header.Text(hdr::kDeficitWeight));
  if (deficit_weight > 0) {
    lblDeficitLabel.SetCaption("Deficit Weight");
    lblDeficitWeight.SetCaption(PlainNumber(deficit_weight));
    lblTotalWeightLabel.SetCaption("Billed Weight");
    const std::string charge = Money(Value(header.Text(hdr::kDeficitCharge)));
    const std::string rate = Money(Value(header.Text(hdr::kDeficitRate)));
    lblDeficitCharge.SetCaption(charge);
    lblDeficitRate.SetCaption(rate);
    header.SetText(hdr::kDeficitCharge, charge);
    header.SetText(hdr::kDeficitRate, rate);
  } else {
    lblDeficitLabel.SetCaption("");
    lblDeficitWeight.SetCaption("");
    lblDeficitCharge.SetCaption("");
    lblDeficitRate.SetCaption("");
    lblTotalWeightLabel.SetCaption("Total Weight");
  }
  const std::string billed = modMain::Trim(header.Text(hdr::kBilledWeight));
  header.SetText(hdr::kBilledWeight, billed);
  if (!billed.empty()) lblTotalWeight.SetCaption(PlainNumber(Value(billed)));
}

// 10-12. The discount caption, the minimum or undiscounted charge, the net or the floor.
void frmRatingScreen::ShowDiscountAndNet() {
  os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
  const bool on_rates = header.Text(hdr::kDiscountKind) == "R";
  lblDiscountLabel.SetCaption(
      on_rates ? "Discount"
               : runtime::Format(Value(header.Text(hdr::kDiscountPercent)) / 100, "0.00%") +
                     " Discount");

  const double minimum = Value(header.Text(hdr::kMinimumCharge));
  const double charges = Value(header.Text(hdr::kCharges));
  const bool minimum_applies = charges < minimum;
  if (minimum_applies) {
    const double minimum_discount = Value(header.Text(hdr::kMinimumDiscount));
    lblUndiscountedCharge.SetCaption(
        Money(Currency::FromDouble(minimum) + Currency::FromDouble(minimum_discount)));
    lblUndiscountedChargeLabel.SetCaption("Minimum Charge");
    lblDiscount.SetCaption(Money(minimum_discount));
  } else {
    const double discount = Value(header.Text(hdr::kDiscountAmount));
    lblUndiscountedCharge.SetCaption(
        Money(Currency::FromDouble(discount) + Currency::FromDouble(charges)));
    lblUndiscountedChargeLabel.SetCaption(on_rates ? "Discounted Charge" : "Undiscounted Charge");
    const std::string charges_text = modMain::Trim(header.Text(hdr::kCharges));
    header.SetText(hdr::kCharges, charges_text);
    lblDiscount.SetCaption(charges_text.empty() ? Money(Value(lblUndiscountedCharge.Caption()))
                                                : Money(discount));
  }
  for (int i = 1; i <= kScreenLines; ++i) {
    lblCharge(i).SetVisible(!minimum_applies);
    lblRate(i).SetVisible(!minimum_applies);
  }

  const Currency floor = Currency::FromDouble(modMain::GetFloorCharge());
  const Currency net = Shown(lblUndiscountedCharge) - Shown(lblDiscount);
  if (net >= floor) {
    lblNet.SetCaption(Money(net));
    lblNetLabel.SetCaption("Net Charge");
  } else {
    const double addition = modMain::Lane().FloorAddition;
    if (addition > 0) {
      forms::MsgBox(runtime::Format(addition, "$0.00") +
                    " has been added to the MC Floor you entered.");
    }
    lblNet.SetCaption(Money(floor));
    lblNetLabel.SetCaption("MC Floor");
  }
}

// 13. The accessorial charges and the postal-code surcharge; returns the part of the
// accessorials that bears fuel surcharge.
runtime::Currency frmRatingScreen::ShowAccessorials() {
  Currency fuel_base;
  if (!modMain::Settings().On(settings::kAccessorialPromptOffered)) {
    // An amount shown before the accessorials were switched off no longer counts.
    lblAccessorialCharge.SetCaption("");
    return fuel_base;
  }
  const Currency total = modMain::GetAccessorialTotal(fuel_base);
  lblAccessorialCharge.SetCaption(Money(total));
  os::RecordView header = modTolvDeclares32::ShipmentRecord().header();
  std::string message;
  const auto weight =
      static_cast<std::int32_t>(std::trunc(Value("0" + lblTotalWeight.Caption())));
  const double surcharge = modMain::GetZipSurcharge(
      header.Text(hdr::kOriginZip), header.Text(hdr::kDestinationZip), weight, message);
  if (surcharge > 0) {
    lblAccessorialCharge.SetCaption(
        Money(Currency::FromDouble(Value("0" + lblAccessorialCharge.Caption())) +
              Currency::FromDouble(surcharge)));
  }
  if (!modMain::Trim(message).empty()) forms::MsgBox(message);
  return fuel_base;
}

// 14-15. The fuel surcharge on the net charge and the fuel-bearing accessorials, then the
// total.
void frmRatingScreen::ShowFuelSurchargeAndTotal(runtime::Currency fuel_base) {
  double percent = 0;
  double floor = 0;
  GetFuelSurcharge(percent, floor);
  const Currency base = Shown(lblNet) + fuel_base;
  lblFuelSurcharge.SetCaption(Money(base.ToDouble() * percent / 100));
  if (Value(lblFuelSurcharge.Caption()) < floor) lblFuelSurcharge.SetCaption(Money(floor));

  Currency total = Shown(lblNet);
  if (Filled(lblFuelSurcharge)) total += Shown(lblFuelSurcharge);
  if (Filled(lblAccessorialCharge)) total += Shown(lblAccessorialCharge);
  lblTotalCharge.SetCaption(Money(total));
}

// 16. Which rows of the quote show.
void frmRatingScreen::ShowRows() {
  const bool on_rates =
      std::as_const(modTolvDeclares32::ShipmentRecord()).header().Text(hdr::kDiscountKind) == "R";
  lblFuelSurchargeLabel.SetVisible(true);
  // Switched off since the last quote, the accessorial row goes with its amount.
  lblAccessorialChargeLabel.SetVisible(
      modMain::Settings().On(settings::kAccessorialPromptOffered));
  if (!on_rates) {
    for (forms::Control* c : {static_cast<forms::Control*>(&lblDiscountLabel),
                              static_cast<forms::Control*>(&lblNetLabel),
                              static_cast<forms::Control*>(&lblDiscount),
                              static_cast<forms::Control*>(&lblNet),
                              static_cast<forms::Control*>(&Line1)}) {
      c->SetVisible(true);
    }
  } else {
    lblDiscount.SetVisible(false);
    lblDiscountLabel.SetVisible(false);
    const bool floor_shown = lblNetLabel.Caption() == "MC Floor";
    lblNet.SetVisible(floor_shown);
    lblNetLabel.SetVisible(floor_shown);
    Line1.SetVisible(floor_shown);
  }
  for (forms::Control* c : {static_cast<forms::Control*>(&lblDeficitLabel),
                            static_cast<forms::Control*>(&lblTotalWeightLabel),
                            static_cast<forms::Control*>(&lblTotalWeight),
                            static_cast<forms::Control*>(&lblUndiscountedChargeLabel),
                            static_cast<forms::Control*>(&lblTotalChargeLabel),
                            static_cast<forms::Control*>(&Line2),
                            static_cast<forms::Control*>(&Line3)}) {
    c->SetVisible(true);
  }
}

// 17. The Canadian currency rows, when a point is a Canadian postal code and the settings
// hold an exchange factor.
void frmRatingScreen::ShowCanadianRows() {
  const double factor = modMain::Settings().F64(settings::kCanadianExchangeFactor);
  const bool canadian =
      factor != 0 && (IsCanadianPoint(txtOrigin) || IsCanadianPoint(txtDestination));
  for (forms::Control* c : {static_cast<forms::Control*>(&lblCanCurrencyExchangeLabel),
                            static_cast<forms::Control*>(&lblTotalCanChargeLabel),
                            static_cast<forms::Control*>(&Line4),
                            static_cast<forms::Control*>(&Line5)}) {
    c->SetVisible(canadian);
  }
  if (!canadian) {
    lblCanCurrencyExchange.SetCaption("");
    lblTotalCanCharge.SetCaption("");
    lblTotalChargeLabel.SetCaption("Total Charge");
    return;
  }
  Line3.SetVisible(false);
  lblTotalChargeLabel.SetCaption("Total US Charge");
  const double total = Value(lblTotalCharge.Caption());
  lblCanCurrencyExchange.SetCaption(Money(total * factor / 100));
  lblTotalCanCharge.SetCaption(Money(Shown(lblTotalCharge) + Shown(lblCanCurrencyExchange)));
}

void frmRatingScreen::ShowPricePerUnit() {
  const double units = Value(txtPPU.Text());
  if (units <= 0) {
    lblPPU.SetCaption("");
  } else if (lblTotalCanCharge.Visible() && Filled(lblTotalCanCharge)) {
    lblPPU.SetCaption(Money(Value(lblTotalCanCharge.Caption()) / units));
  } else if (!Filled(lblTotalCharge)) {
    lblPPU.SetCaption("0.00 ");
  } else {
    lblPPU.SetCaption(Money(Value(lblTotalCharge.Caption()) / units));
  }
}

void frmRatingScreen::ShowFakClass(int line) {
  const auto whole = static_cast<std::int16_t>(std::trunc(Value(cboClass(line).Text())));
  std::optional<std::int16_t> mapped = modMain::LookupFAKClass(whole);
  if (mapped.value_or(0) == whole) {
    lblFAK(line).SetCaption("");
  } else {
    lblFAK(line).SetCaption(mapped ? std::to_string(*mapped) : "");
  }
}

}  // namespace frelane
