// ShipmentRecord: the 2160-byte rating record a caller hands to the rating calls and reads
// the results from. One-byte text fields blank-padded without terminator, numbers in the
// header and details as decimal text, numbers of the result areas as little-endian
// integers. The engine and every caller read and write it only through these declarations.
#ifndef TOLV32DLL_RECORDS_SHIPMENT_RECORD_H_
#define TOLV32DLL_RECORDS_SHIPMENT_RECORD_H_

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/os/record_layout.h"

namespace tolv {

// The 264-byte header at record offset 1. Offsets here are inside the header.
namespace shipment_header {
inline constexpr std::size_t kSize = 264;
inline constexpr os::Field kRecordCode = os::TextField(0, 2);  // "01", not checked
inline constexpr os::Field kStatus = os::TextField(2, 4);      // blanks = rated, else "%04d"
inline constexpr os::Field kListKind = os::TextField(6, 1);
inline constexpr os::Field kListRebuild = os::TextField(7, 1);  // "S" = rebuild the list file
inline constexpr os::Field kListMode = os::TextField(8, 1);     // "E" or "F"
inline constexpr os::Field kProcessMode = os::TextField(9, 1);  // "0", "P", "2", other
inline constexpr os::Field kTariffName = os::TextField(10, 8);  // blank = engine determines
inline constexpr os::Field kIntrastateFlag = os::TextField(18, 1);
inline constexpr os::Field kShipDate = os::TextField(19, 10);  // mm?dd?ccyy
inline constexpr os::Field kOriginZip = os::TextField(29, 6);
inline constexpr os::Field kOriginCity = os::TextField(35, 19);
inline constexpr os::Field kDestinationZip = os::TextField(54, 6);
inline constexpr os::Field kDestinationCity = os::TextField(60, 19);
inline constexpr os::Field kDetailCount = os::TextField(79, 2);  // 0-20
inline constexpr os::Field kTariffUsed = os::TextField(81, 8);
inline constexpr os::Field kRateBasisNumber = os::TextField(89, 11);
inline constexpr os::Field kTotalWeight = os::TextField(100, 6);     // "%06d" lbs
inline constexpr os::Field kBilledWeight = os::TextField(106, 6);    // "%06d" lbs
inline constexpr os::Field kMinimumCharge = os::TextField(112, 7);   // "%04d.%02d" dollars
inline constexpr os::Field kDeficitRate = os::TextField(119, 7);     // "%04d.%02d" per 100 lbs
inline constexpr os::Field kDeficitWeight = os::TextField(126, 6);   // "%06d" lbs
inline constexpr os::Field kDeficitCharge = os::TextField(132, 9);   // "%06d.%02d"
inline constexpr os::Field kCharges = os::TextField(141, 9);         // "%06d.%02d"
inline constexpr os::Field kEffectiveDate = os::TextField(150, 10);  // mm-dd-ccyy
inline constexpr os::Field kCallerArea160 = os::TextField(160, 16);
inline constexpr os::Field kSingleShipment = os::TextField(176, 1);  // "Y"
inline constexpr os::Field kServiceGuideResult = os::TextField(177, 2);
inline constexpr os::Field kServiceGuideArea = os::TextField(179, 14);
inline constexpr os::Field kDiscountSwitch = os::TextField(193, 1);  // "D"/"Y" on
inline constexpr os::Field kCallerArea194 = os::TextField(194, 1);
inline constexpr os::Field kOriginService = os::TextField(195, 1);       // "D" or "I"
inline constexpr os::Field kDestinationService = os::TextField(196, 1);  // "D" or "I"
inline constexpr os::Field kCallerArea197 = os::TextField(197, 9);
inline constexpr os::Field kCallerArea206 = os::TextField(206, 6);
inline constexpr os::Field kCallerArea212 = os::TextField(212, 1);
inline constexpr os::Field kDiscountKind = os::TextField(213, 1);  // "R" rates, else charges
inline constexpr os::Field kServiceCarrierCode = os::TextField(214, 4);
inline constexpr os::Field kServiceGuideKind = os::TextField(218, 1);
inline constexpr os::Field kDiscountAmount = os::TextField(219, 9);    // "%6ld.%02ld"
inline constexpr os::Field kMinimumDiscount = os::TextField(228, 7);   // "%4ld.%02ld"
inline constexpr os::Field kAdjustmentFactor = os::TextField(235, 5);  // x 10000
inline constexpr os::Field kDiscountPercent = os::TextField(240, 5);   // "%05.2f"
inline constexpr os::Field kCallerArea245 = os::TextField(245, 17);
inline constexpr os::Field kCallerArea262 = os::TextField(262, 2);  // kept as sent

static_assert(os::FieldsTile({kRecordCode,
                              kStatus,
                              kListKind,
                              kListRebuild,
                              kListMode,
                              kProcessMode,
                              kTariffName,
                              kIntrastateFlag,
                              kShipDate,
                              kOriginZip,
                              kOriginCity,
                              kDestinationZip,
                              kDestinationCity,
                              kDetailCount,
                              kTariffUsed,
                              kRateBasisNumber,
                              kTotalWeight,
                              kBilledWeight,
                              kMinimumCharge,
                              kDeficitRate,
                              kDeficitWeight,
                              kDeficitCharge,
                              kCharges,
                              kEffectiveDate,
                              kCallerArea160,
                              kSingleShipment,
                              kServiceGuideResult,
                              kServiceGuideArea,
                              kDiscountSwitch,
                              kCallerArea194,
                              kOriginService,
                              kDestinationService,
                              kCallerArea197,
                              kCallerArea206,
                              kCallerArea212,
                              kDiscountKind,
                              kServiceCarrierCode,
                              kServiceGuideKind,
                              kDiscountAmount,
                              kMinimumDiscount,
                              kAdjustmentFactor,
                              kDiscountPercent,
                              kCallerArea245,
                              kCallerArea262},
                             kSize));
}  // namespace shipment_header

// One 30-byte detail slot: a class and weight in, the rate and charge out.
namespace shipment_detail {
inline constexpr std::size_t kSize = 30;
inline constexpr os::Field kDetailCode = os::TextField(0, 2);  // must be "02"
inline constexpr os::Field kClass = os::TextField(2, 3);       // "92"/"77" = 92.5/77.5
inline constexpr os::Field kWeight = os::TextField(5, 6);      // lbs
inline constexpr os::Field kRate = os::TextField(11, 7);       // "%04ld.%02lu" per 100 lbs
inline constexpr os::Field kCharge = os::TextField(18, 9);     // "%06lu.%02lu"
inline constexpr os::Field kUnwritten = os::RawField(27, 3);
// The part the engine rewrites.
inline constexpr std::size_t kWrittenSize = 27;
static_assert(os::FieldsTile({kDetailCode, kClass, kWeight, kRate, kCharge, kUnwritten}, kSize));
static_assert(kUnwritten.offset == kWrittenSize);
}  // namespace shipment_detail

// A 54-byte discount block: a marker and ten values of percent x 100 ("2500 " = 25.00 %).
namespace discount_block {
inline constexpr std::size_t kSize = 54;
inline constexpr std::size_t kValueCount = 10;
inline constexpr os::Field kMarker = os::TextField(0, 2);  // "D%" for A, "I%" for B
inline constexpr os::Field kValue = os::TextField(2, 5);   // value 1; Nth(k) = value k+1
inline constexpr os::Field kUnread = os::RawField(52, 2);
inline constexpr std::string_view kNoValue = " 9999";
static_assert(os::FieldsTile({kMarker, kValue.Run(kValueCount), kUnread}, kSize));
}  // namespace discount_block

namespace shipment_record {
inline constexpr std::size_t kSize = 2160;
inline constexpr std::size_t kDetailSlots = 20;
inline constexpr std::size_t kRateMatrixCells = 171;
inline constexpr std::size_t kTariffClasses = 20;
inline constexpr std::size_t kTariffWeightBreaks = 20;
inline constexpr std::size_t kBrackets = 30;

inline constexpr os::Field kLeadByte = os::RawField(0, 1);
inline constexpr os::Field kHeader = os::RawField(1, shipment_header::kSize);
inline constexpr os::Field kDetail = os::RawField(265, shipment_detail::kSize);  // slot 1
inline constexpr os::Field kDiscountA = os::RawField(865, discount_block::kSize);
inline constexpr os::Field kDiscountB = os::RawField(919, discount_block::kSize);
inline constexpr os::Field kUnused973 = os::RawField(973, 3);
// The charge block: the minimum charge, three engine words and the rate matrix.
inline constexpr os::Field kMinimumChargeCents = os::I32Field(976);
inline constexpr os::Field kEngineWords = os::RawField(980, 3 * 4);
// Cell (class - 1) x weight-break count + (break - 1), cents.
inline constexpr os::Field kRateMatrix = os::I32Field(992);
inline constexpr os::Field kChargeBlock = os::RawField(976, 175 * 4);
inline constexpr os::Field kClassCode = os::TextField(1676, 6);  // class code 1; Nth(i)
inline constexpr os::Field kWeightBreak = os::I32Field(1796);    // lbs; Nth(i)
inline constexpr os::Field kClassCount = os::I16Field(1876);
inline constexpr os::Field kWeightBreakCount = os::I16Field(1878);
inline constexpr os::Field kBracketKinds = os::TextField(1880, kBrackets);  // "1"/"0" each
inline constexpr os::Field kUnused1910 = os::RawField(1910, 2);
inline constexpr os::Field kBracketWeight = os::I32Field(1912);  // lbs; Nth(i)
inline constexpr os::Field kBracketCharge = os::I32Field(2032);  // cents; Nth(i)
inline constexpr os::Field kMinimumMethod = os::I16Field(2152);  // 1-6
inline constexpr os::Field kBracketCount = os::I16Field(2154);   // 0-30
inline constexpr os::Field kUnused2156 = os::RawField(2156, 3);
inline constexpr os::Field kTrailer = os::RawField(2159, 1);
// The tariff tables zeroed when a rating fails (bytes 1676-2155 less the unused pair,
// which stays as sent).
inline constexpr std::size_t kTablesBegin = 1676;
inline constexpr std::size_t kTablesEnd = 2156;

static_assert(kRateMatrix.Run(kRateMatrixCells).end() == kChargeBlock.end());
static_assert(os::FieldsTile({kLeadByte,
                              kHeader,
                              kDetail.Run(kDetailSlots),
                              kDiscountA,
                              kDiscountB,
                              kUnused973,
                              kMinimumChargeCents,
                              kEngineWords,
                              kRateMatrix.Run(kRateMatrixCells),
                              kClassCode.Run(kTariffClasses),
                              kWeightBreak.Run(kTariffWeightBreaks),
                              kClassCount,
                              kWeightBreakCount,
                              kBracketKinds,
                              kUnused1910,
                              kBracketWeight.Run(kBrackets),
                              kBracketCharge.Run(kBrackets),
                              kMinimumMethod,
                              kBracketCount,
                              kUnused2156,
                              kTrailer},
                             kSize));
}  // namespace shipment_record

// A one-character text field as Text(f)[0] reads it, without the string: '\0' for a blank
// or NUL.
inline char OneCharText(os::ConstRecordView v, const os::Field& f) {
  assert(f.width == 1);
  const std::uint8_t c = *v.at(f);
  return c == ' ' || c == 0 ? '\0' : static_cast<char>(c);
}

// A ShipmentRecord held as its bytes, with windows on its parts.
class ShipmentRecord {
 public:
  static constexpr std::size_t kSize = shipment_record::kSize;

