#include "tolv32dll/driver/shipment_key.h"

#include "platform/os/bytes.h"

namespace tolv {

ShipmentKey BuildShipmentKey(const ShipmentKeyFields& f, const CurrentTariff& tariff) {
  using L = ShipmentKeyLayout;
  ShipmentKey key{};
  std::uint8_t* p = key.data();
  os::StoreText(p + L::kOriginZip, L::kZipWidth, f.origin_zip);
  os::StoreText(p + L::kDestinationZip, L::kZipWidth, f.destination_zip);
  os::StoreText(p + L::kOriginCity, L::kCityWidth, f.origin_city);
  os::StoreText(p + L::kDestinationCity, L::kCityWidth, f.destination_city);
  p[L::kDiscountKind] = static_cast<std::uint8_t>(f.discount_kind);
  p[L::kOriginService] = static_cast<std::uint8_t>(f.origin_service);
  p[L::kDestinationService] = static_cast<std::uint8_t>(f.destination_service);
  os::StoreText(p + L::kAdjustmentFactor, L::kFactorWidth, f.adjustment_factor);
  os::StoreText(p + L::kListFields, L::kListWidth, f.list_fields);
  p[L::kSingleShipment] = f.single_shipment ? 'Y' : 'N';
  os::StoreI16Le(p + L::kTariffNumber, tariff.tariff_number);
  const std::int32_t date =
      ((tariff.century * 100 + tariff.year) * 100 + tariff.month) * 100 + tariff.day;
  os::StoreI32Le(p + L::kTariffDate, date);
  os::StoreText(p + L::kTariffName, L::kNameWidth, TextOf(tariff.tariff_name));
  return key;
}

}  // namespace tolv
