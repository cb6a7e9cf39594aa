// SettingsRecord: record 1 of variable.dat, every setting of the desktop program in one
// fixed-length record of 1206 bytes. Files written by older versions are shorter; the
// reader (settings_file.h) gives the fields they lack fixed defaults.
//
// Text fields are single-byte Windows-1252, left-aligned, blank-padded, no terminator;
// i16/i32 are little-endian, f64 IEEE doubles. Switches are i16: 0 off, -1 (any non-zero) on.
// The record is kept as its bytes, so fields nobody reads (the reserved texts) survive a
// load and save unchanged.
#ifndef FRELANE_CORE_SETTINGS_RECORD_H_
#define FRELANE_CORE_SETTINGS_RECORD_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "frelane/core/record_field.h"

namespace frelane {

namespace settings {

inline constexpr FieldSpec kCompanyName = TextField(0, 50);
inline constexpr FieldSpec kReservedText1 = TextField(50, 35);
inline constexpr FieldSpec kReservedText2 = TextField(85, 35);
inline constexpr FieldSpec kReservedText3 = TextField(120, 25);
inline constexpr FieldSpec kReservedText4 = TextField(145, 2);
inline constexpr FieldSpec kReservedText5 = TextField(147, 10);
inline constexpr FieldSpec kReservedText6 = TextField(157, 30);
inline constexpr FieldSpec kReservedText7 = TextField(187, 30);
inline constexpr FieldSpec kReservedText8 = TextField(217, 30);
inline constexpr FieldSpec kReservedText9 = TextField(247, 100);
inline constexpr FieldSpec kAboutText1 = TextField(347, 30);  // also the rules viewer's text
inline constexpr FieldSpec kEffectiveDateText = TextField(377, 30);
inline constexpr FieldSpec kAboutText2 = TextField(407, 30);  // also the rate-sheet run caption
inline constexpr FieldSpec kAboutText3 = TextField(437, 50);
inline constexpr FieldSpec kAboutText4 = TextField(487, 30);
inline constexpr FieldSpec kRatingDate = TextField(517, 10);  // mm?dd?ccyy
inline constexpr FieldSpec kAboutText5 = TextField(527, 10);
inline constexpr FieldSpec kAccessorialPromptOffered = I16Field(537);
inline constexpr FieldSpec kAccessorialPromptDefault = I16Field(539);
inline constexpr FieldSpec kBillOfLadingShown = I16Field(541);
inline constexpr FieldSpec kCityLookupShown = I16Field(543);
inline constexpr FieldSpec kFakInUse = I16Field(545);
inline constexpr FieldSpec kFloorMatrixInUse = I16Field(547);
inline constexpr FieldSpec kMcFloorDiscountShown = I16Field(549);
inline constexpr FieldSpec kTerminalServiceGuide = I16Field(551);
inline constexpr FieldSpec kPricePerUnitOffered = I16Field(553);
inline constexpr FieldSpec kPricePerUnitDefault = I16Field(555);
inline constexpr FieldSpec kRateSheetShown = I16Field(557);
inline constexpr FieldSpec kRateSheetTextExportOffered = I16Field(559);
inline constexpr FieldSpec kRulesShown = I16Field(561);
inline constexpr FieldSpec kDefaultOrigin = TextField(563, 6);
inline constexpr FieldSpec kOriginLocked = I16Field(569);
inline constexpr FieldSpec kDefaultDestination = TextField(571, 6);
inline constexpr FieldSpec kDestinationLocked = I16Field(577);
inline constexpr FieldSpec kDefaultClass = TextField(579, 3);
inline constexpr FieldSpec kClassLocked = I16Field(582);
inline constexpr FieldSpec kDefaultWeight = I32Field(584);  // pounds
inline constexpr FieldSpec kWeightLocked = I16Field(588);
inline constexpr FieldSpec kLtlFuelSurcharge = F64Field(590);  // percent
inline constexpr FieldSpec kLtlFuelSurchargeLocked = I16Field(598);
inline constexpr FieldSpec kTlFuelSurcharge = F64Field(600);  // percent
inline constexpr FieldSpec kTlFuelSurchargeLocked = I16Field(608);
inline constexpr FieldSpec kRateAdjustmentFactor = F64Field(610);  // 0 < x <= 3, usually 1
inline constexpr FieldSpec kRateAdjustmentFactorLocked = I16Field(618);
inline constexpr FieldSpec kCanadianExchangeFactor = F64Field(620);  // percent, 0 = no currency rows
inline constexpr FieldSpec kExchangeFactorLocked = I16Field(628);
inline constexpr FieldSpec kDiscountsFixed = I16Field(630);  // -1 Fixed, 0 Prompt
inline constexpr FieldSpec kDiscountCount = I16Field(632);   // 1 Single, 3 Multiple
// The four discount sets share one order: 1 MC %, 2 LTL %, 3 TL %, 4 MC floor in dollars.
inline constexpr FieldSpec kUsDiscounts = F64Field(634, 4);
inline constexpr FieldSpec kDiscountOnCharges = I16Field(666);  // -1 Charges ("C"), 0 Rates ("R")
inline constexpr FieldSpec kShowMiles = I16Field(668);
inline constexpr FieldSpec kWidenShortPostalCodes = I16Field(670);
inline constexpr FieldSpec kRateSheetHeaderLines = TextField(672, 65, 4);
inline constexpr FieldSpec kIconFileName = TextField(932, 12);
inline constexpr FieldSpec kSpotQuoteWeightLimit = I32Field(944);  // pounds, 0 = none
inline constexpr FieldSpec kMapShown = I16Field(948);
inline constexpr FieldSpec kHiddenRateAdjustmentFactor = F64Field(950);  // <= 3
inline constexpr FieldSpec kLtlFuelSurchargeFloor = F64Field(958);       // dollars
inline constexpr FieldSpec kTlFuelSurchargeFloor = F64Field(966);        // dollars
inline constexpr FieldSpec kTlDiscountHidden = I16Field(974);
inline constexpr FieldSpec kWebAddress = TextField(976, 100);
inline constexpr FieldSpec kIntrastateDiscounts = F64Field(1076, 4);
inline constexpr FieldSpec kIntrastateDiscountsEnabled = I16Field(1108);
inline constexpr FieldSpec kCanadaDiscounts = F64Field(1110, 4);
inline constexpr FieldSpec kCanadaDiscountsEnabled = I16Field(1142);
inline constexpr FieldSpec kFuelSurchargeWeightThreshold = I32Field(1144);  // pounds
inline constexpr FieldSpec kZipDiscountsOffered = I16Field(1148);
inline constexpr FieldSpec kZipDiscountsUsed = I16Field(1150);
inline constexpr FieldSpec kNeverAskSingleShipment = I16Field(1152);
inline constexpr FieldSpec kToolbarShown = I16Field(1154);
inline constexpr FieldSpec kUnservedLaneMessage = TextField(1156, 50);

// Every field in record order; the record has no gaps.
inline constexpr std::array kAllFields = {
    kCompanyName, kReservedText1, kReservedText2, kReservedText3, kReservedText4,
    kReservedText5, kReservedText6, kReservedText7, kReservedText8, kReservedText9,
    kAboutText1, kEffectiveDateText, kAboutText2, kAboutText3, kAboutText4,
    kRatingDate, kAboutText5, kAccessorialPromptOffered, kAccessorialPromptDefault,
    kBillOfLadingShown, kCityLookupShown, kFakInUse, kFloorMatrixInUse,
    kMcFloorDiscountShown, kTerminalServiceGuide, kPricePerUnitOffered,
    kPricePerUnitDefault, kRateSheetShown, kRateSheetTextExportOffered, kRulesShown,
    kDefaultOrigin, kOriginLocked, kDefaultDestination, kDestinationLocked,
    kDefaultClass, kClassLocked, kDefaultWeight, kWeightLocked, kLtlFuelSurcharge,
    kLtlFuelSurchargeLocked, kTlFuelSurcharge, kTlFuelSurchargeLocked,
    kRateAdjustmentFactor, kRateAdjustmentFactorLocked, kCanadianExchangeFactor,
    kExchangeFactorLocked, kDiscountsFixed, kDiscountCount, kUsDiscounts,
    kDiscountOnCharges, kShowMiles, kWidenShortPostalCodes, kRateSheetHeaderLines,
    kIconFileName, kSpotQuoteWeightLimit, kMapShown, kHiddenRateAdjustmentFactor,
    kLtlFuelSurchargeFloor, kTlFuelSurchargeFloor, kTlDiscountHidden, kWebAddress,
    kIntrastateDiscounts, kIntrastateDiscountsEnabled, kCanadaDiscounts,
    kCanadaDiscountsEnabled, kFuelSurchargeWeightThreshold, kZipDiscountsOffered,
    kZipDiscountsUsed, kNeverAskSingleShipment, kToolbarShown, kUnservedLaneMessage,
};

inline constexpr std::size_t kRecordSize = 1206;

static_assert(FieldsTile(kAllFields, kRecordSize), "settings fields must tile the 1206-byte record");

// Positions of the values inside a discount set.
inline constexpr int kDiscountMc = 1;
inline constexpr int kDiscountLtl = 2;
inline constexpr int kDiscountTl = 3;
inline constexpr int kDiscountMcFloor = 4;

}  // namespace settings

// The settings record as its bytes, with typed access by field.
// Text comes and goes as UTF-8; the record stores it as Windows-1252.
class SettingsRecord {
 public:
  static constexpr std::size_t kSize = settings::kRecordSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  // A cleared record: text fields blank, numbers 0.
  SettingsRecord() { Clear(); }

