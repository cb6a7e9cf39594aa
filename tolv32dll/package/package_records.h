// The records of the package calls and the package tariff's ".T" records.
//
// PackageInfoRequest / PackageInfoResponse: a caller names a package tariff and a date and
// gets back the rows of the tariff's ".T" file (its packaging codes, drop-off codes and
// tier lists). PackageRequest / PackageResponse: a shipment of 1 to 99 packages and its
// prices. All fields are single-byte text without terminators.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_RECORDS_H_
#define TOLV32DLL_PACKAGE_PACKAGE_RECORDS_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace tolv {

namespace package_info_request {
inline constexpr os::Field kUnread = os::RawField(0, 2);
inline constexpr os::Field kTariffName = os::TextField(2, 8);
inline constexpr os::Field kDate = os::TextField(10, 10);     // mm?dd?ccyy
inline constexpr os::Field kRowLimit = os::TextField(20, 2);  // 2 decimal digits
inline constexpr std::size_t kSize = 22;
static_assert(os::FieldsTile({kUnread, kTariffName, kDate, kRowLimit}, kSize));
}  // namespace package_info_request

// One row of the info response: bytes 0-3 and 5-34 of a ".T" package record.
namespace package_row {
inline constexpr os::Field kType = os::TextField(0, 1);    // '1' packaging, '2' drop-off, '3' tiers
inline constexpr os::Field kCode = os::TextField(1, 3);    // packaging or drop-off code
inline constexpr os::Field kTiers = os::TextField(4, 30);  // type '3': the tier characters offered
inline constexpr std::size_t kSize = 34;
static_assert(os::FieldsTile({kType, kCode, kTiers}, kSize));
}  // namespace package_row

// A package record of the package tariff's ".T" file.
namespace package_record {
inline constexpr os::Field kHead = os::RawField(0, 4);   // row bytes 0-3
inline constexpr os::Field kGap = os::RawField(4, 1);    // not returned
inline constexpr os::Field kBody = os::RawField(5, 30);  // row bytes 4-33
inline constexpr os::Field kTail = os::RawField(35, 3);  // not returned
inline constexpr std::size_t kSize = 38;
static_assert(os::FieldsTile({kHead, kGap, kBody, kTail}, kSize));
static_assert(kHead.width + kBody.width == package_row::kSize);
}  // namespace package_record

namespace package_info_response {
inline constexpr std::size_t kMaxRows = 31;
inline constexpr os::Field kSegmentCode = os::TextField(0, 2);          // "13"
inline constexpr os::Field kStatus = os::TextField(2, 4);               // blanks, or "%04d"
inline constexpr os::Field kRowCount = os::TextField(6, 2);             // "%02hd", on success only
inline constexpr os::Field kRow = os::RawField(8, package_row::kSize);  // Nth(i)
inline constexpr std::size_t kSize = 8 + package_row::kSize * kMaxRows;
inline constexpr char kSegment[] = "13";
static_assert(os::FieldsTile({kSegmentCode, kStatus, kRowCount, kRow.Run(kMaxRows)}, kSize));
static_assert(kSize == 1062);
}  // namespace package_info_response

namespace package_request {
inline constexpr std::size_t kMaxPackages = 99;
inline constexpr os::Field kUnread = os::RawField(0, 2);
inline constexpr os::Field kTariffName = os::TextField(2, 8);
inline constexpr os::Field kShipDate = os::TextField(10, 10);  // rewritten "%02d-%02d-%04d"
inline constexpr os::Field kOriginZip = os::TextField(20, 5);
inline constexpr os::Field kGap1 = os::RawField(25, 1);
inline constexpr os::Field kDestinationZip = os::TextField(26, 5);
inline constexpr os::Field kGap2 = os::RawField(31, 1);
inline constexpr os::Field kResidential = os::TextField(32, 1);    // 'Y'
inline constexpr os::Field kDropoffCode = os::TextField(33, 3);    // blank: "DPS" written
inline constexpr os::Field kPackagingCode = os::TextField(36, 3);  // blank: "OUR"; "ELT" letter
inline constexpr os::Field kSurchargeType = os::TextField(39, 1);  // '1' amount, else percent
inline constexpr os::Field kSurcharge = os::TextField(40, 6);      // signed decimal
inline constexpr os::Field kServiceCode = os::TextField(46, 3);    // blank: "GND"
inline constexpr os::Field kTier = os::TextField(49, 1);           // digit, or 'N'
inline constexpr os::Field kNumberPackages = os::TextField(50, 2);
inline constexpr os::Field kWeight = os::TextField(52, 10);  // package k: Nth(k - 1)
// The record ends inside the 99th weight: that field has only its first 8 characters.
inline constexpr std::size_t kSize = 1040;
inline constexpr std::size_t kLastWeightWidth = kSize - kWeight.Nth(kMaxPackages - 1).offset;
static_assert(os::FieldsTile({kUnread, kTariffName, kShipDate, kOriginZip, kGap1, kDestinationZip,
                              kGap2, kResidential, kDropoffCode, kPackagingCode, kSurchargeType,
                              kSurcharge, kServiceCode, kTier, kNumberPackages,
                              kWeight.Run(kMaxPackages - 1)},
                             kSize - kLastWeightWidth));
static_assert(kLastWeightWidth == 8);
}  // namespace package_request

namespace package_response {
inline constexpr os::Field kSegmentCode = os::TextField(0, 2);  // "15"
inline constexpr os::Field kStatus = os::TextField(2, 4);       // blanks, or "%04d"
inline constexpr os::Field kTierUsed = os::TextField(6, 1);     // digit, 'N' without a cwt charge
inline constexpr os::Field kZone = os::TextField(7, 1);         // byte 8 of the last rate record
inline constexpr os::Field kCwtCharges = os::TextField(8, 7);   // "%07d"
inline constexpr os::Field kNoPackages = os::TextField(15, 2);  // the request's count, as sent
inline constexpr os::Field kCharge = os::TextField(17, 7);      // package k: Nth(k - 1), "%07d"
inline constexpr char kSegment[] = "15";
// The response of n packages.
constexpr std::size_t SizeFor(std::size_t n) { return kCharge.offset + kCharge.width * n; }
inline constexpr std::size_t kMaxSize = SizeFor(package_request::kMaxPackages);
static_assert(os::FieldsTile({kSegmentCode, kStatus, kTierUsed, kZone, kCwtCharges, kNoPackages,
                              kCharge.Run(package_request::kMaxPackages)},
                             kMaxSize));
static_assert(kMaxSize == 710);
}  // namespace package_response

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_RECORDS_H_
