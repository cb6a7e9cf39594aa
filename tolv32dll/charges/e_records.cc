#include "tolv32dll/charges/e_records.h"

#include <algorithm>
#include <string_view>

#include "platform/os/bytes.h"
#include "tolv32dll/rates/factor_rounding.h"

namespace tolv {
namespace {

namespace L = e_record;

struct Operands {
  char minimum_digit = ' ';
  char rate_digit = ' ';
  std::int64_t minimum = 0;
  std::vector<std::int64_t> rates;
};

std::vector<Operands> Select(const std::vector<ERecordBytes>& records, char key) {
  std::vector<Operands> out;
  const std::size_t n = std::min(records.size(), L::kMaxRecords);
  for (std::size_t i = 0; i < n; ++i) {
    const ERecordBytes& r = records[i];
    if (r.size() < L::kRateOperand.offset || static_cast<char>(r[L::kKey.offset]) != key) continue;
    Operands o;
    o.minimum_digit = static_cast<char>(r[L::kMinimumOperator.offset]);
    o.rate_digit = static_cast<char>(r[L::kRateOperator.offset]);
    o.minimum = os::LoadI32Le(r.data() + L::kMinimumOperand.offset);
    const std::size_t count = (r.size() - L::kRateOperand.offset) / L::kRateOperand.width;
    for (std::size_t j = 0; j < count; ++j) {
      o.rates.push_back(os::LoadI32Le(r.data() + L::kRateOperand.Nth(j).offset));
    }
    out.push_back(std::move(o));
  }
  return out;
}

// Folds a later operand into the first one. An operand of 0 stands for "no adjustment":
// it is not merged (a product with it would cancel the first record's adjustment), and a
// first operand of 0 takes the later one as it is.
std::int64_t Merge(char op, std::int64_t a, std::int64_t b) {
  if (b == 0) return a;
  if (a == 0) return b;
  switch (op) {
    case '*': return ApplyFactor(a, b);
    case '+': return a + b - 10000;
    case 'H': return std::max(a, b);
    case 'L': return std::min(a, b);
    default: return a;
  }
}

void MergeAll(std::vector<Operands>& list, char op) {
  auto first_minimum = std::find_if(list.begin(), list.end(),
                                    [](const Operands& o) { return o.minimum_digit == '1'; });
  for (auto it = first_minimum; it != list.end() && it + 1 != list.end(); ++it) {
    Operands& later = *(it + 1);
    first_minimum->minimum = Merge(op, first_minimum->minimum, later.minimum);
    later.minimum = 0;
  }
  auto first_rate = std::find_if(list.begin(), list.end(),
                                 [](const Operands& o) { return o.rate_digit == '1'; });
  for (auto it = first_rate; it != list.end() && it + 1 != list.end(); ++it) {
    Operands& later = *(it + 1);
    if (first_rate->rates.size() < later.rates.size()) first_rate->rates.resize(later.rates.size(), 0);
    for (std::size_t j = 0; j < later.rates.size(); ++j) {
      first_rate->rates[j] = Merge(op, first_rate->rates[j], later.rates[j]);
      later.rates[j] = 0;
    }
  }
}

std::int64_t PowerOfTen(int s) {
  std::int64_t p = 10;  // a power of 0 counts as 10, as does a power of 1
  for (int i = 1; i < s; ++i) p *= 10;
  return p;
}

// The value after one operator digit; false when the value is left alone.
bool Operate(char digit, int shift, std::int64_t x, std::int64_t& v) {
  if (v == 0 || x == 0) return false;
  switch (digit) {
    case '2':
      v += x;
      return true;
    case '5':
      v -= x;
      return true;
    case '1':
    case '3':
    case '4':
    case '6': {
      if (shift < 0) return false;  // no scale below units: the value stays
      const std::int64_t p = PowerOfTen(shift);
      v = (v * x + p / 2) / p;
      return true;
    }
    default:
      return false;
  }
}

std::int64_t RoundAfterRun(char digit, std::int64_t v) {
  switch (digit) {
    case '3': return (v * 10 / 5 + 5) / 10 * 5;
    case '6': return (v + 5) / 10 * 10;
    case '4': return (v + 500) / 1000;
    default: return v;
  }
}

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// A run of records with one operator digit over one set of values; the values it changed
// are rounded when the run ends.
class Run {
 public:
  explicit Run(std::size_t values) : touched_(values, false) {}

  // Starts a run when the digit changes; true for the first record of a run.
  bool Next(char digit, std::int32_t* values) {
    if (started_ && digit == digit_) return false;
    Finish(values);
    digit_ = digit;
    started_ = true;
    return true;
  }
  void Touch(std::size_t i) { touched_[i] = true; }
  void Finish(std::int32_t* values) {
    if (started_ && (digit_ == '3' || digit_ == '4' || digit_ == '6')) {
      for (std::size_t i = 0; i < touched_.size(); ++i) {
        if (touched_[i]) values[i] = Clamp32(RoundAfterRun(digit_, values[i]));
      }
    }
    std::fill(touched_.begin(), touched_.end(), false);
  }

 private:
  char digit_ = '\0';
  bool started_ = false;
  std::vector<bool> touched_;
};

}  // namespace

void ApplyERecords(const std::vector<ERecordBytes>& records, const EOperatorTerms& terms,
                   ChargeResult& result) {
  std::vector<Operands> list = Select(records, terms.key);
  if (list.empty()) return;
  if (std::string_view("*+HL").find(terms.la_pct) != std::string_view::npos &&
      terms.la_pct != '\0') {
    MergeAll(list, terms.la_pct);
  }
  const int shift = terms.method_letter == '6' ? 4 : terms.method_letter == '7' ? 5 : 0;
  const std::size_t brackets = static_cast<std::size_t>(
      std::clamp<int>(result.brackets.count, 0, MinimumBrackets::kMax));
  const std::size_t cells = std::min<std::size_t>(
      static_cast<std::size_t>(std::max(terms.rows, 0)) * static_cast<std::size_t>(std::max(terms.breaks, 0)),
      RateMatrix::kCells);
  std::int32_t* charges = result.brackets.charges.data();
  std::int32_t* matrix = result.matrix.cells.data();
  Run minimum_run(brackets);
  Run rate_run(cells);
  for (const Operands& o : list) {
    const bool first_minimum = minimum_run.Next(o.minimum_digit, charges);
    const int minimum_shift = o.minimum_digit == '4' && first_minimum ? shift - 3 : shift;
    for (std::size_t k = 0; k < brackets; ++k) {
      std::int64_t v = charges[k];
      if (Operate(o.minimum_digit, minimum_shift, o.minimum, v)) {
        charges[k] = Clamp32(v);
        minimum_run.Touch(k);
      }
    }
    const bool first_rate = rate_run.Next(o.rate_digit, matrix);
    const int rate_shift = o.rate_digit == '4' && first_rate ? shift - 3 : shift;
    for (std::size_t j = 0; j < cells && j < o.rates.size(); ++j) {
      std::int64_t v = matrix[j];
      if (Operate(o.rate_digit, rate_shift, o.rates[j], v)) {
        matrix[j] = Clamp32(v);
        rate_run.Touch(j);
      }
    }
  }
  minimum_run.Finish(charges);
  rate_run.Finish(matrix);
}

}  // namespace tolv
