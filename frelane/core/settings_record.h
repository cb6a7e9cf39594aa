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

#include "platform/os/record_layout.h"

namespace frelane {

namespace settings {

inline constexpr os::Field kCompanyName = os::TextField(0, 50);
inline constexpr os::Field kReservedText1 = os::TextField(50, 35);
inline constexpr os::Field kReservedText2 = os::TextField(85, 35);
inline constexpr os::Field kReservedText3 = os::TextField(120, 25);
inline constexpr os::Field kReservedText4 = os::TextField(145, 2);
inline constexpr os::Field kReservedText5 = os::TextField(147, 10);
inline constexpr os::Field kReservedText6 = os::TextField(157, 30);
inline constexpr os::Field kReservedText7 = os::TextField(187, 30);
inline constexpr os::Field kReservedText8 = os::TextField(217, 30);
inline constexpr os::Field kReservedText9 = os::TextField(247, 100);
inline constexpr os::Field kAboutText1 = os::TextField(347, 30);  // also the rules viewer's text
inline constexpr os::Field kEffectiveDateText = os::TextField(377, 30);
inline constexpr os::Field kAboutText2 = os::TextField(407, 30);  // also the rate-sheet run caption
inline constexpr os::Field kAboutText3 = os::TextField(437, 50);
inline constexpr os::Field kAboutText4 = os::TextField(487, 30);
inline constexpr os::Field kRatingDate = os::TextField(517, 10);  // mm?dd?ccyy
inline constexpr os::Field kAboutText5 = os::TextField(527, 10);
inline constexpr os::Field kAccessorialPromptOffered = os::I16Field(537);
inline constexpr os::Field kAccessorialPromptDefault = os::I16Field(539);
inline constexpr os::Field kBillOfLadingShown = os::I16Field(541);
inline constexpr os::Field kCityLookupShown = os::I16Field(543);
inline constexpr os::Field kFakInUse = os::I16Field(545);
inline constexpr os::Field kFloorMatrixInUse = os::I16Field(547);
inline constexpr os::Field kMcFloorDiscountShown = os::I16Field(549);
inline constexpr os::Field kTerminalServiceGuide = os::I16Field(551);
inline constexpr os::Field kPricePerUnitOffered = os::I16Field(553);
inline constexpr os::Field kPricePerUnitDefault = os::I16Field(555);
inline constexpr os::Field kRateSheetShown = os::I16Field(557);
inline constexpr os::Field kRateSheetTextExportOffered = os::I16Field(559);
inline constexpr os::Field kRulesShown = os::I16Field(561);
inline constexpr os::Field kDefaultOrigin = os::TextField(563, 6);
inline constexpr os::Field kOriginLocked = os::I16Field(569);
inline constexpr os::Field kDefaultDestination = os::TextField(571, 6);
inline constexpr os::Field kDestinationLocked = os::I16Field(577);
inline constexpr os::Field kDefaultClass = os::TextField(579, 3);
inline constexpr os::Field kClassLocked = os::I16Field(582);
inline constexpr os::Field kDefaultWeight = os::I32Field(584);  // pounds
inline constexpr os::Field kWeightLocked = os::I16Field(588);
inline constexpr os::Field kLtlFuelSurcharge = os::F64Field(590);  // percent
inline constexpr os::Field kLtlFuelSurchargeLocked = os::I16Field(598);
inline constexpr os::Field kTlFuelSurcharge = os::F64Field(600);  // percent
inline constexpr os::Field kTlFuelSurchargeLocked = os::I16Field(608);
inline constexpr os::Field kRateAdjustmentFactor = os::F64Field(610);  // 0 < x <= 3, usually 1
inline constexpr os::Field kRateAdjustmentFactorLocked = os::I16Field(618);
// percent, 0 = no currency rows
inline constexpr os::Field kCanadianExchangeFactor = os::F64Field(620);
inline constexpr os::Field kExchangeFactorLocked = os::I16Field(628);
inline constexpr os::Field kDiscountsFixed = os::I16Field(630);  // -1 Fixed, 0 Prompt
inline constexpr os::Field kDiscountCount = os::I16Field(632);   // 1 Single, 3 Multiple
// The four discount sets share one order: 1 MC %, 2 LTL %, 3 TL %, 4 MC floor in dollars.
inline constexpr os::Field kUsDiscounts = os::F64Field(634, 4);
// -1 Charges ("C"), 0 Rates ("R")
inline constexpr os::Field kDiscountOnCharges = os::I16Field(666);
inline constexpr os::Field kShowMiles = os::I16Field(668);
inline constexpr os::Field kWidenShortPostalCodes = os::I16Field(670);
inline constexpr os::Field kRateSheetHeaderLines = os::TextField(672, 65, 4);
inline constexpr os::Field kIconFileName = os::TextField(932, 12);
inline constexpr os::Field kSpotQuoteWeightLimit = os::I32Field(944);  // pounds, 0 = none
inline constexpr os::Field kMapShown = os::I16Field(948);
inline constexpr os::Field kHiddenRateAdjustmentFactor = os::F64Field(950);  // <= 3
inline constexpr os::Field kLtlFuelSurchargeFloor = os::F64Field(958);       // dollars
inline constexpr os::Field kTlFuelSurchargeFloor = os::F64Field(966);        // dollars
inline constexpr os::Field kTlDiscountHidden = os::I16Field(974);
inline constexpr os::Field kWebAddress = os::TextField(976, 100);
inline constexpr os::Field kIntrastateDiscounts = os::F64Field(1076, 4);
inline constexpr os::Field kIntrastateDiscountsEnabled = os::I16Field(1108);
inline constexpr os::Field kCanadaDiscounts = os::F64Field(1110, 4);
inline constexpr os::Field kCanadaDiscountsEnabled = os::I16Field(1142);
inline constexpr os::Field kFuelSurchargeWeightThreshold = os::I32Field(1144);  // pounds
inline constexpr os::Field kZipDiscountsOffered = os::I16Field(1148);
inline constexpr os::Field kZipDiscountsUsed = os::I16Field(1150);
inline constexpr os::Field kNeverAskSingleShipment = os::I16Field(1152);
inline constexpr os::Field kToolbarShown = os::I16Field(1154);
inline constexpr os::Field kUnservedLaneMessage = os::TextField(1156, 50);

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

static_assert(os::FieldsTile(kAllFields, kRecordSize),
              "settings fields must tile the 1206-byte record");

// Positions of the values inside a discount set.
inline constexpr int kDiscountMc = 1;
inline constexpr int kDiscountLtl = 2;
inline constexpr int kDiscountTl = 3;
inline constexpr int kDiscountMcFloor = 4;

}  // namespace settings

// The settings record as its bytes, with typed access by field.
class SettingsRecord {
 public:
  static constexpr std::size_t kSize = settings::kRecordSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  // A cleared record: text fields blank, numbers 0.
  SettingsRecord() { Clear(); }

