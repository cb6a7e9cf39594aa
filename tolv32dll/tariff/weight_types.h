// The weight-type table of the selected tariff, from its ".T" file, and the Lite code list
// that the same records may rename.
#ifndef TOLV32DLL_TARIFF_WEIGHT_TYPES_H_
#define TOLV32DLL_TARIFF_WEIGHT_TYPES_H_

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/os/bytes.h"
#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/tariff/current_tariff.h"
#include "tolv32dll/tariff/factor_file.h"

namespace tolv {

inline constexpr int kWeightTypeEntries = 19;
inline constexpr int kWeightTypeSlots = 11;
inline constexpr int kLiteCodeCount = 9;

struct WeightTypeSlot {
  std::int16_t break_index = -1;  // -1: a free slot
  std::int32_t amount1 = 0;
  std::array<char, 3> code1 = {};
  std::int32_t amount2 = 0;
  std::array<char, 3> code2 = {};
  std::int32_t amount3 = 0;
};

struct WeightTypeEntry {
  char type_digit = '\0';
  std::array<char, 3> code = {};  // all NUL: an unused entry
  std::int16_t count = 0;
  std::array<WeightTypeSlot, kWeightTypeSlots> slots = {};
};

using LiteCodeList = std::array<std::array<char, 5>, kLiteCodeCount>;
// "L5C", "M5C", "M1M", "M2M", "M5M", "M10M", "M20M", "M30M", "M40M".
LiteCodeList DefaultLiteCodes();

struct WeightTypeTable {
  std::array<WeightTypeEntry, kWeightTypeEntries> entries = {};
  LiteCodeList lite_codes = DefaultLiteCodes();

  // Every entry zeroed with its slots free; the Lite codes back to the built-in list.
  void Reset();
  // A "000" record's replacement of the weight break at its index.
  struct BreakOverride {
    int index;
    std::int32_t weight;
  };
  // Adds one 30-byte record; a record that finds no room (entry, slot, or Lite index out
  // of range) changes nothing there. Returns the weight-break replacement of a "000"
  // record whose index names a break.
  std::optional<BreakOverride> Apply(os::ByteSpan record);
};

// The loaded table with what it was loaded for. The cache key is the tariff name, its
// weight-type file number and digit, so another tariff sharing the digit reads its own
// file; the "000" weight-break overrides are applied again after every factor load.
struct WeightTypeState {
  WeightTypeTable table;  // the built-in table while nothing is loaded
  std::optional<std::string> loaded_key;
  std::array<std::optional<std::int32_t>, kMaxBreaks> break_overrides = {};
};

// Applies the tariff's weight types: a weight-type digit that is no digit resets the
// table (0); the table loaded for the same key is kept; otherwise the stream (the open
// ".T" file, null when it cannot be opened: 219) is read record by record. The weight
// breaks of tables get the "000" overrides either way.
ErrorNumber Tariff_LoadWeightTypes(const CurrentTariff& tariff, std::FILE* stream,
                                   WeightTypeState& state, FactorTables& tables);
// True when the tariff's weight types are already loaded (no need to open the file).
bool WeightTypesCurrent(const CurrentTariff& tariff, const WeightTypeState& state);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_WEIGHT_TYPES_H_