  // All bytes zero.
  ShipmentRecord() { bytes_.fill(0); }
  // REQUIRES: source points at kSize readable bytes.
  static ShipmentRecord FromBytes(const std::uint8_t* source) { return ShipmentRecord(source); }
  // REQUIRES: source points at kSize readable bytes.
  void CopyFrom(const std::uint8_t* source) { std::memcpy(bytes_.data(), source, kSize); }
  // REQUIRES: target points at kSize writable bytes.
  void CopyTo(std::uint8_t* target) const { std::memcpy(target, bytes_.data(), kSize); }

  std::array<std::uint8_t, kSize>& bytes() { return bytes_; }
  const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

  os::RecordView view() { return os::RecordView(bytes_); }
  os::ConstRecordView view() const { return os::ConstRecordView(bytes_); }
  os::RecordView header() { return view().Sub(shipment_record::kHeader); }
  os::ConstRecordView header() const { return view().Sub(shipment_record::kHeader); }
  // slot is 0-based: 0 is detail slot 1.
  os::RecordView detail(std::size_t slot) { return view().Sub(DetailField(slot)); }
  os::ConstRecordView detail(std::size_t slot) const { return view().Sub(DetailField(slot)); }
  os::RecordView discount_a() { return view().Sub(shipment_record::kDiscountA); }
  os::ConstRecordView discount_a() const { return view().Sub(shipment_record::kDiscountA); }
  os::RecordView discount_b() { return view().Sub(shipment_record::kDiscountB); }
  os::ConstRecordView discount_b() const { return view().Sub(shipment_record::kDiscountB); }