  void Clear();

  // `index` is 1-based for array fields (discount sets, header lines); REQUIRES: in range.
  // The text as UTF-8, without its trailing blanks (a NUL counts as a blank).
  std::string Text(const os::Field& field, int index = 1) const;
  // The field's bytes exactly as stored (Windows-1252 text, padding included).
  std::string Raw(const os::Field& field, int index = 1) const;
  std::int16_t I16(const os::Field& field) const;
  std::int32_t I32(const os::Field& field) const;
  // A stored NaN or infinity reads as 0, so a damaged file cannot poison arithmetic.
  double F64(const os::Field& field, int index = 1) const;
  // Switch fields: true for any non-zero value.
  bool On(const os::Field& field) const { return I16(field) != 0; }

  // Left-aligned, blank-padded, cut at the width; characters without a Windows-1252 form
  // are stored as "?".
  void SetText(const os::Field& field, std::string_view utf8, int index = 1);
  void SetI16(const os::Field& field, std::int16_t value);
  void SetI32(const os::Field& field, std::int32_t value);
  void SetF64(const os::Field& field, double value, int index = 1);
  // Stores a switch as -1 (on) or 0 (off).
  void SetOn(const os::Field& field, bool on) { SetI16(field, on ? -1 : 0); }

  const Bytes& bytes() const { return bytes_; }
  Bytes& mutable_bytes() { return bytes_; }

 private:
  os::ConstRecordView view() const { return os::ConstRecordView(bytes_); }
  os::RecordView view() { return os::RecordView(bytes_); }
  // Element `index` of the field, checked against the field's kind and count.
  static os::Field Element(const os::Field& field, os::FieldKind kind, int index = 1);

  Bytes bytes_;
};

}  // namespace frelane

#endif  // FRELANE_CORE_SETTINGS_RECORD_H_
