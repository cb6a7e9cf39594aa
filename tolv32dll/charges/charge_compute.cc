#include "tolv32dll/charges/charge_compute.h"

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>

#include "tolv32dll/charges/charge_log.h"
#include "tolv32dll/rates/charge_math.h"

namespace tolv {
namespace {

bool IsOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

std::string_view Trimmed(std::string_view code) {
  return code.substr(0, code.find_last_not_of(' ') + 1);
}

// Cell (c, b) of the rate matrix, or null beyond its 171 cells.
std::int32_t* Cell(ChargeResult& result, int c, int b, int breaks) {
  const std::size_t i =
      static_cast<std::size_t>(c) * static_cast<std::size_t>(breaks) + static_cast<std::size_t>(b);
  return i < RateMatrix::kCells ? &result.matrix.cells[i] : nullptr;
}

// Scales every priced cell by the class-factor grid; a factor of 0 takes the nearest
// non-zero factor to its left (from_left) or copies the cell to its left.
void ApplyClassFactors(const ClassRateTables& tables, ChargeResult& result, int rows, int breaks,
                       bool copy_on_zero) {
  for (int c = 0; c < rows; ++c) {
    for (int b = 0; b < breaks; ++b) {
      std::int32_t* cell = Cell(result, c, b, breaks);
      if (cell == nullptr) continue;
      std::int32_t f = ClassRateTables::Factor(tables.class_factors, c, b);
      if (f == 0 && b > 0) {
        int left = b - 1;
        while (left > 0 && ClassRateTables::Factor(tables.class_factors, c, left) == 0) --left;
        if (copy_on_zero) {
          std::int32_t* from = Cell(result, c, left, breaks);
          if (from != nullptr) *cell = *from;
          continue;
        }
        f = ClassRateTables::Factor(tables.class_factors, c, left);
        if (f == 0) continue;
      }
      *cell = static_cast<std::int32_t>(
          std::clamp<std::int64_t>(ApplyFactor(*cell, f), 0, ChargeResult::kUnpriced));
    }
  }
}

// Every weight-break column of the last priced class's factor row := factor. The override
// stays in the tariff's tables until the factor file is loaded again.
void SetLastClassFactors(ClassRateTables& tables, int rows, int breaks, std::int32_t factor) {
  if (rows <= 0) return;
  const std::size_t row = static_cast<std::size_t>(rows - 1);
  if (row >= tables.class_factors.size()) return;
  for (int b = 0; b < breaks && b < static_cast<int>(kFactorColumns); ++b) {
    tables.class_factors[row][static_cast<std::size_t>(b)] = factor;
  }
}

// The add-on record's two amounts: the first on the first two bracket charges, the second
// on the first two rates of every class row; amounts that are 0 stay 0.
void AddAddonAmounts(const std::array<std::int32_t, 2>& amounts, ChargeResult& result, int rows,
                     int breaks) {
  auto add = [](std::int32_t& v, std::int32_t amount) {
    if (v != 0)
      v = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{v} + amount, INT32_MAX));
  };
  add(result.brackets.charges[0], amounts[0]);
  add(result.brackets.charges[1], amounts[0]);
  for (int c = 0; c < rows; ++c) {
    for (int b = 0; b < 2 && b < breaks; ++b) {
      std::int32_t* cell = Cell(result, c, b, breaks);
      if (cell != nullptr) add(*cell, amounts[1]);
    }
  }
}

// Whether Adjust can change any amount at all.
bool AnyAdjustment(const ChargeTerms& terms) {
  return terms.type_factors_set || terms.tariff_factor != 1.0f || terms.request_factor != 1.0f ||
         (terms.discount_on && terms.discount_kind == 'R');
}

// The tariff type, tariff and request factors on one amount, then the rate discount.
std::int32_t Adjust(std::int32_t amount, std::int64_t type_factor, const ChargeTerms& terms,
                    std::int64_t f1, std::int64_t f2, int discount_element) {
  if (terms.type_factors_set) amount = ScaleCell(amount, type_factor);
  if (terms.tariff_factor != 1.0f) amount = ScaleCell(amount, f1);
  if (terms.request_factor != 1.0f) amount = ScaleCell(amount, f2);
  // Rates are discounted only when the discount switch is on; elements past the ten
  // values of the set carry no discount.
  if (terms.discount_on && terms.discount_kind == 'R' && discount_element >= 1 &&
      discount_element <= 10) {
    amount = DiscountCell(amount, terms.discounts.values[discount_element - 1]);
  }
  return amount;
}

}  // namespace

int PricedClassRows(const ClassRateTables& tables) {
  return static_cast<int>(std::min<std::size_t>(tables.class_codes.size(), 19));
}

