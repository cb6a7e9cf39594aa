#include "tolv32dll/ziptables/zip_rating.h"

#include "tolv32dll/logs/binary_log.h"

namespace tolv {

ZipPairCharges ZipPairChargesOf(const ZipPairRecord& record) {
  namespace Z = zip_pair_record;
  const os::ConstRecordView v(record);
  ZipPairCharges charges;
  charges.method = *v.at(Z::kMinimumMethod);
  charges.bracket_count = *v.at(Z::kBracketCount);
  charges.mode = static_cast<char>(*v.at(Z::kMode));
  static_assert(Z::kCharge.count == charges.values.size());
  for (std::size_t i = 0; i < charges.values.size(); ++i) {
    const std::uint8_t* p = v.at(Z::kCharge.Nth(i));
    charges.values[i] = p[0] | (p[1] << 8) | (p[2] << 16);
  }
  return charges;
}

std::optional<std::array<std::int32_t, 2>> TypeCAmounts(const LiteWork& work) {
  for (const AddonRecord* r : {&work.origin, &work.destination}) {
    if (!r->found || r->bytes[0] != 'C') continue;
    return std::array<std::int32_t, 2>{PackedDigitsValue(r->bytes.data() + 6, 5),
                                       PackedDigitsValue(r->bytes.data() + 9, 5)};
  }
  return std::nullopt;
}

ZipRating::ZipRating(TariffState& tariff, const CurrentTariff& current,
                     std::vector<LiteTableRow>& lite_table)
    : tariff_(tariff), lite_table_(lite_table), files_(tariff.files, current) {}

void ZipRating::Attach(RateBasisTerms& terms,
                       std::function<Result<std::size_t>()> switch_to_companion) {
  // The add-on records of kinds 19-21 are logged in their 12-byte form; the text form of
  // point type 'M' keeps its first 12 bytes.
  auto log = [](int kind, os::ByteSpan bytes) {
    if (kind >= 19 && bytes.size() > 12) bytes = bytes.first(12);
    LogBinary(static_cast<BinaryLogKind>(kind), bytes);
  };
  lite_.emplace(LiteEnvironment{files_, lite_table_, work_, &tariff_.options.hcity,
                                std::move(switch_to_companion), log});
  // One pointer: the hook holds no copy of the environment and allocates nothing.
  terms.lite_steps = [environment = &*lite_](char method, MethodContext& m) {
    return RunLiteMethod(*environment, method, m);
  };
}

std::optional<ZipPairCharges> ZipRating::ZipPair(const PointState& points,
                                                 const RateRecord& record) {
  Result<std::optional<ZipPairRecord>> found =
      FindZipPair(files_, points.origin.code, points.destination.code, record);
  if (!found.ok() || !*found) return std::nullopt;
  return ZipPairChargesOf(**found);
}

std::optional<std::int32_t> ZipRating::ClassRangeFactor(const PointState& points) {
  ClassFactorRanges ranges;
  Result<int> e = FindClassFactorRange(files_, points.origin.code, points.destination.code, ranges);
  if (!e.ok() || *e < 0) return std::nullopt;
  return ranges.BreakFactor(static_cast<std::size_t>(*e));
}

}  // namespace tolv
