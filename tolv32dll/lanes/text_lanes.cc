#include "tolv32dll/lanes/text_lanes.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tolv {
namespace {

// A decimal number of at most `width` characters after leading blanks; 0 when none.
std::int16_t Scan(const std::string& field, std::size_t width) {
  std::size_t i = field.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  const std::size_t end = std::min(field.size(), i + width);
  bool negative = false;
  if (field[i] == '-' || field[i] == '+') negative = field[i++] == '-';
  int value = 0;
  for (; i < end && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10 + (field[i] - '0');
  return static_cast<std::int16_t>(negative ? -value : value);
}

}  // namespace

ErrorNumber ApplyTextLaneOptions(const TextLaneFile& file, FactorOptions& options) {
  return ApplyLaneOptionLines(file.option_lines, options);
}

ErrorNumber ApplyLaneOptionLines(const std::vector<std::string>& lines, FactorOptions& options) {
  if (lines.empty()) return kOk;
  TOLV_RETURN_IF_ERROR(Parm_ParseOptionLine(lines[0], options));
  if (lines.size() < 2) return kOk;
  // The second line's BRKS list is the second list, even when it repeats the first; the
  // first stays in force. It is parsed over the first (a code without a mark keeps its
  // slot's mark), and the count shows whether the line gave a list at all.
  const BreakCodeList kept = options.brks;
  options.brks.count = 0;
  const ErrorNumber e = Parm_ParseOptionLine(lines[1], options);
  if (options.brks.count > 0) options.brk2 = options.brks;
  options.brks = kept;
  return e;
}

ErrorNumber LoadTextLaneHits(const TextLaneFile& file, const TextLaneTerms& terms,
                             LaneState& state) {
  state.code_hits.clear();
  state.number_hits.clear();
  state.origin_areas.clear();
  state.destination_areas.clear();
  const TextLaneArea* origin = FindTextLaneArea(file, terms.origin_zip);
  const TextLaneArea* destination = FindTextLaneArea(file, terms.destination_zip);
  if (origin == nullptr || destination == nullptr) return kOk;
  state.origin_areas = origin->codes;
  state.destination_areas = destination->codes;
  std::sort(state.origin_areas.begin(), state.origin_areas.end());
  std::sort(state.destination_areas.begin(), state.destination_areas.end());
  if (state.origin_areas.empty() || state.destination_areas.empty()) return kOk;

  // The lane's pairs are every origin area with every destination area; the hits are
  // sorted by pair, so none lies past the last of them.
  const std::string last_pair = state.origin_areas.back() + state.destination_areas.back();
  auto lane_has = [&state](std::string_view pair) {
    return std::binary_search(state.origin_areas.begin(), state.origin_areas.end(),
                              pair.substr(0, 3)) &&
           std::binary_search(state.destination_areas.begin(), state.destination_areas.end(),
                              pair.substr(3));
  };
  const char letter = terms.method_letter;
  for (const TextLaneHit& hit : file.hits) {
    if (hit.pair > last_pair) break;
    if (!lane_has(hit.pair)) continue;
    if (letter == 'K' && hit.sub_kind != '0' && hit.sub_kind != terms.rate_kind_letter) continue;
    if (state.code_hits.size() + state.number_hits.size() + 1 >= kMaxLaneHits) {
      return kErrLahcnt;
    }
    if (letter == 'K') {
      state.number_hits.push_back({hit.sub_kind, Scan(hit.number, 3), 0});
    } else if (letter == 'I') {
      state.number_hits.push_back({'0', Scan(hit.number, 4), 0});
    } else if (terms.kind == LaneKind::kT) {
      state.number_hits.push_back({hit.kind, Scan(hit.number, 4), 0});
    } else {
      state.code_hits.push_back({hit.number.substr(0, 3), hit.kind, 0});
    }
  }
  if (terms.kind == LaneKind::kT) {
    std::stable_sort(state.number_hits.begin(), state.number_hits.end(),
                     [](const NumberHit& a, const NumberHit& b) { return a.number > b.number; });
  } else {
    std::stable_sort(state.code_hits.begin(), state.code_hits.end(),
                     [](const CodeHit& a, const CodeHit& b) { return a.code < b.code; });
  }
  return kOk;
}

}  // namespace tolv
