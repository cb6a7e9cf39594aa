#include "frelane/ratesheet/discount_block.h"

#include "frelane/core/company_name.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/tolv_declares.h"
#include "frelane/ratesheet/discount_sets.h"
#include "frelane/ratesheet/lane_lookups.h"
#include "frelane/rating/lane_discounts.h"
#include "frelane/rating/lane_state.h"
#include "platform/os/record_layout.h"
#include "platform/runtime/conversions.h"
#include "platform/runtime/format.h"

namespace frelane::ratesheet {

namespace {

namespace block = tolv::discount_block;
namespace h = tolv::shipment_header;

constexpr std::size_t kValueWidth = 5;
constexpr char kNoDiscount[] = " 0000";
constexpr char kNoMcDiscount[] = "0000 ";

std::string FitValue(std::string text) {
  text.resize(kValueWidth, ' ');
  return text;
}

struct Values {
  std::string mc, ltl, tl;
  double floor = 0;
};

Values FromSet(DiscountSet set) {
  return {FourDigitValue(SetValue(set, 1)), BlankLedValue(SetValue(set, 2)),
          BlankLedValue(SetValue(set, 3)), SetValue(set, 4)};
}

}  // namespace

std::string FourDigitValue(double percent) {
  return FitValue(modMain::FourDigitDiscount(percent));
}

std::string BlankLedValue(double percent) {
  const std::string digits = runtime::Format(percent * 100, "0000");
  if (digits == "9999" || digits.size() >= kValueWidth) return FitValue(digits);
  return FitValue(" " + digits);
}

std::string GeneralNumberValue(double percent) {
  const std::string text = FitValue(runtime::Str(percent * 100));
  return text == " 9999" ? FitValue("9999") : text;
}

DiscountSource ApplyDiscounts() {
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  os::RecordView header = record.header();
  const SettingsRecord& s = modMain::Settings();
  modMain::LaneState& lane = modMain::Lane();

  const bool found = Lookups().FindZipDiscount && Lookups().FindZipDiscount();
  Values v;
  DiscountSource source;
  if (found && UseZipDiscounts() && s.On(settings::kZipDiscountsOffered)) {
    const os::ConstRecordView zip{std::span<const std::uint8_t>(lane.FoundZipDiscount)};
    header.SetText(h::kDiscountSwitch, "Y");
    v = {GeneralNumberValue(zip.FiniteF64(zipdisc::kMcDiscount)),
         BlankLedValue(zip.FiniteF64(zipdisc::kLtlDiscount)),
         BlankLedValue(zip.FiniteF64(zipdisc::kTlDiscount)), zip.FiniteF64(zipdisc::kMcFloor)};
    source = DiscountSource::kZipRange;
  } else {
    const double origin = modMain::SafeValue(header.Text(h::kOriginZip));
    const double destination = modMain::SafeValue(header.Text(h::kDestinationZip));
    if (origin > 0 && destination > 0 && lane.OriginState == lane.DestinationState &&
        SetEnabled(DiscountSet::kIntrastate)) {
      source = DiscountSource::kIntrastate;
      v = FromSet(DiscountSet::kIntrastate);
    } else if ((origin == 0 || destination == 0) && SetEnabled(DiscountSet::kCanada)) {
      source = DiscountSource::kCanada;
      v = FromSet(DiscountSet::kCanada);
    } else {
      source = DiscountSource::kInterstate;
      v = FromSet(DiscountSet::kInterstate);
    }
  }
  lane.LaneMcFloor = runtime::Currency::FromDouble(v.floor);

  if (s.On(settings::kTlDiscountHidden)) v.tl = kNoDiscount;
  // This customer gets no MC discount, on the sheet as on the rating screen.
  if (modMain::CompanyNameStartsWith("VORNHALT")) v.mc = kNoMcDiscount;

  os::RecordView discounts = record.discount_a();
  discounts.SetRaw(block::kValue, v.mc);
  for (int k = 1; k <= 6; ++k) discounts.SetRaw(block::kValue.Nth(k), v.ltl);
  for (int k = 7; k <= 9; ++k) discounts.SetRaw(block::kValue.Nth(k), v.tl);
  return source;
}

}  // namespace frelane::ratesheet
