// The tariff tables the class rates read, the rate matrix they fill, and the lookups by
// weight and class. The tables come from the factor file of the tariff in force and are
// copied for every shipment, since class-specific breaks rewrite the weight breaks.
#ifndef TOLV32DLL_RATES_CLASS_RATE_TABLES_H_
#define TOLV32DLL_RATES_CLASS_RATE_TABLES_H_

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "tolv32dll/rates/bounded_list.h"
#include "tolv32dll/tariff/factor_file.h"
#include "tolv32dll/tariff/weight_types.h"

namespace tolv {

// One row of the weight-type table: class-specific weight breaks.
struct WeightTypeRow {
  ShortText<3> code;  // an empty code ends the table
  // (weight-break index, replacement weight)
  BoundedList<std::pair<std::int16_t, std::int32_t>, kWeightTypeSlots> entries;
};

// Held in place (no heap), so that the copy a shipment takes is one block.
struct ClassRateTables {
  static constexpr std::size_t kMaxClasses = 20;
  static constexpr std::size_t kMaxBreaks = 20;

  using CodeText = ShortText<7>;  // codes have up to 6 characters; 7 make a one-word key
  BoundedList<CodeText, kMaxClasses> class_codes;
  BoundedList<std::int32_t, kMaxBreaks> weight_breaks;  // lbs, ascending
  // All rows of both grids (10000 = 1.0); rows past the file's counts hold 0.
  ClassFactorGrid class_factors{};
  BreakFactorGrid break_factors{};
  BoundedList<std::int16_t, kMaxBlocks> block_numbers;  // factor-set numbers; position = block
  BoundedList<WeightTypeRow, kWeightTypeEntries> weight_types;
  char class_break_flag = ' ';  // a digit when the tariff has class-specific breaks

  // The tables of the tariff in force: its factor file's classes, breaks, grids and block
  // numbers, the class-break flag (a digit enables it) and, with a digit flag, its
  // weight-type table.
  static ClassRateTables FromTariff(const FactorTables& factors, const WeightTypeTable& types,
                                    char class_break_flag);
  // The same tables written over these in place: a rating reuses one set of tables rather
  // than building a fresh block of several kilobytes each time.
  void Load(const FactorTables& factors, const WeightTypeTable& types, char class_break_flag);

  // A factor of either grid; 0 for a row or column the grid does not have.
  static std::int32_t Factor(std::span<const FactorRow> grid, std::int64_t row,
                             std::int64_t column) {
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= grid.size() ||
        static_cast<std::size_t>(column) >= FactorRow().size()) {
      return 0;
    }
    return grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  // 0 when the first break is at least the weight, else the highest index whose break the
  // weight reaches; -1 when there are no breaks.
  int WeightBreakIndex(std::int32_t weight) const;
  // 0 for an all-classes list (first code "FAK") and for a one-code list and a class
  // beginning with "FAK"; else the index of the code equal to the class; -1 when none.
  int ClassIndex(std::string_view class_text) const;
  bool HasClassBreaks() const { return class_break_flag >= '0' && class_break_flag <= '9'; }
  // Position of a factor-set number in the block-number list, -1 when absent.
  int FactorSetIndex(int number) const;
  // With a digit class-break flag, the weight-type row of the class (formatted to 3
  // characters, zero-padded) overwrites the weight breaks it lists. Entries naming a
  // break the tariff does not have are ignored.
  void ApplyClassBreaks(std::string_view class_text);

  ClassRateTables() = default;
};

// The rate per class and weight break (cents per 100 lb), cell (c, b) at c x breaks + b.
// Cells hold kNotComputed until the charge computation prices them.
struct RateMatrix {
  static constexpr std::size_t kCells = 171;  // 19 classes of 9 breaks
  static constexpr std::int32_t kNotComputed = 9999999;
  // Copied as one block: a cell-by-cell fill is slow enough to show in a rating's time.
  static constexpr std::array<std::int32_t, kCells> kNoneComputed = [] {
    std::array<std::int32_t, kCells> cells{};
    cells.fill(kNotComputed);
    return cells;
  }();
  std::array<std::int32_t, kCells> cells = kNoneComputed;
};

}  // namespace tolv

#endif  // TOLV32DLL_RATES_CLASS_RATE_TABLES_H_
