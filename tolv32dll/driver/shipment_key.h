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

#include "tolv32dll/tariff/current_tariff.h"

namespace tolv {

// The tariff's number and effective date stand in the key beside its name, so that a new
// version of a tariff of the same name never meets the rate basis of the old one.
struct ShipmentKeyLayout {
  static constexpr std::size_t kOriginZip = 0, kZipWidth = 6;
  static constexpr std::size_t kDestinationZip = kOriginZip + kZipWidth;
  static constexpr std::size_t kOriginCity = kDestinationZip + kZipWidth, kCityWidth = 19;
  static constexpr std::size_t kDestinationCity = kOriginCity + kCityWidth;
  static constexpr std::size_t kDiscountKind = kDestinationCity + kCityWidth;
  static constexpr std::size_t kOriginService = kDiscountKind + 1;
  static constexpr std::size_t kDestinationService = kOriginService + 1;
  static constexpr std::size_t kAdjustmentFactor = kDestinationService + 1, kFactorWidth = 5;
  static constexpr std::size_t kListFields = kAdjustmentFactor + kFactorWidth, kListWidth = 4;
  static constexpr std::size_t kSingleShipment = kListFields + kListWidth;
  static constexpr std::size_t kTariffNumber = kSingleShipment + 1;  // i16
  static constexpr std::size_t kTariffDate = kTariffNumber + 2;      // i32 ccyymmdd
  static constexpr std::size_t kTariffName = kTariffDate + 4, kNameWidth = 8;
  static constexpr std::size_t kSize = kTariffName + kNameWidth;
};
static_assert(ShipmentKeyLayout::kSize == 77);

using ShipmentKey = std::array<std::uint8_t, ShipmentKeyLayout::kSize>;

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
