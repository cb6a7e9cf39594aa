// EffectiveRecord: one line of EFCREC.TBL, the effective-date table. Each line names a
// tariff, the date it comes into force, the numbers of its files and the letters that
// choose how it is rated. 74 characters and CR LF; shared by the reader, the rating
// version routine and the testkit writer.
#ifndef TOLV32DLL_EFFECTIVE_EFFECTIVE_RECORD_H_
#define TOLV32DLL_EFFECTIVE_EFFECTIVE_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tolv {

struct EffectiveRecordLayout {
  struct Field {
    std::size_t offset;
    std::size_t width;
  };
  static constexpr Field kRecordLetter{0, 1};
  static constexpr Field kTariffNumber{1, 3};  // decimal
  static constexpr Field kDate{4, 8};          // ccyymmdd
  static constexpr Field kDefaultFileNo{12, 2};
  static constexpr Field kPointType{14, 1};
  static constexpr Field kAltPointType{15, 1};
  static constexpr Field kLaneAdjKind{16, 1};
  static constexpr Field kLaneAdjFileNo{17, 2};
  static constexpr Field kTariffName{19, 8};
  static constexpr Field kIndexFileNo{27, 2};
  static constexpr Field kRateFileNo{29, 2};
  static constexpr Field kWeightTypeFileNo{31, 2};
  static constexpr Field kPointFileNo{33, 2};
  static constexpr Field kExpFileNo{35, 2};
  static constexpr Field kFactorFileNo{37, 2};
  static constexpr Field kVersion{39, 5};  // "x.y"
  static constexpr Field kLetter44{44, 1};
  static constexpr Field kPointFileMode{45, 1};
  static constexpr Field kWeightTypeDigit{46, 1};
  static constexpr Field kJurisdiction{47, 1};  // 'Y' intrastate, 'C' Canadian, 'M' Mexican
  static constexpr Field kTariffKind{48, 1};
  static constexpr Field kFurther{49, 19};  // not read
  static constexpr Field kIndexFormat{68, 1};
  static constexpr Field kVersionFlag{69, 1};
  static constexpr Field kCompanionPointType{70, 1};
  static constexpr Field kCompanionCode{71, 2};
  static constexpr Field kAddonMode{73, 1};
  static constexpr Field kLineEnd{74, 2};  // CR LF

  static constexpr std::size_t kSize = 1 + 3 + 8 + 2 + 1 + 1 + 1 + 2 + 8 + 6 * 2 + 5 + 1 + 1 + 1 +
                                       1 + 1 + 19 + 1 + 1 + 1 + 2 + 1 + 2;
  // A block shorter than this ends the file (the last line may lack its LF).
  static constexpr std::size_t kMinBlock = kSize - 1;
};
static_assert(EffectiveRecordLayout::kSize == 76);
static_assert(EffectiveRecordLayout::kLineEnd.offset + EffectiveRecordLayout::kLineEnd.width ==
              EffectiveRecordLayout::kSize);
static_assert(EffectiveRecordLayout::kFurther.offset + EffectiveRecordLayout::kFurther.width ==
              EffectiveRecordLayout::kIndexFormat.offset);

// Read access to the fields of one line. Does not own the bytes.
// REQUIRES: the span holds at least EffectiveRecordLayout::kMinBlock bytes.
class EffectiveRecordView {
 public:
  using Field = EffectiveRecordLayout::Field;
  explicit EffectiveRecordView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  char Letter(Field f) const { return static_cast<char>(bytes_[f.offset]); }
  std::string Text(Field f) const {
    return std::string(reinterpret_cast<const char*>(bytes_.data() + f.offset), f.width);
  }
  // The tariff number; -1 when the field is not three digits (blanks lead as zeros).
  int TariffNumber() const;

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_EFFECTIVE_RECORD_H_
