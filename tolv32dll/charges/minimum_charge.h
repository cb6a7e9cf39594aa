// The minimum charge of a shipment: the brackets that the rate record's first value
// selects (a method number with the ".M" record, or the rules of the rate-method letter),
// and the bracket rule that picks the minimum charge for a total weight.
#ifndef TOLV32DLL_CHARGES_MINIMUM_CHARGE_H_
#define TOLV32DLL_CHARGES_MINIMUM_CHARGE_H_

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/rates/class_rate_tables.h"

namespace tolv {

// The ".M" record of a rate basis: its values M(0), M(1), ... and the head's base letter.
struct MinimumRecord {
  std::vector<std::int32_t> values;
  char base_letter = ' ';        // 'A' or 'B' when the head names one
  std::int32_t head_second = 0;  // the head's second value: method 6's group count
  std::int32_t M(std::size_t i) const { return i < values.size() ? values[i] : 0; }
};

// The ".M" layout: a head of a 10-byte key and four 24-bit values (value 0 is the value
// count of every record, value 1 the group count of method 6; the key bytes may hold the
// base letter "A" or "B"), then records of the 10-byte key and that many values.
namespace minimum_file {
inline constexpr os::Field kKey = os::RawField(0, 10);
inline constexpr os::Field kValue = os::RawField(10, 3);  // value i is kValue.Nth(i)
inline constexpr std::size_t kHeadSize = kValue.Nth(4).offset;
inline constexpr std::size_t kMaxValues = 127;
static_assert(os::FieldsTile({kKey, kValue.Run(4)}, kHeadSize));
static_assert(kHeadSize == 22);
}  // namespace minimum_file

// Finds the record of the rate record's key (its first key_width bytes) in ".M". 226 when
// the head is short, names more than 127 values, or no record has the key.
Result<MinimumRecord> ReadMinimumRecord(const FileView& file, const RateRecord& rate,
                                        std::size_t key_width);

// The band-charge block of ".M": 128 24-bit values read whole (the rate-basis step reads it
// for method '7'; the letter rules read it when they need band charges).
namespace minimum_band_block {
inline constexpr os::Field kValue = os::RawField(0, 3, 128);
inline constexpr std::size_t kSize = kValue.size();
static_assert(os::FieldsTile({kValue}, kSize));
}  // namespace minimum_band_block
using MinimumBandBlock = std::array<std::uint8_t, minimum_band_block::kSize>;

// What the shipment's ZIP-pair record says of its minimum charge (its data bytes 25-39):
// method number, bracket count, mode ('*' the four values are the charges, 'R' the rate
// record's V(0)-V(3) are, 'M' the ".M" record rules) and four 24-bit values.
struct ZipPairMinimum {
  int method = 0;
  int bracket_count = 0;
  char mode = ' ';
  std::array<std::int32_t, 4> values{};
};

// The two characters of a rate basis number in front of its 4-digit area, which tariffs of
// the band and year rules use: byte 3 the class digit (band charges), byte 4 the detail
// digit (bracket choice by the rate-record kind letter).
char RateBasisClassDigit(const RateRecord& rate);
char RateBasisDetailDigit(const RateRecord& rate);

struct MinimumTerms {
  char method_letter = '0';
  const RateRecord* rate = nullptr;
  // The ".M" file (225 when it cannot be opened); asked only by the method numbers.
  std::function<Result<const FileView*>()> min_file;
  std::size_t key_width = minimum_file::kKey.width;
  // The tariff's effective date as ccyymmdd, its name and first factor-set number.
  int tariff_date_key = 0;
  std::string tariff_name;
  int first_factor_set = 0;
  // BreakFactorGrid rows 5-9 scale method "C".
  std::function<std::int32_t(int row, int column)> break_factor;
  // The tariff's PIN_MC option: the minimum charge starts pinned to its brackets.
  bool pin_mc = false;
  // The shipment's ZIP-pair record, when the ".Z" file has one; it decides the brackets.
  std::optional<ZipPairMinimum> zip_pair;
  // The origin and destination add-on factors of the rate basis (10000 = 1.0), method 6.
  std::int32_t origin_addon_factor = 0;
  std::int32_t destination_addon_factor = 0;
  // Either end's postal code begins with a letter (the far distance bands).
  bool lettered_point = false;
  // The band-charge block (225/226 when it cannot be read); asked only for band charges.
  std::function<Result<const MinimumBandBlock*>()> band_block;
};

// Builds the brackets in result.brackets from V(0) of the rate record: 1-10 is a method
// number (brackets from ".M"), anything else a charge in cents ruled by the method
// letter; a ZIP-pair record decides first. Method 6 also writes its class factors into
// tables when given. Errors: 225 and 226 of the ".M" file.
ErrorNumber BuildMinimumBrackets(const MinimumTerms& terms, ChargeResult& result,
                                 ClassRateTables* tables = nullptr);
// The same with the rate record and method letter given apart from the terms (whose own
// are not read): the charge step prices with terms it does not own.
ErrorNumber BuildMinimumBrackets(const MinimumTerms& terms, const RateRecord& rate,
                                 char method_letter, ChargeResult& result,
                                 ClassRateTables* tables);

// The bracket rule: sorts the ordinary and single-shipment brackets by weight (ordinary
// first, unknown kinds dropped) and gives the charge of the heaviest bracket at or below
// the weight, from the single-shipment group first when the shipment is one. 0 when no
// bracket qualifies.
std::int32_t MinimumChargeFor(MinimumBrackets& brackets, std::int32_t weight, bool single_shipment);

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_MINIMUM_CHARGE_H_
