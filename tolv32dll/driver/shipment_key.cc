#include "tolv32dll/driver/shipment_key.h"

#include "platform/os/bytes.h"

namespace tolv {

ShipmentKey BuildShipmentKey(const ShipmentKeyFields& f, const CurrentTariff& tariff) {
  namespace L = shipment_key;
  ShipmentKey key{};
  const os::RecordView v(key);
  v.SetText(L::kOriginZip, f.origin_zip);
  v.SetText(L::kDestinationZip, f.destination_zip);
  v.SetText(L::kOriginCity, f.origin_city);
  v.SetText(L::kDestinationCity, f.destination_city);
  *v.at(L::kDiscountKind) = static_cast<std::uint8_t>(f.discount_kind);
  *v.at(L::kOriginService) = static_cast<std::uint8_t>(f.origin_service);
  *v.at(L::kDestinationService) = static_cast<std::uint8_t>(f.destination_service);
  v.SetText(L::kAdjustmentFactor, f.adjustment_factor);
  v.SetText(L::kListFields, f.list_fields);
  *v.at(L::kSingleShipment) = f.single_shipment ? 'Y' : 'N';
  v.SetI16(L::kTariffNumber, tariff.tariff_number);
  const std::int32_t date =
      ((tariff.century * 100 + tariff.year) * 100 + tariff.month) * 100 + tariff.day;
  v.SetI32(L::kTariffDate, date);
  v.SetText(L::kTariffName, TextOf(tariff.tariff_name));
  return key;
}

}  // namespace tolv
