#include "tolv32dll/tariff/weight_types.h"

#include <algorithm>
#include <cstring>

#include "platform/os/ascii_text.h"
#include "tolv32dll/tariff/file_io.h"
#include "tolv32dll/tariff/weight_type_record.h"

namespace tolv {
namespace {

namespace wtr = weight_type_record;

std::array<char, 3> Code3(const std::uint8_t* p) {
  return {static_cast<char>(p[0]), static_cast<char>(p[1]), static_cast<char>(p[2])};
}

std::string KeyOf(const CurrentTariff& tariff) {
  return std::string(TextOf(tariff.tariff_name)) + std::string(TextOf(tariff.weight_type_file_no)) +
         tariff.weight_type_digit;
}

// state.loaded_key == KeyOf(tariff), without building the key.
bool LoadedFor(const CurrentTariff& tariff, const WeightTypeState& state) {
  if (!state.loaded_key) return false;
  const std::string_view key = *state.loaded_key;
  const std::string_view name = TextOf(tariff.tariff_name);
  const std::string_view file_no = TextOf(tariff.weight_type_file_no);
  return key.size() == name.size() + file_no.size() + 1 && key.starts_with(name) &&
         key.substr(name.size(), file_no.size()) == file_no &&
         key.back() == tariff.weight_type_digit;
}

void ApplyOverrides(const WeightTypeState& state, FactorTables& tables) {
  for (int i = 0; i < kMaxBreaks; ++i) {
    if (state.break_overrides[i]) tables.weight_breaks[i] = *state.break_overrides[i];
  }
}

}  // namespace

LiteCodeList DefaultLiteCodes() {
  LiteCodeList list = {};
  const char* codes[kLiteCodeCount] = {"L5C",  "M5C",  "M1M",  "M2M", "M5M",
                                   "M10M", "M20M", "M30M", "M40M"};
  for (int i = 0; i < kLiteCodeCount; ++i) std::strncpy(list[i].data(), codes[i], list[i].size());
  return list;
}

void WeightTypeTable::Reset() {
  entries = {};
  lite_codes = DefaultLiteCodes();
}

std::optional<WeightTypeTable::BreakOverride> WeightTypeTable::Apply(os::ByteSpan record) {
  if (record.size() < wtr::kSize) return std::nullopt;
  const os::ConstRecordView r(record.first(wtr::kSize));
  std::int16_t index = r.I16(wtr::kBreakIndex);
  std::array<char, 3> code = Code3(r.at(wtr::kCode));
  if (code[0] == '0') {
    if (code[1] == '\0') code[1] = '0';
    if (code[2] == '\0') code[2] = '0';
  }
  if (index >= 0 && index < kLiteCodeCount &&
      std::memcmp(lite_codes[index].data(), r.at(wtr::kLiteCode), wtr::kLiteCode.width) != 0) {
    std::memcpy(lite_codes[index].data(), r.at(wtr::kLiteCode), wtr::kLiteCode.width);
  }
  auto entry = std::find_if(entries.begin(), entries.end(),
                            [&](const WeightTypeEntry& e) { return e.code == code; });
  if (entry == entries.end()) {
    entry = std::find_if(entries.begin(), entries.end(),
                         [](const WeightTypeEntry& e) { return e.code == std::array<char, 3>{}; });
  }
  if (entry == entries.end()) return std::nullopt;
  auto slot = std::find_if(entry->slots.begin(), entry->slots.end(),
                           [](const WeightTypeSlot& s) { return s.break_index == -1; });
  if (slot == entry->slots.end()) return std::nullopt;
  entry->type_digit = static_cast<char>(*r.at(wtr::kTypeDigit));
  entry->code = code;
  slot->break_index = index;
  slot->amount1 = r.I32(wtr::kAmount1);
  slot->code1 = Code3(r.at(wtr::kCode1));
  slot->amount2 = r.I32(wtr::kAmount2);
  slot->code2 = Code3(r.at(wtr::kCode2));
  slot->amount3 = r.I32(wtr::kAmount3);
  ++entry->count;
  if (code == std::array<char, 3>{'0', '0', '0'} && index >= 0 && index < kMaxBreaks) {
    return BreakOverride{index, slot->amount1};
  }
  return std::nullopt;
}

bool WeightTypesCurrent(const CurrentTariff& tariff, const WeightTypeState& state) {
  return !os::IsAsciiDigit(tariff.weight_type_digit) || LoadedFor(tariff, state);
}

ErrorNumber Tariff_LoadWeightTypes(const CurrentTariff& tariff, std::FILE* stream,
                                   WeightTypeState& state, FactorTables& tables) {
  if (!os::IsAsciiDigit(tariff.weight_type_digit)) {
    // Without a loaded key the state is the built-in one already.
    if (state.loaded_key) state = WeightTypeState();
    return kOk;
  }
  if (LoadedFor(tariff, state)) {
    ApplyOverrides(state, tables);
    return kOk;
  }
  if (stream == nullptr) return kErrWtpopn;
  state = WeightTypeState();
  std::array<std::uint8_t, wtr::kSize> record;
  while (File_FRead(record.data(), record.size(), 1, stream) == 1) {
    if (auto replaced = state.table.Apply(record)) {
      state.break_overrides[replaced->index] = replaced->weight;
    }
  }
  state.loaded_key = KeyOf(tariff);
  ApplyOverrides(state, tables);
  return kOk;
}

}  // namespace tolv
