#include "tolv32dll/tariff/tariff_options.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/os/bytes.h"
#include "tolv32dll/tariff/text_helpers.h"

namespace tolv {
namespace {

constexpr std::string_view kDelimiters = " =\t\r\n";
constexpr std::size_t kOptionLineCut = 80;

TariffOption Row(std::string_view name, char type) {
  TariffOption row;
  std::copy_n(name.begin(), std::min(name.size(), row.name.size()), row.name.begin());
  row.type = type;
  return row;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Upper(x) == Upper(y); });
}

float ParseFloat(std::string_view token) {
  std::size_t i = token.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0.0f;
  if (token[i] == '+') ++i;
  float value = 0.0f;
  std::from_chars(token.data() + i, token.data() + token.size(), value);
  return value;
}

// Stores the token into the row's value by the row's type.
void StoreValue(TariffOption& row, std::string_view token) {
  row.value.fill(0);
  switch (row.type) {
    case 'B':
      os::StoreI32Le(row.value.data(),
                     token.size() >= 3 && EqualsNoCase(token.substr(0, 3), "YES") ? 1 : 0);
      break;
    case 'C':
      std::copy_n(token.begin(), std::min<std::size_t>(4, token.size()), row.value.begin());
      break;
    case 'F':
      os::StoreF32Le(row.value.data(), ParseFloat(token));
      break;
    case 'I':
      os::StoreI16Le(row.value.data(), static_cast<std::int16_t>(Util_AtoiN(token, 28)));
      break;
    case 'L':
      os::StoreI32Le(row.value.data(), Util_AtoiN(token, 28));
      break;
  }
}

// Every token from the value on becomes an entry: 3 characters of code and the mark of the
// fourth. A mark character that means nothing leaves the slot's mark as it was.
void RebuildBreakCodes(BreakCodeList& list, std::string_view first, std::string_view rest) {
  list.count = 0;
  std::optional<std::string_view> token = first;
  while (token) {
    if (list.count < kMaxBreakCodes) {
      BreakCode& entry = list.entries[list.count++];
      entry.code = {};
      std::copy_n(token->begin(), std::min<std::size_t>(3, token->size()), entry.code.begin());
      char mark = token->size() > 3 ? (*token)[3] : '\0';
      if (mark == '*') entry.mark = 1;
      if (mark == '+') entry.mark = 0;
      if (mark == 'X' || mark == 'x') entry.mark = -1;
    }
    token = Util_NextToken(&rest, kDelimiters);
  }
}

}  // namespace

std::string_view TariffOption::Name() const {
  std::string_view all(name.data(), name.size());
  return all.substr(0, std::min(all.size(), all.find('\0')));
}
float TariffOption::AsFloat() const { return os::LoadF32Le(value.data()); }
std::int32_t TariffOption::AsInt() const {
  return type == 'I' ? os::LoadI16Le(value.data()) : os::LoadI32Le(value.data());
}
std::string_view TariffOption::AsText() const {
  std::string_view all(reinterpret_cast<const char*>(value.data()), value.size());
  return all.substr(0, std::min(all.size(), all.find('\0')));
}

TariffOptions DefaultTariffOptions() {
  TariffOptions table = {Row("MC_ADDON", 'F'), Row("SS_MC_ADDON", 'F'),  Row("PIN_MC", 'B'),
                         Row("LA_PCT", 'C'),   Row("ONE_LA", 'B'),       Row("BRKS", 'C'),
                         Row("BRK2", 'C'),     Row("HCITY", 'L'),        Row("NCITY", 'C'),
                         Row("RADJF", 'F'),    Row("NO_RBN_ADDON", 'B'), TariffOption()};
  os::StoreF32Le(table[kOptRadjf].value.data(), 1.0f);
  return table;
}

void FactorOptions::StartBlock() {
  ss_mc_addon = 0.0f;
  mc_addon = 0.0f;
  pin_mc = false;
  hcity.count = 0;
  matched_ncity = {};
  ncity_on = true;
}

void FactorOptions::ClearLists() {
  brks = BreakCodeList();
  brk2 = BreakCodeList();
  la_pct = '\0';
}

