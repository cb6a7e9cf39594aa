#include "tolv32dll/lanes/lane_adjustments.h"

#include "tolv32dll/lanes/adj_records.h"
#include "tolv32dll/lanes/lane_apply.h"
#include "tolv32dll/lanes/point_lanes.h"
#include "tolv32dll/lanes/text_lanes.h"
#include "tolv32dll/sidetables/e_base.h"
#include "tolv32dll/sidetables/precedence.h"

namespace tolv {

LaneKind LaneKindOf(char letter) {
  switch (letter) {
    case 'L':
      return LaneKind::kL;
    case 'Y':
      return LaneKind::kY;
    case 'C':
      return LaneKind::kC;
    case 'T':
      return LaneKind::kT;
    case 'U':
      return LaneKind::kU;
    case 'A':
      return LaneKind::kA;
    case 'G':
      return LaneKind::kG;
  }
  return LaneKind::kNone;
}

namespace {

PrecedenceLane LaneOf(const LaneTerms& terms) {
  return {terms.origin_zip, terms.destination_zip, terms.effective_year};
}

// Kind T from 1998 on: the E base adds the hits of the lane's area pair.
ErrorNumber SearchEBaseHits(LaneFiles& files, const FileView& adjustments,
                            const LaneTerms& terms, LaneState& state) {
  EBaseSink sink;
  sink.read_record = [&adjustments](std::int32_t number) -> std::optional<std::vector<std::uint8_t>> {
    std::optional<AdjRecord> r =
        LaneAdj_FindAdjRecord(adjustments, static_cast<std::int16_t>(number), 0);
    if (!r) return std::nullopt;
    return std::move(r->bytes);
  };
  sink.add_hit = [&state](std::int32_t number) {
    if (state.number_hits.size() < kMaxLaneHits) {
      state.number_hits.push_back({'T', static_cast<std::int16_t>(number), 0});
    }
  };
  sink.add_e_record = [](std::int32_t) {};
  return SearchEBase(files.side_tables(), LaneOf(terms), false, sink);
}

// Kind T before 1998: the precedence table removes the hits it lists.
ErrorNumber FilterByPrecedence(LaneFiles& files, const LaneTerms& terms, LaneState& state) {
  std::vector<LaneAdjustmentHit> hits;
  for (const NumberHit& h : state.number_hits) hits.push_back({h.kind, h.number});
  TOLV_RETURN_IF_ERROR(FilterHitsByPrecedence(files.side_tables(), LaneOf(terms), hits));
  for (std::size_t i = 0; i < hits.size(); ++i) state.number_hits[i].number = hits[i].number;
  return kOk;
}

ErrorNumber LoadText(LaneFiles& files, const FileView& lanes, const FileView& adjustments,
                     const LaneTerms& terms, FactorOptions& options, LaneState& state) {
  Result<TextLaneFile> file = ParseTextLaneFile(lanes);
  if (!file.ok()) return file.error();
  TOLV_RETURN_IF_ERROR(ApplyTextLaneOptions(*file, options));
  TextLaneTerms text{state.kind, terms.method_letter, terms.rate_kind_letter, terms.origin_zip,
                     terms.destination_zip};
  TOLV_RETURN_IF_ERROR(LoadTextLaneHits(*file, text, state));
  if (state.kind != LaneKind::kT) return kOk;
  if (terms.effective_year >= 1998) {
    TOLV_RETURN_IF_ERROR(SearchEBaseHits(files, adjustments, terms, state));
    std::stable_sort(state.number_hits.begin(), state.number_hits.end(),
                     [](const NumberHit& a, const NumberHit& b) { return a.number > b.number; });
    return kOk;
  }
  return FilterByPrecedence(files, terms, state);
}

}  // namespace

LaneTerms LaneTermsOf(const CurrentTariff& tariff, char method_letter, const RateRecord& record,
                      const PointState& points) {
  LaneTerms terms;
  terms.kind_letter = tariff.lane_adj_kind;
  terms.method_letter = method_letter;
  terms.rate_kind_letter = record.KindLetter();
  terms.origin_zip = points.origin.code;
  terms.destination_zip = points.destination.code;
  terms.origin_point = points.origin_record.index;
  terms.destination_point = points.destination_record.index;
  terms.effective_year = tariff.century * 100 + tariff.year;
  return terms;
}

ErrorNumber LaneAdj_Load(LaneFiles& files, const LaneTerms& terms, FactorOptions& options,
                         LaneState& state) {
  if (state.loaded) return kOk;
  state.kind = LaneKindOf(terms.kind_letter);
  if (state.kind == LaneKind::kNone) return kOk;
  state.loaded = true;
  Result<const FileView*> lanes = files.Lanes();
  if (!lanes.ok()) return lanes.error();
  Result<const FileView*> adjustments = files.Adjustments();
  if (!adjustments.ok()) return adjustments.error();
  switch (state.kind) {
    case LaneKind::kL:
    case LaneKind::kT:
    case LaneKind::kA:
      return LoadText(files, **lanes, **adjustments, terms, options, state);
    case LaneKind::kY:
      LoadLanesByPoint(**lanes, terms.origin_point, terms.destination_point, state);
      return kOk;
    default:
      return kOk;
  }
}

void LaneAdj_Apply(LaneFiles& files, const LaneTerms& terms, const FactorOptions& options,
                   const BreakCodeList& breaks_list, LaneState& state, ChargeResult& result,
                   int rows, int breaks) {
  if (state.kind == LaneKind::kNone) return;
  Result<const FileView*> adjustments = files.Adjustments();
  if (!adjustments.ok()) return;
  switch (state.kind) {
    case LaneKind::kY:
      LaneAdj_ApplyByNumber(**adjustments, state, result, rows, breaks);
      break;
    case LaneKind::kT:
      LaneAdj_ApplyOperators(**adjustments, state, result, rows, breaks);
      break;
    case LaneKind::kL:
    case LaneKind::kA:
    case LaneKind::kG: {
      const RangeTerms range{terms.method_letter, options.la_pct, options.one_la};
      LaneAdj_ApplyRanges(**adjustments, breaks_list, range, state, result, rows, breaks);
      break;
    }
    default:
      break;
  }
}

LaneAdjustmentHooks MakeLaneAdjustmentHooks(LaneFiles& files, const LaneTerms& terms,
                                            FactorOptions& options, LaneState& state) {
  LaneAdjustmentHooks hooks;
  hooks.load = [&files, &terms, &options, &state] {
    return LaneAdj_Load(files, terms, options, state);
  };
  hooks.apply = [&files, &terms, &options, &state](ChargeResult& result, int rows, int breaks) {
    LaneAdj_Apply(files, terms, options, options.brks, state, result, rows, breaks);
  };
  hooks.apply_second = [&files, &terms, &options, &state](ChargeResult& result, int rows,
                                                          int breaks) {
    // A second list whose first code is "999" is never applied.
    if (options.brk2.count == 0 || std::string_view(options.brk2.entries[0].code.data(), 3) == "999") {
      return;
    }
    LaneAdj_Apply(files, terms, options, options.brk2, state, result, rows, breaks);
  };
  hooks.before_class_factors = [&options, &state] {
    return options.brk2.count > 0 || state.kind == LaneKind::kG;
  };
  return hooks;
}

}  // namespace tolv
