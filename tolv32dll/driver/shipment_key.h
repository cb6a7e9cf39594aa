// The key of a shipment as the rate-basis cache sees it: the lane, the discount kind and
// service letters, the adjustment factor, the list and process settings, the single-
// shipment flag and the tariff that rated it. Two shipments with equal keys share a rate
// basis.
#ifndef TOLV32DLL_DRIVER_SHIPMENT_KEY_H_
#define TOLV32DLL_DRIVER_SHIPMENT_KEY_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/os/record_layout.h"
#include "tolv32dll/tariff/current_tariff.h"

namespace tolv {

// The tariff's number and effective date stand in the key beside its name, so that a new
// version of a tariff of the same name never meets the rate basis of the old one.
namespace shipment_key {
inline constexpr os::Field kOriginZip = os::TextField(0, 6);
inline constexpr os::Field kDestinationZip = os::TextField(6, 6);
inline constexpr os::Field kOriginCity = os::TextField(12, 19);
inline constexpr os::Field kDestinationCity = os::TextField(31, 19);
inline constexpr os::Field kDiscountKind = os::TextField(50, 1);
inline constexpr os::Field kOriginService = os::TextField(51, 1);
inline constexpr os::Field kDestinationService = os::TextField(52, 1);
inline constexpr os::Field kAdjustmentFactor = os::TextField(53, 5);
inline constexpr os::Field kListFields = os::TextField(58, 4);
inline constexpr os::Field kSingleShipment = os::TextField(62, 1);
inline constexpr os::Field kTariffNumber = os::I16Field(63);
inline constexpr os::Field kTariffDate = os::I32Field(65);  // ccyymmdd
inline constexpr os::Field kTariffName = os::TextField(69, 8);
inline constexpr std::size_t kSize = 77;
static_assert(os::FieldsTile({kOriginZip, kDestinationZip, kOriginCity, kDestinationCity,
                              kDiscountKind, kOriginService, kDestinationService, kAdjustmentFactor,
                              kListFields, kSingleShipment, kTariffNumber, kTariffDate,
                              kTariffName},
                             kSize));
}  // namespace shipment_key

using ShipmentKey = std::array<std::uint8_t, shipment_key::kSize>;

// Views on the request's fields; they must outlive the key's building only.
struct ShipmentKeyFields {
  std::string_view origin_zip;
  std::string_view destination_zip;
  std::string_view origin_city;
  std::string_view destination_city;
  char discount_kind = 'C';
  char origin_service = ' ';
  char destination_service = ' ';
  std::string_view adjustment_factor;  // the header's 5 characters
  std::string_view list_fields;        // ListKind, ListRebuild, ListMode, ProcessMode
  bool single_shipment = false;
};

ShipmentKey BuildShipmentKey(const ShipmentKeyFields& fields, const CurrentTariff& tariff);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_SHIPMENT_KEY_H_
