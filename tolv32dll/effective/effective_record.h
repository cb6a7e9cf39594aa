// EffectiveRecord: one line of EFCREC.TBL, the effective-date table. Each line names a
// tariff, the date it comes into force, the numbers of its files and the letters that
// choose how it is rated. 74 characters and CR LF; shared by the reader and the rating
// version routine. The testkit writer lays the line out by hand, so its tests check these
// offsets.
#ifndef TOLV32DLL_EFFECTIVE_EFFECTIVE_RECORD_H_
#define TOLV32DLL_EFFECTIVE_EFFECTIVE_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/os/record_layout.h"

namespace tolv {

namespace effective_record {
inline constexpr os::Field kRecordLetter = os::TextField(0, 1);
inline constexpr os::Field kTariffNumber = os::TextField(1, 3);  // decimal
inline constexpr os::Field kDate = os::TextField(4, 8);          // ccyymmdd
inline constexpr os::Field kDefaultFileNo = os::TextField(12, 2);
inline constexpr os::Field kPointType = os::TextField(14, 1);
inline constexpr os::Field kAltPointType = os::TextField(15, 1);
inline constexpr os::Field kLaneAdjKind = os::TextField(16, 1);
inline constexpr os::Field kLaneAdjFileNo = os::TextField(17, 2);
inline constexpr os::Field kTariffName = os::TextField(19, 8);
inline constexpr os::Field kIndexFileNo = os::TextField(27, 2);
inline constexpr os::Field kRateFileNo = os::TextField(29, 2);
inline constexpr os::Field kWeightTypeFileNo = os::TextField(31, 2);
inline constexpr os::Field kPointFileNo = os::TextField(33, 2);
inline constexpr os::Field kExpFileNo = os::TextField(35, 2);
inline constexpr os::Field kFactorFileNo = os::TextField(37, 2);
inline constexpr os::Field kVersion = os::TextField(39, 5);  // "x.y"
inline constexpr os::Field kLetter44 = os::TextField(44, 1);
inline constexpr os::Field kPointFileMode = os::TextField(45, 1);
inline constexpr os::Field kWeightTypeDigit = os::TextField(46, 1);
// 'Y' intrastate, 'C' Canadian, 'M' Mexican.
inline constexpr os::Field kJurisdiction = os::TextField(47, 1);
inline constexpr os::Field kTariffKind = os::TextField(48, 1);
inline constexpr os::Field kFurther = os::RawField(49, 19);  // not read
inline constexpr os::Field kIndexFormat = os::TextField(68, 1);
inline constexpr os::Field kVersionFlag = os::TextField(69, 1);
inline constexpr os::Field kCompanionPointType = os::TextField(70, 1);
inline constexpr os::Field kCompanionCode = os::TextField(71, 2);
inline constexpr os::Field kAddonMode = os::TextField(73, 1);
inline constexpr os::Field kLineEnd = os::RawField(74, 2);  // CR LF
inline constexpr std::size_t kSize = 76;
// A block shorter than this ends the file (the last line may lack its LF).
inline constexpr std::size_t kMinBlock = kSize - 1;
static_assert(os::FieldsTile(
    {kRecordLetter,  kTariffNumber,     kDate,          kDefaultFileNo,   kPointType,
     kAltPointType,  kLaneAdjKind,      kLaneAdjFileNo, kTariffName,      kIndexFileNo,
     kRateFileNo,    kWeightTypeFileNo, kPointFileNo,   kExpFileNo,       kFactorFileNo,
     kVersion,       kLetter44,         kPointFileMode, kWeightTypeDigit, kJurisdiction,
     kTariffKind,    kFurther,          kIndexFormat,   kVersionFlag,     kCompanionPointType,
     kCompanionCode, kAddonMode,        kLineEnd},
    kSize));
}  // namespace effective_record

// Read access to the fields of one line. Does not own the bytes.
// REQUIRES: the span holds at least effective_record::kMinBlock bytes.
class EffectiveRecordView {
 public:
  explicit EffectiveRecordView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  char Letter(const os::Field& f) const { return static_cast<char>(bytes_[f.offset]); }
  std::string Text(const os::Field& f) const {
    return std::string(reinterpret_cast<const char*>(bytes_.data() + f.offset), f.width);
  }
  // The tariff number; -1 when the field is not three digits (blanks lead as zeros).
  int TariffNumber() const;

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_EFFECTIVE_RECORD_H_
