// ShipmentRecord: the 2160-byte rating record a caller hands to the rating calls and reads
// the results from. One-byte text fields blank-padded without terminator, numbers in the
// header and details as decimal text, numbers of the result areas as little-endian
// integers. The engine and every caller read and write it only through these declarations.
#ifndef TOLV32DLL_RECORDS_SHIPMENT_RECORD_H_
#define TOLV32DLL_RECORDS_SHIPMENT_RECORD_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "tolv32dll/records/field.h"

namespace tolv {

// The 264-byte header at record offset 1. Offsets here are inside the header.
namespace shipment_header {
inline constexpr std::size_t kSize = 264;
inline constexpr Field kRecordCode{0, 2, FieldKind::kText};  // "01", not checked
inline constexpr Field kStatus{2, 4, FieldKind::kText};      // blanks = rated, else "%04d"
inline constexpr Field kListKind{6, 1, FieldKind::kText};
inline constexpr Field kListRebuild{7, 1, FieldKind::kText};  // "S" = rebuild the list file
inline constexpr Field kListMode{8, 1, FieldKind::kText};     // "E" or "F"
inline constexpr Field kProcessMode{9, 1, FieldKind::kText};  // "0", "P", "2", other
inline constexpr Field kTariffName{10, 8, FieldKind::kText};  // blank = engine determines
inline constexpr Field kIntrastateFlag{18, 1, FieldKind::kText};
inline constexpr Field kShipDate{19, 10, FieldKind::kText};  // mm?dd?ccyy
inline constexpr Field kOriginZip{29, 6, FieldKind::kText};
inline constexpr Field kOriginCity{35, 19, FieldKind::kText};
inline constexpr Field kDestinationZip{54, 6, FieldKind::kText};
inline constexpr Field kDestinationCity{60, 19, FieldKind::kText};
inline constexpr Field kDetailCount{79, 2, FieldKind::kText};  // 0-20
inline constexpr Field kTariffUsed{81, 8, FieldKind::kText};
inline constexpr Field kRateBasisNumber{89, 11, FieldKind::kText};
inline constexpr Field kTotalWeight{100, 6, FieldKind::kText};     // "%06d" lbs
inline constexpr Field kBilledWeight{106, 6, FieldKind::kText};    // "%06d" lbs
inline constexpr Field kMinimumCharge{112, 7, FieldKind::kText};   // "%04d.%02d" dollars
inline constexpr Field kDeficitRate{119, 7, FieldKind::kText};     // "%04d.%02d" per 100 lbs
inline constexpr Field kDeficitWeight{126, 6, FieldKind::kText};   // "%06d" lbs
inline constexpr Field kDeficitCharge{132, 9, FieldKind::kText};   // "%06d.%02d"
inline constexpr Field kCharges{141, 9, FieldKind::kText};         // "%06d.%02d"
inline constexpr Field kEffectiveDate{150, 10, FieldKind::kText};  // mm-dd-ccyy
inline constexpr Field kCallerArea160{160, 16, FieldKind::kText};
inline constexpr Field kSingleShipment{176, 1, FieldKind::kText};  // "Y"
inline constexpr Field kServiceGuideResult{177, 2, FieldKind::kText};
inline constexpr Field kServiceGuideArea{179, 14, FieldKind::kText};
inline constexpr Field kDiscountSwitch{193, 1, FieldKind::kText};  // "D"/"Y" on
inline constexpr Field kCallerArea194{194, 1, FieldKind::kText};
inline constexpr Field kOriginService{195, 1, FieldKind::kText};       // "D" or "I"
inline constexpr Field kDestinationService{196, 1, FieldKind::kText};  // "D" or "I"
inline constexpr Field kCallerArea197{197, 9, FieldKind::kText};
inline constexpr Field kCallerArea206{206, 6, FieldKind::kText};
inline constexpr Field kCallerArea212{212, 1, FieldKind::kText};
inline constexpr Field kDiscountKind{213, 1, FieldKind::kText};  // "R" rates, else charges
inline constexpr Field kServiceCarrierCode{214, 4, FieldKind::kText};
inline constexpr Field kServiceGuideKind{218, 1, FieldKind::kText};
inline constexpr Field kDiscountAmount{219, 9, FieldKind::kText};    // "%6ld.%02ld"
inline constexpr Field kMinimumDiscount{228, 7, FieldKind::kText};   // "%4ld.%02ld"
inline constexpr Field kAdjustmentFactor{235, 5, FieldKind::kText};  // x 10000
inline constexpr Field kDiscountPercent{240, 5, FieldKind::kText};   // "%05.2f"
inline constexpr Field kCallerArea245{245, 17, FieldKind::kText};
inline constexpr Field kCallerArea262{262, 2, FieldKind::kText};  // kept as sent

static_assert(FieldsTile({kRecordCode,
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
inline constexpr Field kDetailCode{0, 2, FieldKind::kText};  // must be "02"
inline constexpr Field kClass{2, 3, FieldKind::kText};       // "92"/"77" = 92.5/77.5
inline constexpr Field kWeight{5, 6, FieldKind::kText};      // lbs
inline constexpr Field kRate{11, 7, FieldKind::kText};       // "%04ld.%02lu" per 100 lbs
inline constexpr Field kCharge{18, 9, FieldKind::kText};     // "%06lu.%02lu"
inline constexpr Field kUnwritten{27, 3, FieldKind::kRaw};
// The part the engine rewrites.
inline constexpr std::size_t kWrittenSize = 27;
static_assert(FieldsTile({kDetailCode, kClass, kWeight, kRate, kCharge, kUnwritten}, kSize));
static_assert(kUnwritten.offset == kWrittenSize);
}  // namespace shipment_detail

// A 54-byte discount block: a marker and ten values of percent x 100 ("2500 " = 25.00 %).
namespace discount_block {
inline constexpr std::size_t kSize = 54;
inline constexpr std::size_t kValueCount = 10;
inline constexpr Field kMarker{0, 2, FieldKind::kText};  // "D%" for A, "I%" for B
inline constexpr Field kValue{2, 5, FieldKind::kText};   // value 1; Nth(k) = value k+1
inline constexpr Field kUnread{52, 2, FieldKind::kRaw};
inline constexpr std::string_view kNoValue = " 9999";
static_assert(FieldsTile({kMarker, kValue.Run(kValueCount), kUnread}, kSize));
}  // namespace discount_block

namespace shipment_record {
inline constexpr std::size_t kSize = 2160;
inline constexpr std::size_t kDetailSlots = 20;
inline constexpr std::size_t kRateMatrixCells = 171;
inline constexpr std::size_t kTariffClasses = 20;
inline constexpr std::size_t kTariffWeightBreaks = 20;
inline constexpr std::size_t kBrackets = 30;

inline constexpr Field kLeadByte{0, 1, FieldKind::kRaw};
inline constexpr Field kHeader{1, shipment_header::kSize, FieldKind::kRaw};
inline constexpr Field kDetail{265, shipment_detail::kSize, FieldKind::kRaw};  // slot 1
inline constexpr Field kDiscountA{865, discount_block::kSize, FieldKind::kRaw};
inline constexpr Field kDiscountB{919, discount_block::kSize, FieldKind::kRaw};
inline constexpr Field kUnused973{973, 3, FieldKind::kRaw};
// The charge block: the minimum charge, three engine words and the rate matrix.
inline constexpr Field kMinimumChargeCents{976, 4, FieldKind::kI32};
inline constexpr Field kEngineWords{980, 3 * 4, FieldKind::kRaw};
// Cell (class - 1) x weight-break count + (break - 1), cents.
inline constexpr Field kRateMatrix{992, 4, FieldKind::kI32};
inline constexpr Field kChargeBlock{976, 175 * 4, FieldKind::kRaw};
inline constexpr Field kClassCode{1676, 6, FieldKind::kText};   // class code 1; Nth(i)
inline constexpr Field kWeightBreak{1796, 4, FieldKind::kI32};  // lbs; Nth(i)
inline constexpr Field kClassCount{1876, 2, FieldKind::kI16};
inline constexpr Field kWeightBreakCount{1878, 2, FieldKind::kI16};
inline constexpr Field kBracketKinds{1880, kBrackets, FieldKind::kText};  // "1"/"0" each
inline constexpr Field kUnused1910{1910, 2, FieldKind::kRaw};
inline constexpr Field kBracketWeight{1912, 4, FieldKind::kI32};  // lbs; Nth(i)
inline constexpr Field kBracketCharge{2032, 4, FieldKind::kI32};  // cents; Nth(i)
inline constexpr Field kMinimumMethod{2152, 2, FieldKind::kI16};  // 1-6
inline constexpr Field kBracketCount{2154, 2, FieldKind::kI16};   // 0-30
inline constexpr Field kUnused2156{2156, 3, FieldKind::kRaw};
inline constexpr Field kTrailer{2159, 1, FieldKind::kRaw};
// The tariff tables zeroed when a rating fails (bytes 1676-2155 less the unused pair,
// which stays as sent).
inline constexpr std::size_t kTablesBegin = 1676;
inline constexpr std::size_t kTablesEnd = 2156;

static_assert(kRateMatrix.Run(kRateMatrixCells).end() == kChargeBlock.end());
static_assert(FieldsTile({kLeadByte,
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

// A ShipmentRecord held as its bytes, with windows on its parts.
class ShipmentRecord {
 public:
  static constexpr std::size_t kSize = shipment_record::kSize;

  // All bytes zero.
  ShipmentRecord() { bytes_.fill(0); }
  // REQUIRES: source points at kSize readable bytes.
  static ShipmentRecord FromBytes(const std::uint8_t* source) {
    ShipmentRecord r;
    std::memcpy(r.bytes_.data(), source, kSize);
    return r;
  }
  // REQUIRES: source points at kSize readable bytes.
  void CopyFrom(const std::uint8_t* source) { std::memcpy(bytes_.data(), source, kSize); }
  // REQUIRES: target points at kSize writable bytes.
  void CopyTo(std::uint8_t* target) const { std::memcpy(target, bytes_.data(), kSize); }

  std::array<std::uint8_t, kSize>& bytes() { return bytes_; }
  const std::array<std::uint8_t, kSize>& bytes() const { return bytes_; }

  RecordView view() { return RecordView(bytes_); }
  ConstRecordView view() const { return ConstRecordView(bytes_); }
  RecordView header() { return view().Sub(shipment_record::kHeader); }
  ConstRecordView header() const { return view().Sub(shipment_record::kHeader); }
  // slot is 0-based: 0 is detail slot 1.
  RecordView detail(std::size_t slot) { return view().Sub(DetailField(slot)); }
  ConstRecordView detail(std::size_t slot) const { return view().Sub(DetailField(slot)); }
  RecordView discount_a() { return view().Sub(shipment_record::kDiscountA); }
  ConstRecordView discount_a() const { return view().Sub(shipment_record::kDiscountA); }
  RecordView discount_b() { return view().Sub(shipment_record::kDiscountB); }
  ConstRecordView discount_b() const { return view().Sub(shipment_record::kDiscountB); }

  // DetailCount as "%2hd" reads it, inside its two characters: 0 when they hold nothing
  // (blanks, or a NUL first), nullopt when their text does not read as a number.
  std::optional<int> DetailCount() const {
    constexpr Field f = shipment_header::kDetailCount;
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
  static Field DetailField(std::size_t slot) {
    assert(slot < shipment_record::kDetailSlots);
    return shipment_record::kDetail.Nth(slot);
  }
  std::array<std::uint8_t, kSize> bytes_;
};

}  // namespace tolv

#endif  // TOLV32DLL_RECORDS_SHIPMENT_RECORD_H_
