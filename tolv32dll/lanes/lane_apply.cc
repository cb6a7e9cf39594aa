#include "tolv32dll/lanes/lane_apply.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "tolv32dll/lanes/adj_records.h"
#include "tolv32dll/lanes/lane_common.h"
#include "tolv32dll/lanes/lane_records.h"
#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {
namespace {

using lane_apply::BracketCount;
using lane_apply::CellCount;
using lane_apply::Clamped;

std::string CodeText(const BreakCode& entry) {
  std::string code(entry.code.data(), entry.code.size());
  for (char& c : code) {
    if (c == '\0') c = ' ';
  }
  return code;
}

// The combination of two factors by the LA_PCT operator; an accumulator of 0 is empty.
std::int32_t Combine(char op, std::int32_t acc, std::int32_t value) {
  if (value == 0) return acc;
  switch (op) {
    case '*':
      return acc == 0 ? value : static_cast<std::int32_t>(ApplyFactor(acc, value));
    case '+':
      return (acc == 0 ? 10000 : acc) + value - 10000;
    case 'H':
      return std::max(acc == 0 ? 1 : acc, value);
    case 'L':
      return acc == 0 ? value : std::min(acc, value);
  }
  return acc;
}

bool IsCombining(char op) { return op == '*' || op == '+' || op == 'H' || op == 'L'; }

struct Accumulators {
  std::int32_t minimum = 0;
  std::array<std::int32_t, RateMatrix::kCells> cells{};
};

}  // namespace

std::int32_t LaneAdj_ApplyValue(std::int32_t amount, std::int32_t value, int mode) {
  if (value == 0 || amount == 0) return amount;
  if (mode == 1) return Clamped(ApplyFactor(amount, value));
  return Clamped(static_cast<std::int64_t>(amount) + value);
}

BreakCodeList DefaultBreakList(char method_letter) {
  BreakCodeList list;
  auto add = [&list](const char* code, std::int32_t mark) {
    BreakCode& e = list.entries[static_cast<std::size_t>(list.count++)];
    std::memcpy(e.code.data(), code, 3);
    e.mark = mark;
  };
  add("000", 1);
  if (method_letter == 'F') {
    add("250", 0);
    add("500", 1);
    add("750", 0);
  } else {
    add("500", 0);
  }
  add("999", 1);
  return list;
}

void LaneAdj_ApplyRanges(const FileView& adjustments, const BreakCodeList& breaks_list,
                         const RangeTerms& terms, LaneState& state, ChargeResult& result, int rows,
                         int breaks) {
  if (state.code_hits.empty()) return;
  const BreakCodeList list =
      breaks_list.count > 0 ? breaks_list : DefaultBreakList(terms.method_letter);
  const int count = std::min<int>(list.count, kMaxBreakCodes);
  const std::size_t cells = CellCount(rows, breaks);
  const std::size_t brackets = BracketCount(result);
  const bool combining = IsCombining(terms.la_pct);
  std::optional<bool> points_held;  // looked up for the first code that needs it
  for (int i = 0; i + 1 < count; ++i) {
    const std::string start = CodeText(list.entries[static_cast<std::size_t>(i)]);
    const std::string end = CodeText(list.entries[static_cast<std::size_t>(i + 1)]);
    const int mode = list.entries[static_cast<std::size_t>(i)].mark;
    const bool accumulate = mode == 1 && combining;
    Accumulators acc;
    for (CodeHit& hit : state.code_hits) {
      if (mode == -1 || hit.code >= end) break;
      if (hit.code < start) continue;
      if (hit.code.starts_with("4")) {
        if (!points_held)
          points_held = PointSectionsHold(adjustments, terms.origin_zip, terms.destination_zip);
        if (!*points_held) continue;
      }
      std::optional<AdjRecord> record = LaneAdj_FindByCode(adjustments, hit.code, hit.position);
      if (!record) continue;
      hit.position = record->position;
      const os::ByteSpan bytes(record->bytes.data(), record->bytes.size());
      auto value = [&bytes](std::size_t v) {
        return v < adj_by_code_record::kValueCount
                   ? ValueAt(bytes, adj_by_code_record::kValue.offset, v)
                   : 0;
      };
      const std::int32_t minimum = value(0);
      if (accumulate) {
        acc.minimum = Combine(terms.la_pct, acc.minimum, minimum);
        for (std::size_t k = 0; k < cells; ++k) {
          acc.cells[k] = Combine(terms.la_pct, acc.cells[k], terms.one_la ? minimum : value(k + 1));
        }
        continue;
      }
      for (std::size_t b = 0; b < brackets; ++b) {
        result.brackets.charges[b] = LaneAdj_ApplyValue(result.brackets.charges[b], minimum, mode);
      }
      for (std::size_t k = 0; k < cells; ++k) {
        result.matrix.cells[k] =
            LaneAdj_ApplyValue(result.matrix.cells[k], terms.one_la ? minimum : value(k + 1), mode);
      }
    }
    if (!accumulate) continue;
    // The combined minimum-charge factor goes to the first four brackets, or once to every
    // bracket for the method that prices many.
    const std::size_t minimum_brackets =
        result.brackets.method == 6 ? brackets : std::min<std::size_t>(4, MinimumBrackets::kMax);
    for (std::size_t b = 0; b < minimum_brackets; ++b) {
      result.brackets.charges[b] = LaneAdj_ApplyValue(result.brackets.charges[b], acc.minimum, 1);
    }
    for (std::size_t k = 0; k < cells; ++k) {
      result.matrix.cells[k] = LaneAdj_ApplyValue(result.matrix.cells[k], acc.cells[k], 1);
    }
  }
}

