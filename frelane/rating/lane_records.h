// The records of the delivered files the lane look-ups read: the served lanes (zipval.dat),
// the postal-code ranges and cells of the service-days matrix (ServiceUO.dat, ServiceUD.dat,
// ServiceM.dat, ServiceUS.dat) and the city files (cityzip.dat, zipcity.dat). All are
// random-access files of fixed-length records numbered from 1, without header; text is
// single-byte and blank-padded. The program never writes them.
#ifndef FRELANE_RATING_LANE_RECORDS_H_
#define FRELANE_RATING_LANE_RECORDS_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace frelane {

// zipval.dat: a pair of 3-character prefix ranges the carrier serves.
namespace served_lane_record {
inline constexpr os::Field kOriginLow = os::TextField(0, 3);
inline constexpr os::Field kOriginHigh = os::TextField(3, 3);
inline constexpr os::Field kDestinationLow = os::TextField(6, 3);
inline constexpr os::Field kDestinationHigh = os::TextField(9, 3);
inline constexpr std::size_t kSize = 4 * 3;
static_assert(os::FieldsTile({kOriginLow, kOriginHigh, kDestinationLow, kDestinationHigh}, kSize));
}  // namespace served_lane_record

// ServiceUO.dat (record i = matrix column i) and ServiceUD.dat (record j = row j).
namespace zip_range_record {
inline constexpr os::Field kLow = os::RawField(0, 5);
inline constexpr os::Field kHigh = os::RawField(5, 5);
inline constexpr std::size_t kSize = 5 + 5;
static_assert(os::FieldsTile({kLow, kHigh}, kSize));
}  // namespace zip_range_record

// ServiceM.dat: one byte per cell, (row j, column i) at record (j - 1) x columns + i; the
// byte is a record number of ServiceUS.dat, a blank an empty cell.
namespace service_cell_record {
inline constexpr os::Field kCell = os::RawField(0, 1);
inline constexpr std::size_t kSize = 1;
inline constexpr unsigned char kEmpty = ' ';
}  // namespace service_cell_record

// ServiceUS.dat: the fewest and the most days of a service.
namespace service_days_record {
inline constexpr os::Field kMinDays = os::I16Field(0);
inline constexpr os::Field kMaxDays = os::I16Field(2);
inline constexpr std::size_t kSize = 2 + 2;
static_assert(os::FieldsTile({kMinDays, kMaxDays}, kSize));
}  // namespace service_days_record

// cityzip.dat: one city and postal code, the file sorted by city.
namespace city_zip_record {
inline constexpr os::Field kCity = os::TextField(0, 28);
inline constexpr os::Field kState = os::TextField(28, 2);
inline constexpr os::Field kZip = os::TextField(30, 6);
inline constexpr std::size_t kSize = 28 + 2 + 6;
static_assert(os::FieldsTile({kCity, kState, kZip}, kSize));
}  // namespace city_zip_record

// zipcity.dat: record numbers of cityzip.dat in the order of their postal codes.
namespace zip_city_record {
inline constexpr os::Field kCityRecord = os::I32Field(0);
inline constexpr std::size_t kSize = 4;
static_assert(os::FieldsTile({kCityRecord}, kSize));
}  // namespace zip_city_record

}  // namespace frelane

#endif  // FRELANE_RATING_LANE_RECORDS_H_
