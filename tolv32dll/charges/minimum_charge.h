// The minimum charge of a shipment: the brackets that the rate record's first value
// selects (a method number with the ".M" record, or the rules of the rate-method letter),
// and the bracket rule that picks the minimum charge for a total weight.
#ifndef TOLV32DLL_CHARGES_MINIMUM_CHARGE_H_
#define TOLV32DLL_CHARGES_MINIMUM_CHARGE_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"
#include "tolv32dll/ratebasis/rate_record.h"

namespace tolv {

// The ".M" record of a rate basis: its values M(0), M(1), ... and the head's base letter.
struct MinimumRecord {
  std::vector<std::int32_t> values;
  char base_letter = ' ';  // 'A' or 'B' when the head names one
  std::int32_t M(std::size_t i) const { return i < values.size() ? values[i] : 0; }
};

// The ".M" layout: a head of a 10-byte key and four 24-bit values (value 0 is the value
// count of every record), then records of the 10-byte key and that many values.
struct MinimumFileLayout {
  static constexpr std::size_t kKey = 0, kKeyWidth = 10;
  static constexpr std::size_t kValues = 10, kValueWidth = 3;
  static constexpr std::size_t kHeadSize = kValues + 4 * kValueWidth;
  static constexpr std::size_t kMaxValues = 127;
};
static_assert(MinimumFileLayout::kHeadSize == 22);

// Finds the record of the rate record's key (its first key_width bytes) in ".M". 226 when
// the head is short, names more than 127 values, or no record has the key.
Result<MinimumRecord> ReadMinimumRecord(const FileView& file, const RateRecord& rate,
                                        std::size_t key_width);

struct MinimumTerms {
  char method_letter = '0';
  const RateRecord* rate = nullptr;
  // The ".M" file (225 when it cannot be opened); asked only by the method numbers.
  std::function<Result<const FileView*>()> min_file;
  std::size_t key_width = MinimumFileLayout::kKeyWidth;
  // The tariff's effective date as ccyymmdd, its name and first factor-set number.
  int tariff_date_key = 0;
  std::string tariff_name;
  int first_factor_set = 0;
  // BreakFactorGrid rows 5-9 scale method "C"; the add-on factors feed method 6.
  std::function<std::int32_t(int row, int column)> break_factor;
};

// Builds the brackets in result.brackets from V(0) of the rate record: 1-10 is a method
// number (brackets from ".M"), anything else a charge in cents ruled by the method
// letter. Errors: 225 and 226 of the ".M" file.
ErrorNumber BuildMinimumBrackets(const MinimumTerms& terms, ChargeResult& result);

// The bracket rule: sorts the ordinary and single-shipment brackets by weight (ordinary
// first, unknown kinds dropped) and gives the charge of the heaviest bracket at or below
// the weight, from the single-shipment group first when the shipment is one. 0 when no
// bracket qualifies.
std::int32_t MinimumChargeFor(MinimumBrackets& brackets, std::int32_t weight, bool single_shipment);

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_MINIMUM_CHARGE_H_