// Byte comparison stands for member comparison only where no member is a float and no
// padding lies between them.
static_assert(std::has_unique_object_representations_v<TariffOption> &&
              sizeof(TariffOptions) == std::tuple_size_v<TariffOptions> * sizeof(TariffOption));
static_assert(std::has_unique_object_representations_v<BreakCode>);
static_assert(std::has_unique_object_representations_v<HcityEntry>);

template <typename T, std::size_t N>
bool SameBytes(const std::array<T, N>& a, const std::array<T, N>& b) {
  return std::memcmp(a.data(), b.data(), sizeof(T) * N) == 0;
}

bool HcityList::operator==(const HcityList& o) const {
  if (count != o.count) return false;
  const std::size_t used = static_cast<std::size_t>(std::clamp<int>(count, 0, kMaxHcityEntries));
  return std::memcmp(entries.data(), o.entries.data(), sizeof(HcityEntry) * used) == 0;
}

// A member added to FactorOptions must join the comparison below.
static_assert(sizeof(FactorOptions) == 1692);

bool FactorOptions::operator==(const FactorOptions& o) const {
  return SameBytes(table, o.table) && mc_addon == o.mc_addon && ss_mc_addon == o.ss_mc_addon &&
         pin_mc == o.pin_mc && la_pct == o.la_pct && one_la == o.one_la &&
         brks.count == o.brks.count && SameBytes(brks.entries, o.brks.entries) &&
         brk2.count == o.brk2.count && SameBytes(brk2.entries, o.brk2.entries) &&
         hcity == o.hcity &&
         city_set_code == o.city_set_code && ncity_on == o.ncity_on &&
         matched_ncity == o.matched_ncity && radjf == o.radjf && no_rbn_addon == o.no_rbn_addon;
}

ErrorNumber Parm_ParseOptionLine(std::string_view line, FactorOptions& options) {
  line = line.substr(0, std::min(line.size(), kOptionLineCut));
  while (line.size() >= 2 && line[0] == '*' && line[1] == ' ') line.remove_prefix(2);
  std::string_view rest = line;
  auto name = Util_NextToken(&rest, kDelimiters);
  if (!name) return kOk;
  auto value = Util_NextToken(&rest, kDelimiters);
  if (!value) return kOk;
  int row = 0;
  while (row < kOptionRows && !EqualsNoCase(options.table[row].Name(), *name)) ++row;
  if (row == kOptionRows) return kOk;
  TariffOption& option = options.table[row];
  StoreValue(option, *value);
  switch (row) {
    case kOptMcAddon:
      options.mc_addon = option.AsFloat();
      break;
    case kOptSsMcAddon:
      options.ss_mc_addon = option.AsFloat();
      break;
    case kOptPinMc:
      options.pin_mc = option.AsInt() != 0;
      break;
    case kOptLaPct:
      options.la_pct = static_cast<char>(option.value[0]);
      break;
    case kOptOneLa:
      options.one_la = option.AsInt() != 0;
      break;
    case kOptBrks:
      RebuildBreakCodes(options.brks, *value, rest);
      break;
    case kOptBrk2:
      RebuildBreakCodes(options.brk2, *value, rest);
      break;
    case kOptHcity: {
      if (!options.ncity_on) break;
      if (options.hcity.count >= kMaxHcityEntries) return kErrHcy2big;
      HcityEntry& entry = options.hcity.entries[options.hcity.count++];
      entry = HcityEntry();
      entry.value = option.AsInt();
      if (auto third = Util_NextToken(&rest, kDelimiters)) entry.second = Util_AtoiN(*third, 28);
      break;
    }
    case kOptNcity: {
      std::string_view code = option.AsText();
      bool match = code.size() >= 2 && code[0] == options.city_set_code[0] &&
                   code[1] == options.city_set_code[1];
      options.ncity_on = match;
      if (match) options.matched_ncity = {code[0], code[1]};
      break;
    }
    case kOptRadjf:
      options.radjf = option.AsFloat();
      break;
    case kOptNoRbnAddon:
      options.no_rbn_addon = option.AsInt() != 0;
      break;
  }
  return kOk;
}

}  // namespace tolv
