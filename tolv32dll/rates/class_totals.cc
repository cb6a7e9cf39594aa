#include "tolv32dll/rates/class_totals.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "tolv32dll/ratebasis/kind_table.h"
#include "tolv32dll/rates/charge_math.h"
#include "tolv32dll/tariff/codecs.h"

namespace tolv {
namespace {

constexpr std::int32_t kMaxBilledWeight = 999999;

// Classes compare as the engine's 4-byte slots: 3 characters and NUL padding, byte by byte.
using ClassSlot = std::array<char, 4>;
ClassSlot SlotOf(std::string_view class_text) {
  ClassSlot slot{};
  std::copy_n(class_text.data(), std::min<std::size_t>(class_text.size(), 3), slot.data());
  return slot;
}
std::string_view SlotBytes(const ClassSlot& slot) {
  return std::string_view(slot.data(), slot.size());
}

// Whether text begins with prefix, compared in place: codes are a few characters, and most
// differ from a class in the first.
bool BeginsWith(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] != prefix[i]) return false;
  }
  return true;
}

// Lines whose class index a run keeps; a longer list looks the rest up each time.
constexpr std::size_t kIndexedLines = 32;

// The deficit a break would bring: the lowest line rate at the break carries the weight
// still missing to it.
struct DeficitCandidate {
  std::string_view class_text;
  std::int32_t rate = 0;
  std::int32_t weight = 0;
  std::int64_t charge = 0;
};

class TotalsRun {
 public:
  TotalsRun(ClassRateTables& tables, const RateMatrix& matrix, const RateRecord& record,
            const TotalsTerms& terms, std::vector<DetailLine>& lines, ShipmentTotals& totals)
      : tables_(tables),
        cells_{tables, matrix, record, terms.cell},
        terms_(terms),
        lines_(lines),
        totals_(totals),
        usable_(std::max(1, terms.usable_breaks)) {}

  ErrorNumber Run();

 private:
  // The rate of line i at break index b (of the weight the caller rates all lines at); its
  // class index is looked up once per run.
  Result<std::int32_t> Rate(int b, std::size_t i) const {
    const std::string_view class_text = lines_[i].class_text;
    const int c = i < classes_.size() ? classes_[i] : tables_.ClassIndex(class_text);
    return LookupCellAt(cells_, b, c, class_text);
  }
  int Breaks() const { return static_cast<int>(tables_.weight_breaks.size()); }
  Result<int> DeficitSearch(int start, std::int64_t& best);
  ErrorNumber FinalTotals(int b);

  ClassRateTables& tables_;
  CellRuleInputs cells_;
  const TotalsTerms& terms_;
  std::vector<DetailLine>& lines_;
  ShipmentTotals& totals_;
  const int usable_;
  BoundedList<int, kIndexedLines> classes_;  // class index of the first lines
};

ErrorNumber TotalsRun::Run() {
  totals_ = ShipmentTotals{};
  if (tables_.weight_breaks.empty()) return kErrFacred;  // a tariff without weight breaks

  ClassSlot lowest = {'9', '9', '9', '9'};
  std::int64_t total_weight = 0;
  for (const DetailLine& line : lines_) {
    const ClassSlot slot = SlotOf(line.class_text);
    if (SlotBytes(slot) < SlotBytes(lowest)) lowest = slot;
    total_weight += line.weight;
  }
  if (total_weight > kMaxBilledWeight) return kErrWeightOverMax;
  totals_.total_weight = static_cast<std::int32_t>(total_weight);
  const std::string_view lowest_text = SlotBytes(lowest);
  tables_.ApplyClassBreaks(lowest_text.substr(0, lowest_text.find('\0')));

  // Class-specific breaks change the breaks only, never the class list.
  classes_.clear();
  for (std::size_t i = 0; i < lines_.size() && i < classes_.capacity(); ++i) {
    classes_.push_back(tables_.ClassIndex(lines_[i].class_text));
  }

  std::int64_t total = 0;
  const int total_break = tables_.WeightBreakIndex(totals_.total_weight);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    Result<std::int32_t> rate = Rate(total_break, i);
    if (!rate.ok()) return rate.error();
    total += LineCharge(lines_[i].weight, *rate);
  }

  std::int64_t best = total;
  int d = std::min(DiscountTotal(terms_, std::min(total_break, usable_ - 1), best, totals_),
                   usable_ - 1);
  if (d >= 0 && d < Breaks() - 1) {
    Result<int> searched = DeficitSearch(d, best);
    if (!searched.ok()) return searched.error();
    d = *searched;
  }
  std::int64_t undiscounted = total;
  int e = std::min(DiscountTotal(terms_, std::min(d, usable_ - 1), undiscounted, totals_),
                   usable_ - 1);
  TOLV_RETURN_IF_ERROR(FinalTotals(e));
  totals_.chosen_break = e;
  return kOk;
}

