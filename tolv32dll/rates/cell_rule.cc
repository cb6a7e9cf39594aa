#include "tolv32dll/rates/cell_rule.h"

namespace tolv {
namespace {

// The class-factor search shared by the letters "A", "B", "E"-"M": from break b down to
// the first break whose class factor is not 0 (break 0 at the lowest).
struct FactorAt {
  int index;
  std::int32_t factor;
};
FactorAt LowerToNonZeroFactor(const ClassRateTables& t, int c, int b) {
  int i = b;
  while (i > 0 && ClassRateTables::Factor(t.class_factors, c, i) == 0) --i;
  return {i, ClassRateTables::Factor(t.class_factors, c, i)};
}

// Row of BreakFactorGrid that belongs to a rate-record kind letter, -1 for none.
int KindLetterRow(char letter) {
  switch (letter) {
    case 'A': return 0;
    case 'B': return 1;
    case 'C': return 2;
    case 'N': return 3;
    case 'S': return 4;
    default: return -1;
  }
}

// The letters whose rate record holds the whole grid: V(1 + b + c x breaks).
bool IsPlainLetter(char letter) {
  return letter == '0' || letter == '3' || letter == '4' || letter == '6';
}
std::int64_t PlainValueIndex(const ClassRateTables& t, int c, int b) {
  return 1 + b + static_cast<std::int64_t>(c) * static_cast<std::int64_t>(t.weight_breaks.size());
}

int DistanceBand(int n) {
  if (n <= 549) return 0;
  if (n <= 800) return 1;
  if (n <= 1500) return 2;
  return 3;
}

}  // namespace

Result<std::int32_t> ComputeCell(const CellRuleInputs& in, int c, int b,
                                 std::string_view class_text) {
  const ClassRateTables& t = in.tables;
  const RateRecord& v = in.record;
  const auto& cf = t.class_factors;
  const auto& bf = t.break_factors;
  std::int64_t rate = 0;
  switch (in.context.method_letter) {
    case '0':
    case '3':
    case '4':
    case '6':
      rate = v.Value(PlainValueIndex(t, c, b));
      break;
    case '1': {
      int k = t.FactorSetIndex(v.FactorSetNumber());
      if (k < 0) return 0;  // a rate record whose factor set the tariff does not list
      rate = ApplyFactor(ApplyFactor(v.Value(4), ClassRateTables::Factor(bf, k, b)),
                         ClassRateTables::Factor(cf, k, c));
      break;
    }
    case 'D':
      rate = ApplyFactor(ApplyFactor(v.Value(4), ClassRateTables::Factor(bf, b, 0)),
                         ClassRateTables::Factor(cf, c, 0));
      break;
    case '5':
      rate = c > 9 ? v.Value(b + 9 * c - 89)
                   : ApplyFactor(v.Value(b + 1), ClassRateTables::Factor(cf, 0, c));
      break;
    case '7': {
      int band = DistanceBand(v.AreaNumber());
      rate = ApplyFactor(ApplyFactor(v.Value(1), ClassRateTables::Factor(bf, band, b)),
                         ClassRateTables::Factor(cf, band, c));
      break;
    }
    case 'A':
    case 'B': {
      FactorAt f = LowerToNonZeroFactor(t, c, b);
      bool first_value = in.context.method_letter == 'A' && in.context.point_kind_letter == 'M';
      rate = ApplyFactor(v.Value(first_value ? 1 : f.index + 1), f.factor);
      break;
    }
    case 'C': {
      std::int64_t f = ClassRateTables::Factor(cf, c, b);
      int row = KindLetterRow(v.KindLetter());
      std::int64_t g = row < 0 ? 10000 : ClassRateTables::Factor(bf, row, b);
      std::int64_t value = v.Value(b + 1);
      int order = class_text.compare("100");
      if (in.context.tariff_number == 412 || order < 0) {
        rate = ApplyFactor(ApplyFactor(value, g), f);
      } else if (order == 0) {
        rate = ApplyFactor(value, g);
      } else {
        rate = ApplyFactor(ApplyFactor(value, f), g);
      }
      break;
    }
    case 'E':
    case 'F':
    case 'H': {
      FactorAt f = LowerToNonZeroFactor(t, c, b);
      rate = v.Value(f.index + (in.context.method_letter == 'F' ? 4 : 1));
      break;
    }
    case 'G':
    case 'I':
    case 'J':
    case 'K':
    case 'L':
    case 'M': {
      FactorAt f = LowerToNonZeroFactor(t, c, b);
      std::int64_t r = v.Value(f.index + 4);
      rate = in.context.unfactored_lane_rates ? r : ApplyFactor(r, f.factor);
      break;
    }
    default:
      return Result<std::int32_t>::Error(kErrTyptar);
  }
  if (rate > INT32_MAX) rate = INT32_MAX;
  return static_cast<std::int32_t>(rate);
}

ErrorNumber ComputeClassRow(const CellRuleInputs& in, int c, std::string_view class_text,
                            std::span<std::int32_t> cells) {
  if (IsPlainLetter(in.context.method_letter)) {
    in.record.Values(PlainValueIndex(in.tables, c, 0), cells);
    return kOk;
  }
  for (std::size_t b = 0; b < cells.size(); ++b) {
    Result<std::int32_t> rate = ComputeCell(in, c, static_cast<int>(b), class_text);
    if (!rate.ok()) return rate.error();
    cells[b] = *rate;
  }
  return kOk;
}

Result<std::int32_t> LookupCell(const CellRuleInputs& in, std::int32_t weight,
                                std::string_view class_text) {
  return LookupCellAt(in, in.tables.WeightBreakIndex(weight), in.tables.ClassIndex(class_text),
                      class_text);
}

Result<std::int32_t> LookupCellAt(const CellRuleInputs& in, int b, int c,
                                  std::string_view class_text) {
  if (b < 0 || c < 0) return 0;
  std::size_t cell = static_cast<std::size_t>(c) * in.tables.weight_breaks.size() + b;
  if (cell >= RateMatrix::kCells) return 0;  // beyond the priced classes
  if (in.matrix.cells[cell] != RateMatrix::kNotComputed) return in.matrix.cells[cell];
  return ComputeCell(in, c, b, class_text);
}

}  // namespace tolv