  // DetailCount as "%2hd" reads it, inside its two characters: 0 when they hold nothing
  // (blanks, or a NUL first), nullopt when their text does not read as a number.
  std::optional<int> DetailCount() const {
    constexpr os::Field f = shipment_header::kDetailCount;
    const std::uint8_t* p = header().at(f);
    // The C string of the field, its white space skipped as the C locale knows it.
    std::size_t end = 0;
    while (end < f.width && p[end] != 0) ++end;
    std::size_t i = 0;
    while (i < end && (p[i] == ' ' || (p[i] >= '\t' && p[i] <= '\r'))) ++i;
    if (i == end) return 0;
    const bool negative = p[i] == '-';
    if (p[i] == '-' || p[i] == '+') ++i;
    if (i == end || p[i] < '0' || p[i] > '9') return std::nullopt;
    int count = 0;
    for (; i < end && p[i] >= '0' && p[i] <= '9'; ++i) count = count * 10 + (p[i] - '0');
    return negative ? -count : count;
  }

 private:
  // The bytes copied in once, not zeroed first.
  explicit ShipmentRecord(const std::uint8_t* source) { std::memcpy(bytes_.data(), source, kSize); }
  static os::Field DetailField(std::size_t slot) {
    assert(slot < shipment_record::kDetailSlots);
    return shipment_record::kDetail.Nth(slot);
  }
  std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace tolv

#endif  // TOLV32DLL_RECORDS_SHIPMENT_RECORD_H_