namespace {

// Kind Y's modes: '1' factor, '2' amount, anything else leaves the amount.
std::int32_t ApplyModeChar(std::int32_t amount, std::int32_t value, char mode) {
  if (mode == '1') return LaneAdj_ApplyValue(amount, value, 1);
  if (mode == '2') return LaneAdj_ApplyValue(amount, value, 0);
  return amount;
}

}  // namespace

void LaneAdj_ApplyByNumber(const FileView& adjustments, LaneState& state, ChargeResult& result,
                           int rows, int breaks) {
  namespace L = adj_by_number32_record;
  const std::size_t brackets = BracketCount(result);
  for (NumberHit& hit : state.number_hits) {
    if (hit.number == 0) continue;
    std::optional<AdjRecord> record = LaneAdj_FindByNumber32(adjustments, hit.number, hit.position);
    if (!record) continue;
    hit.position = record->position;
    const std::uint8_t* r = record->bytes.data();
    const char minimum_mode = static_cast<char>(r[L::kMinimumMode.offset]);
    if (minimum_mode != '0') {
      const std::int16_t v = os::LoadI16Le(r + L::kMinimumValue.offset);
      for (std::size_t b = 0; b < brackets; ++b) {
        result.brackets.charges[b] = ApplyModeChar(result.brackets.charges[b], v, minimum_mode);
      }
    }
    // The record holds modes and values for nine breaks.
    const int record_breaks = std::min<int>(breaks, static_cast<int>(L::kBreakCount));
    for (int j = 0; j < record_breaks; ++j) {
      const char mode = static_cast<char>(r[L::kBreakMode.Nth(static_cast<std::size_t>(j)).offset]);
      if (mode == '0') continue;
      const std::int16_t v =
          os::LoadI16Le(r + L::kBreakValue.Nth(static_cast<std::size_t>(j)).offset);
      lane_apply::ForBreakColumn(result, rows, breaks, j,
                                 [&](std::int32_t& cell) { cell = ApplyModeChar(cell, v, mode); });
    }
  }
}

namespace {

// Kind T's operators. A value of 0 or an amount of 0 leaves the amount.
std::int32_t ApplyOperator(std::int32_t amount, std::int32_t value, char op) {
  if (value == 0 || amount == 0) return amount;
  switch (op) {
    case '*':
      return Clamped(ApplyFactor(amount, value));
    case '+':
      return Clamped(static_cast<std::int64_t>(amount) + value);
    case '-':
      return Clamped(static_cast<std::int64_t>(amount) - value);
  }
  return amount;
}

}  // namespace

void LaneAdj_ApplyOperators(const FileView& adjustments, LaneState& state, ChargeResult& result,
                            int rows, int breaks) {
  namespace L = adj_record350;
  const std::size_t cells = CellCount(rows, breaks);
  const std::size_t brackets = BracketCount(result);
  for (NumberHit& hit : state.number_hits) {
    if (hit.number == 0) continue;
    std::optional<AdjRecord> record = LaneAdj_FindAdjRecord(adjustments, hit.number, hit.position);
    if (!record) continue;
    hit.position = record->position;
    const os::ByteSpan bytes(record->bytes.data(), record->bytes.size());
    const char minimum_op = static_cast<char>(bytes[L::kMinimumOperator.offset]);
    const char rate_op = static_cast<char>(bytes[L::kRateOperator.offset]);
    if (minimum_op != '0') {
      const bool ordinary = result.brackets.kinds[0] == kOrdinaryBracket;
      const std::int16_t v =
          os::LoadI16Le(bytes.data() + (ordinary ? L::kMinimumOrdinary : L::kMinimumOther).offset);
      if (minimum_op == 'F') {
        result.fixed_minimum_charge = std::max<std::int32_t>(v, 0);
      } else {
        for (std::size_t b = 0; b < brackets; ++b) {
          result.brackets.charges[b] = ApplyOperator(result.brackets.charges[b], v, minimum_op);
        }
      }
    }
    // A fixed amount stands for the minimum charge only; on the rates 'F' leaves the cells.
    if (rate_op != '0' && rate_op != 'F') {
      for (std::size_t k = 0; k < cells && k < L::kValueCount; ++k) {
        result.matrix.cells[k] =
            ApplyOperator(result.matrix.cells[k], ValueAt(bytes, L::kValue.offset, k), rate_op);
      }
    }
  }
}

}  // namespace tolv