Result<int> TotalsRun::DeficitSearch(int start, std::int64_t& best) {
  totals_.deficit_rate = 0;
  totals_.deficit_weight = 0;
  totals_.deficit_charge = 0;
  totals_.deficit_class.clear();
  if (start >= usable_) return start;
  const int last = terms_.tariff_name.compare(0, 3, "QZF") == 0 ? start + 1 : Breaks() - 1;
  const bool stop_at_dearer = terms_.point_type == '4' || terms_.cell.tariff_number == 182;
  int chosen = start;
  for (int j = start; j < usable_ && j < Breaks(); ++j) {
    const std::int32_t break_weight = tables_.weight_breaks[j];
    std::int64_t sum = 0;
    bool have_candidate = false;
    DeficitCandidate candidate;
    const int b = tables_.WeightBreakIndex(break_weight);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      Result<std::int32_t> r = Rate(b, i);
      if (!r.ok()) return Result<int>::Error(r.error());
      sum += LineCharge(lines_[i].weight, *r);
      if (!have_candidate || *r < candidate.rate) {
        have_candidate = true;
        candidate.rate = *r;
        candidate.class_text = lines_[i].class_text;
      }
    }
    if (have_candidate) {
      candidate.weight = std::max(0, break_weight - totals_.total_weight);
      candidate.charge = LineCharge(candidate.rate, candidate.weight);
    }
    totals_.discount_amount = 0;
    sum += candidate.charge;
    DiscountTotal(terms_, j, sum, totals_);
    if (sum < best) {
      best = sum;
      chosen = j;
      totals_.deficit_rate = candidate.rate;
      totals_.deficit_weight = candidate.weight;
      totals_.deficit_charge = candidate.charge;
      totals_.deficit_class = candidate.class_text;
    } else if (stop_at_dearer && j != start) {
      // The start break is the baseline itself; only a later, dearer break ends the search.
      break;
    }
    if (j >= last) break;
  }
  return chosen;
}

ErrorNumber TotalsRun::FinalTotals(int b) {
  const std::int32_t break_weight = tables_.weight_breaks[std::max(0, b)];
  if (break_weight < totals_.total_weight) {
    totals_.deficit_excess = totals_.total_weight - break_weight;
  }
  if (totals_.deficit_charge > 0) totals_.deficit_flag = 'Y';
  totals_.deficit_charge = LineCharge(totals_.deficit_weight, totals_.deficit_rate);
  std::int64_t billed = static_cast<std::int64_t>(totals_.deficit_weight) + totals_.total_weight;
  if (billed > kMaxBilledWeight) return kErrWeightOverMax;
  totals_.billed_weight = static_cast<std::int32_t>(billed);

  std::int64_t sum = 0;
  const int rated_break =
      tables_.WeightBreakIndex(totals_.billed_weight - totals_.deficit_excess);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    DetailLine& line = lines_[i];
    Result<std::int32_t> rate = Rate(rated_break, i);
    if (!rate.ok()) return rate.error();
    line.rate = *rate;
    line.charge = LineCharge(line.weight, line.rate);
    sum += line.charge;
  }
  totals_.line_charge_sum = sum;
  totals_.sum_with_deficit = sum + totals_.deficit_charge;
  totals_.minimum_charge =
      terms_.minimum_charge ? terms_.minimum_charge(totals_.total_weight) : 0;
  return kOk;
}

}  // namespace

ErrorNumber CheckDetailWeight(const std::vector<DetailLine>& lines, std::size_t line) {
  if (line < lines.size() && lines[line].weight == 0) {
    return static_cast<ErrorNumber>(kErrBadwgt + 1 + line);
  }
  return kOk;
}

ErrorNumber ValidateClasses(const CellRuleInputs& in, const std::vector<DetailLine>& lines) {
  std::int32_t probe = 0;
  for (std::int32_t w : in.tables.weight_breaks) {
    if (w > 0) {
      probe = w;
      break;
    }
  }
  const int probe_break = in.tables.WeightBreakIndex(probe);
  const auto& codes = in.tables.class_codes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line_class = lines[i].class_text;
    bool accepted = false;
    for (const ClassRateTables::CodeText& raw : codes) {
      std::string_view code = raw;
      while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
      bool taken = codes.size() == 1 || BeginsWith(line_class, code);
      if (!taken) continue;
      std::string_view priced = (codes.size() == 1 && line_class == "FAK") ? code : line_class;
      Result<std::int32_t> rate =
          LookupCellAt(in, probe_break, in.tables.ClassIndex(priced), priced);
      if (!rate.ok()) return rate.error();
      if (*rate != 0 && *rate < RateMatrix::kNotComputed) {
        accepted = true;
        break;
      }
    }
    if (!accepted) return static_cast<ErrorNumber>(kErrBadcls + 1 + i);
  }
  return kOk;
}

int DiscountTotal(const TotalsTerms& terms, int b, std::int64_t& total, ShipmentTotals& totals) {
  totals.deficit_flag = 'N';
  float percent = 0;
  if (terms.discount_on && terms.discount_kind == 'C' && std::string_view(terms.discount_marker) == "D%") {
    // Element b + 2 of the ten values (element 1 is the minimum charge's); a break
    // beyond the tenth element has no discount.
    int element = b + 2;
    if (element >= 2 && element <= 10) percent = terms.discount_values[element - 1];
  }
  totals.discount_percent = percent;
  if (terms.discount_kind == 'R') return b;
  totals.discount_amount = PercentOf(total, percent);
  total -= totals.discount_amount;
  return b;
}

ErrorNumber SumLines(ClassRateTables& tables, const RateMatrix& matrix, const RateRecord& record,
                     const TotalsTerms& terms, std::vector<DetailLine>& lines,
                     ShipmentTotals& totals) {
  return TotalsRun(tables, matrix, record, terms, lines, totals).Run();
}

ErrorNumber RunClassTotals(ClassRateTables& tables, const RateMatrix& matrix,
                           const RateRecord& record, const TotalsTerms& terms,
                           std::vector<DetailLine>& lines, ShipmentTotals& totals) {
  if (!FindKindRow(terms.cell.method_letter)) return kErrTyptar;
  return SumLines(tables, matrix, record, terms, lines, totals);
}

}  // namespace tolv
