// The records of a package tariff's ".R" file as package rating reads them. Every value is
// an entry: a 3-byte little-endian unsigned number, entry i at record byte 10 + 3 i.
//   record 0                    the package header
//   record 14 k + rate index    the zone record of service position k
//   the record after it         the hundredweight record
// Some entries are used as signed 16-bit numbers (their low 16 bits); the others are
// indexes of further entries (the price table of a zone, the tier rows of a hundredweight
// record) or amounts.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_RATE_RECORD_H_
#define TOLV32DLL_PACKAGE_PACKAGE_RATE_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tolv32dll/errors/result.h"

namespace tolv {

namespace package_entries {
inline constexpr std::size_t kFirstEntryOffset = 10;
inline constexpr std::size_t kEntryWidth = 3;
inline constexpr std::int64_t kZoneRecordsPerService = 14;
// The byte of a rate record that the response reports as the zone.
inline constexpr std::size_t kZoneByte = 8;

// Header (record 0); all signed 16-bit.
inline constexpr int kScheme = 0;       // pricing scheme, 1 or 2
inline constexpr int kMaxWeight = 1;    // heaviest package, whole pounds
inline constexpr int kDefaultTier = 2;  // tier number when the request's is not offered
inline constexpr int kVersion = 3;      // 1 or 2: the residential and delivery-area rules

// Zone record.
inline constexpr int kPriceBase = 0;  // entry of the 0-pound price; envelope price
inline constexpr int kResidential = 1;
inline constexpr int kOnCall = 2;              // 16-bit
inline constexpr int kDeliveryArea = 3;        // version 2: residential deliveries
inline constexpr int kLeastCwtWeight = 5;      // 16-bit
inline constexpr int kLeastEMinimum = 8;       // 16-bit, scheme 2
inline constexpr int kEMinimumWeight = 9;      // 16-bit, scheme 2
inline constexpr int kLetterLimit = 10;        // 16-bit, hundredths of an ounce
inline constexpr int kDeliveryAreaOther = 11;  // version 2: not residential

// Hundredweight record.
inline constexpr int kTierBase = 0;        // entry where the tier rows begin
inline constexpr int kCwtResidential = 1;  // version 1, once per package
inline constexpr int kCwtOnCall = 2;       // 16-bit
inline constexpr int kCwtDeliveryArea = 4;
inline constexpr int kMinimumWeight = 7;          // 16-bit, pounds per package
inline constexpr int kCwtLeastEMinimum = 8;       // 16-bit, scheme 1
inline constexpr int kCwtDeliveryAreaOther = 12;  // version 2
inline constexpr int kCwtResidentialV2 = 13;      // version 2
}  // namespace package_entries

// One record read from the rate file, with bounded entry reads: an entry outside the
// record is an error (214, the rate file's read error), never a read past the record.
class PackageRateRecord {
 public:
  PackageRateRecord() = default;
  explicit PackageRateRecord(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::int64_t entry_count() const;
  // Entry i as an unsigned 24-bit number.
  Result<std::int64_t> Entry(std::int64_t i) const;
  // Entry i's low 16 bits as a signed number.
  Result<std::int64_t> Entry16(std::int64_t i) const;
  // The response's zone character; a blank when the record is too short.
  char ZoneByte() const;

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_RATE_RECORD_H_
