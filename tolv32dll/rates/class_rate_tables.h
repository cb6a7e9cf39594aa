// The tariff tables the class rates read, the rate matrix they fill, and the lookups by
// weight and class. The tables come from the factor file of the tariff in force and are
// copied for every shipment, since class-specific breaks rewrite the weight breaks.
#ifndef TOLV32DLL_RATES_CLASS_RATE_TABLES_H_
#define TOLV32DLL_RATES_CLASS_RATE_TABLES_H_

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tolv32dll/tariff/factor_file.h"
#include "tolv32dll/tariff/weight_types.h"

namespace tolv {

// One row of the weight-type table: class-specific weight breaks.
struct WeightTypeRow {
  std::string code;  // 3 characters; an empty code ends the table
  // (weight-break index, replacement weight)
  std::vector<std::pair<std::int16_t, std::int32_t>> entries;
};

struct ClassRateTables {
  static constexpr std::size_t kMaxClasses = 20;
  static constexpr std::size_t kMaxBreaks = 20;

  std::vector<std::string> class_codes;     // up to 20, each up to 3 characters
  std::vector<std::int32_t> weight_breaks;  // up to 20, lbs, ascending
  std::vector<FactorRow> class_factors;     // ClassFactorGrid (rows of 25, 10000 = 1.0)
  std::vector<FactorRow> break_factors;     // BreakFactorGrid
  std::vector<std::int16_t> block_numbers;  // factor-set numbers; position = block index
  std::vector<WeightTypeRow> weight_types;  // at most 19 rows are read
  char class_break_flag = ' ';  // a digit when the tariff has class-specific breaks

  // The tables of the tariff in force: its factor file's classes, breaks, grids and block
  // numbers, its weight-type table and the class-break flag (a digit enables it).
  static ClassRateTables FromTariff(const FactorTables& factors, const WeightTypeTable& types,
                                    char class_break_flag);

  // A factor of either grid; 0 for a row or column the grid does not have.
  static std::int32_t Factor(const std::vector<FactorRow>& grid, std::int64_t row,
                             std::int64_t column);
  // 0 when the first break is at least the weight, else the highest index whose break the
  // weight reaches; -1 when there are no breaks.
  int WeightBreakIndex(std::int32_t weight) const;
  // 0 for an all-classes list (first code "FAK") and for a one-code list and a class
  // beginning with "FAK"; else the index of the code equal to the class; -1 when none.
  int ClassIndex(const std::string& class_text) const;
  // Position of a factor-set number in the block-number list, -1 when absent.
  int FactorSetIndex(int number) const;
  // With a digit class-break flag, the weight-type row of the class (formatted to 3
  // characters, zero-padded) overwrites the weight breaks it lists. Entries naming a
  // break the tariff does not have are ignored.
  void ApplyClassBreaks(const std::string& class_text);
};

// The rate per class and weight break (cents per 100 lb), cell (c, b) at c x breaks + b.
// Cells hold kNotComputed until the charge computation prices them.
struct RateMatrix {
  static constexpr std::size_t kCells = 171;  // 19 classes of 9 breaks
  static constexpr std::int32_t kNotComputed = 9999999;
  std::array<std::int32_t, kCells> cells;
  RateMatrix() { cells.fill(kNotComputed); }
};

}  // namespace tolv

#endif  // TOLV32DLL_RATES_CLASS_RATE_TABLES_H_