ErrorNumber ComputeCharges(ClassRateTables& tables, const RateRecord& record,
                           const ChargeTerms& terms, ChargeResult& result) {
  tables.ApplyClassBreaks("100");
  // Built afresh in place: assigning a fresh block would build it aside and copy it over.
  static_assert(std::is_trivially_destructible_v<ChargeResult>);
  std::construct_at(&result);
  const char letter = terms.cell.method_letter;
  const char kind = record.KindLetter();
  const int rows = PricedClassRows(tables);
  const int breaks = static_cast<int>(tables.weight_breaks.size());
  TOLV_RETURN_IF_ERROR(BuildMinimumBrackets(terms.minimum, record, letter, result, &tables));
  // Letter "H" carries the minimum-charge floor of the response after the rates.
  if (letter == 'H') result.minimum_floor = record.Value(breaks + 1);
  result.minimum_charge = 0;
  result.engine_words.fill(0);

  std::optional<std::int32_t> range_factor;
  if (kind == 'C' && terms.class_range_factor) range_factor = terms.class_range_factor();
  if (range_factor) SetLastClassFactors(tables, rows, breaks, *range_factor);

  LaneAdjustments* const lanes = terms.lanes;
  if (static_cast<std::uint8_t>(kind) != 0xAA && lanes != nullptr) {
    const ErrorNumber loaded = lanes->Load();
    if (loaded > 0) return loaded;
  }
  if (letter == 'L' && kind == 'C' && !range_factor && lanes != nullptr &&
      lanes->FirstHitCode() == "001") {
    SetLastClassFactors(tables, rows, breaks, 5950);
  }

  // A second break list the lane file brought (or lanes of E records) also holds the rates
  // unfactored until the lane adjustments ran.
  const bool second_list =
      terms.second_break_list || (lanes != nullptr && lanes->BeforeClassFactors());
  CellRuleContext cell = terms.cell;
  if (second_list) cell.unfactored_lane_rates = true;

  const CellRuleInputs in{tables, result.matrix, record, cell};
  const std::span<std::int32_t> cells(result.matrix.cells);
  for (int c = 0; c < rows; ++c) {
    // Cells past the matrix are not priced.
    const std::size_t first = static_cast<std::size_t>(c) * static_cast<std::size_t>(breaks);
    if (first >= cells.size()) break;
    const std::size_t count = std::min<std::size_t>(breaks, cells.size() - first);
    const std::string_view code = Trimmed(tables.class_codes[static_cast<std::size_t>(c)]);
    TOLV_RETURN_IF_ERROR(ComputeClassRow(in, c, code, cells.subspan(first, count)));
  }
  LogChargeBlock(result);

  const EOperatorTerms before{'1', terms.la_pct, letter, rows, breaks};
  if (lanes != nullptr) ApplyERecords(lanes->ERecords(), before, result);

  bool lanes_applied = false;
  if (IsOneOf(letter, "GIJKLM") && second_list) {
    if (lanes != nullptr) lanes->Apply(result, rows, breaks);
    lanes_applied = true;
    ApplyClassFactors(tables, result, rows, breaks, /*copy_on_zero=*/false);
  }
  if (IsOneOf(letter, "LIK") && kind == 'C' && terms.addon_c_amounts) {
    AddAddonAmounts(*terms.addon_c_amounts, result, rows, breaks);
  }
  if (!lanes_applied && lanes != nullptr) lanes->Apply(result, rows, breaks);

  if (letter == 'H') {
    const std::int64_t f = ClassRateTables::Factor(tables.break_factors, breaks, 0);
    result.brackets.charges[0] = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        ApplyFactor(result.brackets.charges[0], f), 0, ChargeResult::kUnpriced));
  }
  if (IsOneOf(letter, "EFH")) ApplyClassFactors(tables, result, rows, breaks, true);
  if (lanes != nullptr) {
    ApplyERecords(lanes->ERecords(), EOperatorTerms{'2', terms.la_pct, letter, rows, breaks},
                  result);
    lanes->ApplySecond(result, rows, breaks);
  }

  if (AnyAdjustment(terms)) {
    const std::int64_t f1 = FactorOf(terms.tariff_factor);
    const std::int64_t f2 = FactorOf(terms.request_factor);
    const std::size_t bracket_count = std::min<std::size_t>(
        std::max<std::int16_t>(result.brackets.count, 0), MinimumBrackets::kMax);
    for (std::size_t i = 0; i < bracket_count; ++i) {
      result.brackets.charges[i] =
          Adjust(result.brackets.charges[i], terms.type_factors[0], terms, f1, f2, 1);
    }
    for (int c = 0; c < rows; ++c) {
      for (int b = 0; b < breaks; ++b) {
        std::int32_t* cell = Cell(result, c, b, breaks);
        if (cell == nullptr) continue;
        *cell = Adjust(*cell, terms.type_factors[b < 6 ? 1 : 2], terms, f1, f2, b + 2);
      }
    }
  }
  LogBracketArea(result);
  return kOk;
}

}  // namespace tolv
