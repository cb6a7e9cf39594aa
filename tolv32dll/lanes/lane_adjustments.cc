#include "tolv32dll/lanes/lane_adjustments.h"

#include <algorithm>

#include "tolv32dll/lanes/adj_records.h"
#include "tolv32dll/lanes/area_lanes.h"
#include "tolv32dll/lanes/global_lanes.h"
#include "tolv32dll/lanes/lane_apply.h"
#include "tolv32dll/lanes/lane_log.h"
#include "tolv32dll/lanes/point_lanes.h"
#include "tolv32dll/lanes/text_lane_cache.h"
#include "tolv32dll/lanes/text_lanes.h"
#include "tolv32dll/lanes/zip_lanes.h"
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
ErrorNumber SearchEBaseHits(LaneFiles& files, const FileView& adjustments, const LaneTerms& terms,
                            LaneState& state) {
  EBaseSink sink;
  sink.read_record =
      [&adjustments](std::int32_t number) -> std::optional<std::vector<std::uint8_t>> {
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
  std::shared_ptr<const ParsedTextLanes> parsed;
  TOLV_RETURN_IF_ERROR(ParseTextLaneView(lanes, &parsed));
  const TextLaneFile* file = &parsed->file;
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

ErrorNumber LoadGlobal(LaneFiles& files, const FileView& lanes, const FileView& adjustments,
                       const LaneTerms& terms, LaneState& state) {
  const FileView* base_u = files.BaseU();
  const FileView* base_v = files.BaseV();
  const GlobalLaneTerms global{terms.origin_zip, terms.destination_zip, terms.rate_text};
  TOLV_RETURN_IF_ERROR(LaneAdj_LoadGlobal(lanes, base_u, base_v, adjustments, global, state));
  if (!terms.lane_adj_file_no.starts_with("U")) return kOk;
  // The E base adds the E records its links name.
  EBaseSink sink;
  sink.read_record =
      [&adjustments](std::int32_t number) -> std::optional<std::vector<std::uint8_t>> {
    LaneState one;
    if (!AddERecord(adjustments, number, one)) return std::nullopt;
    return std::move(one.e_records.front());
  };
  sink.add_e_record = [&adjustments, &state](std::int32_t number) {
    AddERecord(adjustments, number, state);
  };
  return SearchEBase(files.side_tables(), LaneOf(terms), true, sink);
}

ErrorNumber LoadByKind(LaneFiles& files, const FileView& lanes, const FileView& adjustments,
                       const LaneTerms& terms, FactorOptions& options, LaneState& state) {
  switch (state.kind) {
    case LaneKind::kL:
    case LaneKind::kT:
    case LaneKind::kA:
      return LoadText(files, lanes, adjustments, terms, options, state);
    case LaneKind::kY:
      LoadLanesByPoint(lanes, terms.origin_point, terms.destination_point, state);
      return kOk;
    case LaneKind::kC:
      return LoadLanesByArea(lanes, terms.origin_zip, terms.destination_zip, state);
    case LaneKind::kU: {
      const ZipLaneTerms zip{terms.origin_zip,        terms.destination_zip, terms.origin_point,
                             terms.destination_point, terms.rate_text,       terms.effective_year};
      return LoadZipLanes(lanes, zip, options, state);
    }
    case LaneKind::kG:
      return LoadGlobal(files, lanes, adjustments, terms, state);
    default:
      return kOk;
  }
}

RangeTerms RangeTermsOf(const LaneTerms& terms, const FactorOptions& options) {
  return {terms.method_letter, options.la_pct, options.one_la, terms.origin_zip,
          terms.destination_zip};
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
  terms.date_number = terms.effective_year * 100 + tariff.month;
  terms.rate_text = record.Text(3, 7);
  terms.lane_adj_file_no = std::string(TextOf(tariff.lane_adj_file_no));
  return terms;
}

LaneTerms LaneTermsOf(const CurrentTariff& tariff, char method_letter, const RateBasisState& basis,
                      const PointState& points) {
  LaneTerms terms = LaneTermsOf(tariff, method_letter, basis.record, points);
  terms.lane_points = tariff.point_type == 'N';
  terms.lane_point_records = basis.lane_adjustment_records;
  return terms;
}

ErrorNumber LaneAdj_Load(LaneFiles& files, const LaneTerms& terms, FactorOptions& options,
                         LaneState& state) {
  if (state.loaded) return kOk;
  state.kind = LaneKindOf(terms.kind_letter);
  // A rate basis of point type 'N' brings its own E records, applied as those of kind G.
  // ".A" is needed only when one of them names a record.
  const auto& numbers = terms.lane_point_records;
  if (terms.lane_points &&
      std::any_of(numbers.begin(), numbers.end(), [](std::int32_t n) { return n != -1; })) {
    state.loaded = true;
    Result<const FileView*> adjustments = files.Adjustments();
    if (!adjustments.ok()) return adjustments.error();
    LoadLanePointRecords(**adjustments, numbers, state);
    if (state.kind != LaneKind::kG) {
      state.kind = LaneKind::kG;
      LogLaneAdjRows(state);
      return kOk;
    }
  }
  if (state.kind == LaneKind::kNone) return kOk;
  state.loaded = true;
  Result<const FileView*> lanes = files.Lanes();
  if (!lanes.ok()) return lanes.error();
  Result<const FileView*> adjustments = files.Adjustments();
  if (!adjustments.ok()) return adjustments.error();
  TOLV_RETURN_IF_ERROR(LoadByKind(files, **lanes, **adjustments, terms, options, state));
  if (state.kind == LaneKind::kG) LogLaneAdjRows(state);
  return kOk;
}

void LaneAdj_Apply(LaneFiles& files, const LaneTerms& terms, const FactorOptions& options,
                   const BreakCodeList& breaks_list, LaneState& state, ChargeResult& result,
                   int rows, int breaks) {
  if (state.kind == LaneKind::kNone) return;
  Result<const FileView*> adjustments = files.Adjustments();
  if (!adjustments.ok()) return;
  // Kind U applies its hits as the kind its lane file names.
  int applier = 0;
  switch (state.kind) {
    case LaneKind::kY:
      applier = 1;
      break;
    case LaneKind::kC:
      applier = 2;
      break;
    case LaneKind::kT:
      applier = 3;
      break;
    case LaneKind::kU:
      applier = state.sub_kind >= 1 && state.sub_kind <= 3 ? state.sub_kind : 0;
      break;
    default:
      break;
  }
  switch (applier) {
    case 1:
      LaneAdj_ApplyByNumber(**adjustments, state, result, rows, breaks);
      break;
    case 2:
      LaneAdj_ApplyByPair(**adjustments, {terms.effective_year, terms.date_number}, state, result,
                          rows, breaks);
      break;
    case 3:
      LaneAdj_ApplyOperators(**adjustments, state, result, rows, breaks);
      LogNumberHits(state);
      break;
    default:
      if (state.code_hits.empty()) break;
      LaneAdj_ApplyRanges(**adjustments, breaks_list, RangeTermsOf(terms, options), state, result,
                          rows, breaks);
      LogCodeHits(state);
      break;
  }
}

ErrorNumber ShipmentLaneAdjustments::Load() {
  return LaneAdj_Load(files_, terms_, options_, state_);
}

void ShipmentLaneAdjustments::Apply(ChargeResult& result, int rows, int breaks) {
  LaneAdj_Apply(files_, terms_, options_, options_.brks, state_, result, rows, breaks);
}

void ShipmentLaneAdjustments::ApplySecond(ChargeResult& result, int rows, int breaks) {
  // A second list whose first code is "999" is never applied.
  if (options_.brk2.count == 0 ||
      std::string_view(options_.brk2.entries[0].code.data(), 3) == "999") {
    return;
  }
  LaneAdj_Apply(files_, terms_, options_, options_.brk2, state_, result, rows, breaks);
}

bool ShipmentLaneAdjustments::BeforeClassFactors() const {
  return options_.brk2.count > 0 || state_.kind == LaneKind::kG;
}

std::string_view ShipmentLaneAdjustments::FirstHitCode() const {
  return state_.code_hits.empty() ? std::string_view() : state_.code_hits.front().code;
}

// The kind is the loaded one: a lane-point rate basis makes its E records kind G.
const std::vector<ERecordBytes>& ShipmentLaneAdjustments::ERecords() const {
  static const std::vector<ERecordBytes> kNone;
  return state_.kind == LaneKind::kG ? state_.e_records : kNone;
}

}  // namespace tolv
