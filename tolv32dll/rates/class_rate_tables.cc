#include "tolv32dll/rates/class_rate_tables.h"

#include <algorithm>

namespace tolv {
namespace {

constexpr std::size_t kMaxWeightTypeRows = 19;

// A class as the weight-type table spells it: 3 characters, right-aligned, zero-padded.
std::string WeightTypeCode(const std::string& class_text) {
  std::string s = class_text.substr(0, 3);
  return std::string(3 - s.size(), '0') + s;
}

// Counts read from a file, held to the room of their table.
int Clamp(int count, int room) { return count < 0 ? 0 : (count > room ? room : count); }

}  // namespace

ClassRateTables ClassRateTables::FromTariff(const FactorTables& factors,
                                            const WeightTypeTable& types, char class_break_flag) {
  ClassRateTables t;
  for (int i = 0; i < Clamp(factors.class_count, kMaxClasses); ++i) {
    t.class_codes.emplace_back(factors.ClassCodeText(i));
  }
  const int breaks = Clamp(factors.break_count, kMaxBreaks);
  t.weight_breaks.assign(factors.weight_breaks.begin(), factors.weight_breaks.begin() + breaks);
  t.class_factors.assign(factors.class_factors.begin(), factors.class_factors.end());
  t.break_factors.assign(factors.break_factors.begin(), factors.break_factors.end());
  const int blocks = Clamp(factors.block_count, kMaxBlocks);
  t.block_numbers.assign(factors.block_numbers.begin(), factors.block_numbers.begin() + blocks);
  for (const WeightTypeEntry& entry : types.entries) {
    WeightTypeRow row;
    std::size_t n = 0;
    while (n < entry.code.size() && entry.code[n] != '\0') ++n;
    row.code.assign(entry.code.data(), n);
    for (int i = 0; i < Clamp(entry.count, kWeightTypeSlots); ++i) {
      row.entries.emplace_back(entry.slots[i].break_index, entry.slots[i].amount1);
    }
    t.weight_types.push_back(std::move(row));
  }
  t.class_break_flag = class_break_flag;
  return t;
}

std::int32_t ClassRateTables::Factor(const std::vector<FactorRow>& grid, std::int64_t row,
                                     std::int64_t column) {
  if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= grid.size() ||
      static_cast<std::size_t>(column) >= FactorRow().size()) {
    return 0;
  }
  return grid[row][column];
}

int ClassRateTables::WeightBreakIndex(std::int32_t weight) const {
  if (weight_breaks.empty()) return -1;
  if (weight_breaks[0] >= weight) return 0;
  for (int i = static_cast<int>(weight_breaks.size()) - 1; i >= 0; --i) {
    if (weight >= weight_breaks[i]) return i;
  }
  return 0;
}

int ClassRateTables::ClassIndex(const std::string& class_text) const {
  if (class_codes.empty()) return -1;
  if (class_codes[0] == "FAK") return 0;
  if (class_codes.size() == 1 && class_text.compare(0, 3, "FAK") == 0) return 0;
  for (std::size_t i = 0; i < class_codes.size(); ++i) {
    if (class_codes[i] == class_text) return static_cast<int>(i);
  }
  return -1;
}

int ClassRateTables::FactorSetIndex(int number) const {
  for (std::size_t i = 0; i < block_numbers.size(); ++i) {
    if (block_numbers[i] == number) return static_cast<int>(i);
  }
  return -1;
}

void ClassRateTables::ApplyClassBreaks(const std::string& class_text) {
  if (class_break_flag < '0' || class_break_flag > '9') return;
  std::string code = WeightTypeCode(class_text);
  std::size_t row = 0;
  const std::size_t rows = std::min(weight_types.size(), kMaxWeightTypeRows);
  auto row_code = [&](std::size_t i) {
    std::string c = weight_types[i].code.substr(0, 3);
    c.resize(3, '\0');
    return c;
  };
  // Stops at the first row whose code is not below the class, at the table's end, or at
  // its last row; that row is the one applied.
  while (row + 1 < rows && !weight_types[row].code.empty() && row_code(row) < code) ++row;
  if (row >= rows) return;
  for (const auto& [index, weight] : weight_types[row].entries) {
    if (index >= 0 && static_cast<std::size_t>(index) < weight_breaks.size()) {
      weight_breaks[index] = weight;
    }
  }
}

}  // namespace tolv
