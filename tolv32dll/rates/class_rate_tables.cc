#include "tolv32dll/rates/class_rate_tables.h"

#include <algorithm>

namespace tolv {
namespace {

// Counts read from a file, held to the room of their table.
int Clamp(int count, int room) { return count < 0 ? 0 : (count > room ? room : count); }

using Code3 = std::array<char, 3>;

// The first 3 characters of a code, NUL-padded: the weight-type table's code slot.
Code3 CodeSlot(std::string_view code) {
  Code3 slot{};
  std::copy_n(code.data(), std::min<std::size_t>(code.size(), slot.size()), slot.data());
  return slot;
}

// Codes order as bytes (unsigned), as text compares.
bool Below(const Code3& a, const Code3& b) {
  return std::string_view(a.data(), a.size()) < std::string_view(b.data(), b.size());
}

// A class as the weight-type table spells it: 3 characters, right-aligned, zero-padded.
Code3 WeightTypeCode(std::string_view class_text) {
  const std::string_view s = class_text.substr(0, 3);
  Code3 code;
  code.fill('0');
  std::copy(s.begin(), s.end(), code.end() - static_cast<std::ptrdiff_t>(s.size()));
  return code;
}

}  // namespace

ClassRateTables ClassRateTables::FromTariff(const FactorTables& factors,
                                            const WeightTypeTable& types, char class_break_flag) {
  ClassRateTables t;
  t.Load(factors, types, class_break_flag);
  return t;
}

void ClassRateTables::Load(const FactorTables& factors, const WeightTypeTable& types,
                           char class_break_flag) {
  class_factors = factors.class_factors;
  break_factors = factors.break_factors;
  class_codes.clear();
  for (int i = 0; i < Clamp(factors.class_count, kMaxClasses); ++i) {
    class_codes.emplace_back(factors.class_codes[i]);
  }
  const int breaks = Clamp(factors.break_count, kMaxBreaks);
  weight_breaks.assign(factors.weight_breaks.begin(), factors.weight_breaks.begin() + breaks);
  const int blocks = Clamp(factors.block_count, kMaxBlocks);
  block_numbers.assign(factors.block_numbers.begin(), factors.block_numbers.begin() + blocks);
  this->class_break_flag = class_break_flag;
  weight_types.clear();
  // The rows are read only under a digit flag.
  if (!HasClassBreaks()) return;
  weight_types.resize(types.entries.size());
  for (std::size_t r = 0; r < weight_types.size(); ++r) {
    const WeightTypeEntry& entry = types.entries[r];
    WeightTypeRow& row = weight_types[r];
    const std::size_t n = std::find(entry.code.begin(), entry.code.end(), '\0') - entry.code.begin();
    row.code = std::string_view(entry.code.data(), n);
    for (int i = 0; i < Clamp(entry.count, kWeightTypeSlots); ++i) {
      row.entries.push_back({entry.slots[i].break_index, entry.slots[i].amount1});
    }
  }
}

int ClassRateTables::WeightBreakIndex(std::int32_t weight) const {
  if (weight_breaks.empty()) return -1;
  if (weight_breaks[0] >= weight) return 0;
  for (int i = static_cast<int>(weight_breaks.size()) - 1; i >= 0; --i) {
    if (weight >= weight_breaks[i]) return i;
  }
  return 0;
}

int ClassRateTables::ClassIndex(std::string_view class_text) const {
  if (class_codes.empty()) return -1;
  if (class_codes[0].view() == "FAK") return 0;
  if (class_codes.size() == 1 && class_text.substr(0, 3) == "FAK") return 0;
  if (class_text.size() > CodeText::kMaxLength) return -1;  // longer than any code
  const std::uint64_t key = CodeText(class_text).Key();
  for (std::size_t i = 0; i < class_codes.size(); ++i) {
    if (class_codes[i].Key() == key) return static_cast<int>(i);
  }
  return -1;
}

int ClassRateTables::FactorSetIndex(int number) const {
  for (std::size_t i = 0; i < block_numbers.size(); ++i) {
    if (block_numbers[i] == number) return static_cast<int>(i);
  }
  return -1;
}

void ClassRateTables::ApplyClassBreaks(std::string_view class_text) {
  if (!HasClassBreaks()) return;
  const Code3 code = WeightTypeCode(class_text);
  std::size_t row = 0;
  const std::size_t rows = weight_types.size();
  // Stops at the first row whose code is not below the class, at the table's end, or at
  // its last row; that row is the one applied.
  while (row + 1 < rows && !weight_types[row].code.empty() &&
         Below(CodeSlot(weight_types[row].code), code)) {
    ++row;
  }
  if (row >= rows) return;
  for (const auto& [index, weight] : weight_types[row].entries) {
    if (index >= 0 && static_cast<std::size_t>(index) < weight_breaks.size()) {
      weight_breaks[index] = weight;
    }
  }
}

}  // namespace tolv
