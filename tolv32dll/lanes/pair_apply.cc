// The kind C applier. A factor is worked in hundredths of a cent and then rounded to the
// cent; an amount that a record adds to, or leaves, stays in cents.
#include <optional>

#include "tolv32dll/lanes/adj_records.h"
#include "tolv32dll/lanes/lane_apply.h"
#include "tolv32dll/lanes/lane_common.h"
#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/rates/factor_rounding.h"
#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

constexpr int kPairWindow = 10;

// Mode '1' is a factor, '0' none, anything else an amount. A value or an amount of 0
// leaves the amount.
std::int32_t ApplyPairValue(std::int32_t amount, std::int32_t value, char mode, int date_number) {
  if (mode == '0' || value == 0 || amount == 0) return amount;
  if (mode == '1') return ApplyPairFactor(amount, value, date_number);
  return lane_apply::Clamped(static_cast<std::int64_t>(amount) + value);
}

}  // namespace

std::array<std::uint8_t, 3> PackAreaPair(const std::string& pair, int effective_year) {
  std::array<std::uint8_t, 3> packed{};
  if (effective_year < 1999) {
    Bcd_Pack(packed.data(), pair, 6);
  } else {
    Code6_Pack(packed.data(), pair);
  }
  return packed;
}

std::int32_t ApplyPairFactor(std::int32_t amount, std::int32_t value, int date_number) {
  // Older tariffs take the factor to three places first.
  const std::int64_t a = amount;
  const std::int64_t hundredths = a <= 2500000 && date_number < 200108
                                      ? static_cast<std::int64_t>(value / 10) * a / 10
                                      : Rounded100(a * value);
  return lane_apply::Clamped(Rounded100(hundredths));
}

void LaneAdj_ApplyByPair(const FileView& adjustments, const PairTerms& terms,
                         const LaneState& state, ChargeResult& result, int rows, int breaks) {
  namespace L = adj_by_pair_record;
  const std::size_t brackets = lane_apply::BracketCount(result);
  const int record_breaks = std::min<int>(breaks, static_cast<int>(L::kBreakCount));
  std::int64_t start = 0;
  for (const std::string& pair : state.area_pairs) {
    if (pair.size() < 6) continue;
    if (pair.compare(3, 3, "000") == 0) start = 0;
    const std::array<std::uint8_t, 3> key = PackAreaPair(pair, terms.effective_year);
    std::optional<AdjRecord> record =
        LaneAdj_FindByPair(adjustments, key.data(), start, kPairWindow);
    if (!record) continue;
    start = record->position;
    const std::uint8_t* r = record->bytes.data();
    const char minimum_mode = static_cast<char>(r[L::kMinimumMode.offset]);
    const std::int16_t minimum = os::LoadI16Le(r + L::kMinimumValue.offset);
    if (minimum_mode != '0' && minimum > 0) {
      for (std::size_t b = 0; b < brackets; ++b) {
        result.brackets.charges[b] =
            ApplyPairValue(result.brackets.charges[b], minimum, minimum_mode, terms.date_number);
      }
    }
    for (int j = 0; j < record_breaks; ++j) {
      const char mode = static_cast<char>(r[L::kBreakMode.Nth(static_cast<std::size_t>(j)).offset]);
      if (mode == '0') continue;
      const std::int16_t v =
          os::LoadI16Le(r + L::kBreakValue.Nth(static_cast<std::size_t>(j)).offset);
      lane_apply::ForBreakColumn(result, rows, breaks, j, [&](std::int32_t& cell) {
        cell = ApplyPairValue(cell, v, mode, terms.date_number);
      });
    }
  }
}

}  // namespace tolv
