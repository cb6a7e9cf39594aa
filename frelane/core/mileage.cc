#include "frelane/core/mileage.h"

#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/tolv_declares.h"

namespace frelane::modMain {

double GetMileage() {
  namespace h = tolv::shipment_header;
  tolv::ShipmentRecord& record = modTolvDeclares32::ShipmentRecord();
  const std::string kept_count = record.header().Raw(h::kDetailCount);
  record.header().SetText(h::kTariffName, kMileageTariff);
  record.header().SetText(h::kDetailCount, "00");
  record.header().SetText(h::kDiscountSwitch, "N");
  modTolvDeclares32::Tolv_RateShipment();
  record.header().SetRaw(h::kDetailCount, kept_count);
  const double miles = SafeValue(record.header().Text(h::kRateBasisNumber));
  if (miles > 1 && Trim(record.header().Text(h::kStatus)).empty()) return miles;
  return -1;
}

}  // namespace frelane::modMain
