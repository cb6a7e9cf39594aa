// The records of the package calls and the package tariff's ".T" records.
//
// PackageInfoRequest / PackageInfoResponse: a caller names a package tariff and a date and
// gets back the rows of the tariff's ".T" file (its packaging codes, drop-off codes and
// tier lists). PackageRequest / PackageResponse: a shipment of 1 to 99 packages and its
// prices. All fields are single-byte text without terminators.
#ifndef TOLV32DLL_PACKAGE_PACKAGE_RECORDS_H_
#define TOLV32DLL_PACKAGE_PACKAGE_RECORDS_H_

#include <cstddef>

#include "tolv32dll/records/field.h"

namespace tolv {

namespace package_info_request {
inline constexpr Field kUnread{0, 2, FieldKind::kRaw};
inline constexpr Field kTariffName{2, 8, FieldKind::kText};
inline constexpr Field kDate{10, 10, FieldKind::kText};     // mm?dd?ccyy
inline constexpr Field kRowLimit{20, 2, FieldKind::kText};  // 2 decimal digits
inline constexpr std::size_t kSize = 22;
static_assert(FieldsTile({kUnread, kTariffName, kDate, kRowLimit}, kSize));
}  // namespace package_info_request

// One row of the info response: bytes 0-3 and 5-34 of a ".T" package record.
namespace package_row {
inline constexpr Field kType{0, 1, FieldKind::kText};    // '1' packaging, '2' drop-off, '3' tiers
inline constexpr Field kCode{1, 3, FieldKind::kText};    // packaging or drop-off code
inline constexpr Field kTiers{4, 30, FieldKind::kText};  // type '3': the tier characters offered
inline constexpr std::size_t kSize = 34;
static_assert(FieldsTile({kType, kCode, kTiers}, kSize));
}  // namespace package_row

// A package record of the package tariff's ".T" file.
namespace package_record {
inline constexpr Field kHead{0, 4, FieldKind::kRaw};   // row bytes 0-3
inline constexpr Field kGap{4, 1, FieldKind::kRaw};    // not returned
inline constexpr Field kBody{5, 30, FieldKind::kRaw};  // row bytes 4-33
inline constexpr Field kTail{35, 3, FieldKind::kRaw};  // not returned
inline constexpr std::size_t kSize = 38;
static_assert(FieldsTile({kHead, kGap, kBody, kTail}, kSize));
static_assert(kHead.width + kBody.width == package_row::kSize);
}  // namespace package_record

namespace package_info_response {
inline constexpr std::size_t kMaxRows = 31;
inline constexpr Field kSegmentCode{0, 2, FieldKind::kText};          // "13"
inline constexpr Field kStatus{2, 4, FieldKind::kText};               // blanks, or "%04d"
inline constexpr Field kRowCount{6, 2, FieldKind::kText};             // "%02hd", on success only
inline constexpr Field kRow{8, package_row::kSize, FieldKind::kRaw};  // Nth(i)
inline constexpr std::size_t kSize = 8 + package_row::kSize * kMaxRows;
inline constexpr char kSegment[] = "13";
static_assert(FieldsTile({kSegmentCode, kStatus, kRowCount, kRow.Run(kMaxRows)}, kSize));
static_assert(kSize == 1062);
}  // namespace package_info_response

namespace package_request {
inline constexpr std::size_t kMaxPackages = 99;
inline constexpr Field kUnread{0, 2, FieldKind::kRaw};
inline constexpr Field kTariffName{2, 8, FieldKind::kText};
inline constexpr Field kShipDate{10, 10, FieldKind::kText};  // rewritten "%02d-%02d-%04d"
inline constexpr Field kOriginZip{20, 5, FieldKind::kText};
inline constexpr Field kGap1{25, 1, FieldKind::kRaw};
inline constexpr Field kDestinationZip{26, 5, FieldKind::kText};
inline constexpr Field kGap2{31, 1, FieldKind::kRaw};
inline constexpr Field kResidential{32, 1, FieldKind::kText};    // 'Y'
inline constexpr Field kDropoffCode{33, 3, FieldKind::kText};    // blank: "DPS" written
inline constexpr Field kPackagingCode{36, 3, FieldKind::kText};  // blank: "OUR"; "ELT" letter
inline constexpr Field kSurchargeType{39, 1, FieldKind::kText};  // '1' amount, else percent
inline constexpr Field kSurcharge{40, 6, FieldKind::kText};      // signed decimal
inline constexpr Field kServiceCode{46, 3, FieldKind::kText};    // blank: "GND"
inline constexpr Field kTier{49, 1, FieldKind::kText};           // digit, or 'N'
inline constexpr Field kNumberPackages{50, 2, FieldKind::kText};
inline constexpr Field kWeight{52, 10, FieldKind::kText};  // package k: Nth(k - 1)
// The record ends inside the 99th weight: that field has only its first 8 characters.
inline constexpr std::size_t kSize = 1040;
inline constexpr std::size_t kLastWeightWidth = kSize - kWeight.Nth(kMaxPackages - 1).offset;
static_assert(FieldsTile({kUnread, kTariffName, kShipDate, kOriginZip, kGap1, kDestinationZip,
                          kGap2, kResidential, kDropoffCode, kPackagingCode, kSurchargeType,
                          kSurcharge, kServiceCode, kTier, kNumberPackages,
                          kWeight.Run(kMaxPackages - 1)},
                         kSize - kLastWeightWidth));
static_assert(kLastWeightWidth == 8);
}  // namespace package_request

namespace package_response {
inline constexpr Field kSegmentCode{0, 2, FieldKind::kText};  // "15"
inline constexpr Field kStatus{2, 4, FieldKind::kText};       // blanks, or "%04d"
inline constexpr Field kTierUsed{6, 1, FieldKind::kText};     // digit, 'N' without a cwt charge
inline constexpr Field kZone{7, 1, FieldKind::kText};         // byte 8 of the last rate record
inline constexpr Field kCwtCharges{8, 7, FieldKind::kText};   // "%07d"
inline constexpr Field kNoPackages{15, 2, FieldKind::kText};  // the request's count, as sent
inline constexpr Field kCharge{17, 7, FieldKind::kText};      // package k: Nth(k - 1), "%07d"
inline constexpr char kSegment[] = "15";
// The response of n packages.
constexpr std::size_t SizeFor(std::size_t n) { return kCharge.offset + kCharge.width * n; }
inline constexpr std::size_t kMaxSize = SizeFor(package_request::kMaxPackages);
static_assert(FieldsTile({kSegmentCode, kStatus, kTierUsed, kZone, kCwtCharges, kNoPackages,
                          kCharge.Run(package_request::kMaxPackages)},
                         kMaxSize));
static_assert(kMaxSize == 710);
}  // namespace package_response

}  // namespace tolv

#endif  // TOLV32DLL_PACKAGE_PACKAGE_RECORDS_H_
