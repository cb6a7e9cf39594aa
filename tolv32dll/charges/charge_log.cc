#include "tolv32dll/charges/charge_log.h"

#include <algorithm>

#include "platform/os/bytes.h"
#include "tolv32dll/logs/binary_log.h"

namespace tolv {

namespace lb = binary_log_brackets;

std::array<std::int32_t, kChargeBlockWords> ChargeBlockWords(const ChargeResult& result) {
  std::array<std::int32_t, kChargeBlockWords> words{};
  words[0] = result.minimum_charge;
  std::copy(result.engine_words.begin(), result.engine_words.end(), words.begin() + 1);
  std::copy(result.matrix.cells.begin(), result.matrix.cells.end(), words.begin() + 4);
  return words;
}

std::array<std::uint8_t, lb::kSize> BracketAreaBytes(const MinimumBrackets& b) {
  std::array<std::uint8_t, lb::kSize> out{};
  std::copy(b.kinds.begin(), b.kinds.end(), out.begin() + lb::kKinds.offset);
  for (std::size_t i = 0; i < MinimumBrackets::kMax; ++i) {
    os::StoreI32Le(out.data() + lb::kWeight.Nth(i).offset, b.weights[i]);
    os::StoreI32Le(out.data() + lb::kCharge.Nth(i).offset, b.charges[i]);
  }
  os::StoreI16Le(out.data() + lb::kMethod.offset, b.method);
  os::StoreI16Le(out.data() + lb::kCount.offset, b.count);
  return out;
}

void LogChargeBlock(const ChargeResult& result) {
  if (!ThreadBinaryDebug()) return;
  const std::array<std::int32_t, kChargeBlockWords> words = ChargeBlockWords(result);
  LogBinaryI32s(BinaryLogKind::kChargeBlock, words);
}

void LogBracketArea(const ChargeResult& result) {
  if (!ThreadBinaryDebug()) return;
  const std::array<std::uint8_t, lb::kSize> bytes = BracketAreaBytes(result.brackets);
  LogBinary(BinaryLogKind::kBracketBlock, bytes);
}

}  // namespace tolv
