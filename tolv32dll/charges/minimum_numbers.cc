// The minimum-charge method numbers: the ZIP-pair record's rules, then the ".M" record's.
#include <algorithm>

#include "tolv32dll/charges/bracket_builder.h"
#include "tolv32dll/rates/cell_rule.h"
#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {
namespace {

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

ErrorNumber BracketBuilder::ByNumber() {
  ErrorNumber error = kOk;
  if (ZipPair(error)) return error;
  return RecordRules();
}

bool BracketBuilder::ZipPair(ErrorNumber& error) {
  if (!terms_.zip_pair) return false;
  const ZipPairMinimum& z = *terms_.zip_pair;
  b_.method = static_cast<std::int16_t>(std::clamp(z.method, 0, 255));
  b_.count = static_cast<std::int16_t>(std::clamp<int>(z.bracket_count, 0, MinimumBrackets::kMax));
  if (z.mode == '*') {
    Charges(z.values);
  } else if (z.mode == 'R') {
    Charges(RateCharges());
  } else if (z.mode == 'M') {
    // The record hands the shipment to the ".M" rules of its method number, without a
    // second look-up of the pair.
    error = RecordRules();
    return true;
  }
  switch (b_.method) {
    case 1:
      Pinned(4);
      break;
    case 2:
      // All four brackets count: with two the ordinary group would have only its 100-lb
      // bracket, and a lighter shipment no minimum charge at all.
      Split();
      break;
    case 3:
      b_.kinds[0] = b_.kinds[1] = kOrdinaryBracket;
      b_.weights[0] = 0;
      b_.weights[1] = 100;
      b_.count = 2;
      break;
    case 4:
      SingleShipmentPair();
      break;
    default:
      FirstBracketOnly();
      break;
  }
  return true;
}

ErrorNumber BracketBuilder::RecordRules() {
  if (!terms_.min_file) return kErrMinopn;
  Result<const FileView*> file = terms_.min_file();
  if (!file.ok()) return file.error();
  if (*file == nullptr) return kErrMinopn;
  Result<MinimumRecord> read = ReadMinimumRecord(**file, rate_, terms_.key_width);
  if (!read.ok()) return read.error();
  const MinimumRecord& m = *read;
  switch (b_.method) {
    case 1:
      Charges({m.M(0), m.M(1), m.M(2), m.M(3)});
      Pinned(4);
      break;
    case 2:
      Charges({m.M(0), m.M(1), m.M(2), m.M(3)});
      Split();
      break;
    case 3:
      b_.Set(0, kOrdinaryBracket, 0, m.M(0));
      b_.Set(1, kOrdinaryBracket, 100, m.M(1));
      b_.count = 2;
      break;
    case 4:
      b_.Set(0, kOrdinaryBracket, 0, m.M(0));
      b_.Set(1, kSingleShipmentBracket, 0, m.M(1));
      b_.count = 2;
      break;
    case 5: {
      // k pairs of brackets; the bracket area holds at most 15 pairs.
      const std::size_t k = static_cast<std::size_t>(
          std::clamp<std::int32_t>(m.M(0), 0, MinimumBrackets::kMax / 2));
      bool differ = false;
      for (std::size_t i = 1; i <= k; ++i) {
        b_.Set(i - 1, kSingleShipmentBracket, m.M(i), m.M(k + i));
        b_.Set(k + i - 1, kOrdinaryBracket, m.M(i), m.M(2 * k + i));
        differ = differ || m.M(k + i) != m.M(2 * k + i);
      }
      if (differ) {
        b_.count = static_cast<std::int16_t>(2 * k);
      } else {
        for (std::size_t i = 0; i < k; ++i) b_.kinds[i] = kOrdinaryBracket;
        for (std::size_t i = k; i < 2 * k; ++i) b_.Blank(i);
        b_.count = static_cast<std::int16_t>(k);
      }
      break;
    }
    case 6:
      MethodSix(m);
      break;
    default:
      FirstBracketOnly();
      break;
  }
  return kOk;
}

// Brackets as percentages of a base built from the first rate and the two add-on factors,
// each held between a floor and a ceiling; the values after the groups are the class
// factors of the method.
void BracketBuilder::MethodSix(const MinimumRecord& m) {
  const bool lettered = m.base_letter == 'A' || m.base_letter == 'B';
  const std::int64_t a = lettered && !m.values.empty() ? m.values.back() : 0;
  const std::int64_t origin = terms_.origin_addon_factor;
  const std::int64_t destination = terms_.destination_addon_factor;
  const std::int64_t first_rate = V(1);
  std::int64_t base = origin + destination + first_rate;
  if (m.base_letter == 'A') {
    base = ApplyFactor(a, origin) + ApplyFactor(a, destination) + first_rate;
  } else if (m.base_letter == 'B') {
    base = first_rate + ApplyFactor(a, origin + destination);
  }
  // The head's group count is trusted only as far as the bracket area and the record reach;
  // the first group is always taken.
  const std::size_t held = m.values.size() / 4;
  const std::size_t groups = std::clamp<std::size_t>(
      lettered ? static_cast<std::size_t>(std::max(m.head_second, 1)) : 2, 1,
      std::max<std::size_t>(held, 1));
  std::size_t slot = 0;
  for (std::size_t g = 0; g < groups && slot < MinimumBrackets::kMax; ++g) {
    const std::int32_t weight = m.M(4 * g);
    if (g > 0 && weight == 0) continue;
    std::int64_t charge = ApplyFactor(m.M(4 * g + 1), base);
    charge = std::max<std::int64_t>(charge, m.M(4 * g + 2));
    const std::int32_t ceiling = m.M(4 * g + 3);
    if (ceiling != 0) charge = std::min<std::int64_t>(charge, ceiling);
    b_.Set(slot++, kOrdinaryBracket, weight, Clamp32(charge));
  }
  for (std::size_t i = slot; i < 4; ++i) b_.Blank(i);
  b_.count = static_cast<std::int16_t>(slot);

  if (tables_ == nullptr) return;
  // The base value of letters "A" and "B" closes the record; it is not a factor.
  const std::size_t end = m.values.size() - (lettered && !m.values.empty() ? 1 : 0);
  std::size_t next = 4 * groups;
  const std::size_t classes =
      std::min(tables_->class_codes.size(), tables_->class_factors.size());
  const std::size_t breaks = std::min<std::size_t>(tables_->weight_breaks.size(), kFactorColumns);
  for (std::size_t c = 0; c < classes && next < end; ++c) {
    for (std::size_t b = 0; b < breaks && next < end; ++b) {
      tables_->class_factors[c][b] = m.values[next++];
    }
  }
}

}  // namespace tolv
