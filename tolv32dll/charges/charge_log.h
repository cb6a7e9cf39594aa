// The charge step's records in the binary debug log: the charge block once the classes are
// priced (kind 3) and the bracket area at the end of the step (kind 16).
#ifndef TOLV32DLL_CHARGES_CHARGE_LOG_H_
#define TOLV32DLL_CHARGES_CHARGE_LOG_H_

#include <array>
#include <cstdint>

#include "tolv32dll/charges/charge_result.h"
#include "tolv32dll/logs/binary_log_format.h"

namespace tolv {

// The 175 words of the charge block: minimum charge, three engine words, the rate matrix.
inline constexpr std::size_t kChargeBlockWords = 4 + RateMatrix::kCells;
std::array<std::int32_t, kChargeBlockWords> ChargeBlockWords(const ChargeResult& result);

// The 276 bytes of the bracket area, laid out as in the shipment record.
std::array<std::uint8_t, binary_log_brackets::kSize> BracketAreaBytes(const MinimumBrackets& b);

// Both write nothing unless the calling thread's binary log is on.
void LogChargeBlock(const ChargeResult& result);
void LogBracketArea(const ChargeResult& result);

}  // namespace tolv

#endif  // TOLV32DLL_CHARGES_CHARGE_LOG_H_
