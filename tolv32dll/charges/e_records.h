// The E records of lane-adjustment kind "G" and the operators they apply to the minimum-
// charge brackets and the rate matrix, before ("1") and after ("2") the class factors.
#ifndef TOLV32DLL_CHARGES_E_RECORDS_H_
#define TOLV32DLL_CHARGES_E_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/charges/charge_result.h"

namespace tolv {

// One E record (660 bytes, loaded with the lane adjustments): an operator digit for the
// minimum charges, one for the rates, the key character, the minimum-charge operand, then
// one operand per rate-matrix cell. Operands are i32.
namespace e_record {
inline constexpr os::Field kHead = os::RawField(0, 5);
inline constexpr os::Field kMinimumOperator = os::TextField(5, 1);
inline constexpr os::Field kRateOperator = os::TextField(6, 1);
inline constexpr os::Field kKey = os::TextField(7, 1);
inline constexpr os::Field kMinimumOperand = os::I32Field(8);
inline constexpr os::Field kRateOperand = os::I32Field(12, 162);
inline constexpr std::size_t kSize = 660;
inline constexpr std::size_t kMaxRecords = 15;
static_assert(os::FieldsTile({kHead, kMinimumOperator, kRateOperator, kKey, kMinimumOperand,
                              kRateOperand},
                             kSize));
}  // namespace e_record

using ERecordBytes = std::vector<std::uint8_t>;

struct EOperatorTerms {
  char key = '1';             // the records whose key character this is are applied
  char la_pct = '\0';         // the LA_PCT merge operator ("*", "+", "H", "L"); else none
  char method_letter = '0';   // "6" and "7" shift the multiplying operators' scale
  int rows = 0;               // priced class rows of the rate matrix
  int breaks = 0;
};

// Applies the records of the key, in list order (at most 15 records are read; shorter
// records carry fewer rate operands), to the bracket charges and the priced cells.
void ApplyERecords(const std::vector<ERecordBytes>& records, const EOperatorTerms& terms,
                   ChargeResult& result);

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_E_RECORDS_H_