  void Clear();

  // `index` is 1-based for array fields (discount sets, header lines); REQUIRES: in range.
  // Text without its trailing blanks (a NUL counts as a blank).
  std::string Text(const FieldSpec& field, int index = 1) const;
  // The field's bytes exactly as stored, padding included.
  std::string Raw(const FieldSpec& field, int index = 1) const;
  std::int16_t I16(const FieldSpec& field) const;
  std::int32_t I32(const FieldSpec& field) const;
  // A stored NaN or infinity reads as 0, so a damaged file cannot poison arithmetic.
  double F64(const FieldSpec& field, int index = 1) const;
  // Switch fields: true for any non-zero value.
  bool On(const FieldSpec& field) const { return I16(field) != 0; }

  // Left-aligned, blank-padded, cut at the width; characters without a Windows-1252 form
  // are stored as "?".
  void SetText(const FieldSpec& field, std::string_view utf8, int index = 1);
  void SetI16(const FieldSpec& field, std::int16_t value);
  void SetI32(const FieldSpec& field, std::int32_t value);
  void SetF64(const FieldSpec& field, double value, int index = 1);
  // Stores a switch as -1 (on) or 0 (off).
  void SetOn(const FieldSpec& field, bool on) { SetI16(field, on ? -1 : 0); }

  const Bytes& bytes() const { return bytes_; }
  Bytes& mutable_bytes() { return bytes_; }

 private:
  const std::uint8_t* At(const FieldSpec& field, int index) const;
  std::uint8_t* At(const FieldSpec& field, int index);

  Bytes bytes_;
};

}  // namespace frelane

#endif  // FRELANE_CORE_SETTINGS_RECORD_H_
