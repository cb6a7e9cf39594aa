#include "tolv32dll/effective/tariff_tables.h"

#include <cstdio>
#include <cstring>

#include "platform/os/bytes.h"
#include "tolv32dll/records/tariff_tables_record.h"
#include "tolv32dll/tariff/tariff_state.h"

namespace tolv {

namespace ttr = tariff_tables_record;

namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// n digits at text[at], possibly led by blanks as "%2hd" allows.
std::optional<int> Number(std::string_view text, std::size_t at, std::size_t n) {
  int value = 0;
  bool digit = false;
  for (std::size_t i = at; i < at + n; ++i) {
    char c = text[i];
    if (c == ' ' && !digit) continue;
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    digit = true;
  }
  if (!digit) return std::nullopt;
  return value;
}

}  // namespace

std::optional<TariffDate> ParseTablesDate(std::string_view text) {
  if (text.size() < 10) return std::nullopt;
  std::optional<int> month = Number(text, 0, 2);
  std::optional<int> day = Number(text, 3, 2);
  std::optional<int> year = Number(text, 6, 4);
  if (!month || !day || !year || *month < 1 || *month > 12 || *day < 1 || *year < 1) {
    return std::nullopt;
  }
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int days = kDays[*month - 1] + (*month == 2 && IsLeap(*year) ? 1 : 0);
  if (*day > days) return std::nullopt;
  return TariffDate{static_cast<std::uint8_t>(*year / 100), static_cast<std::uint8_t>(*year % 100),
                    static_cast<std::uint8_t>(*month), static_cast<std::uint8_t>(*day)};
}

int FindTablesEntry(const std::vector<EffectiveEntry>& entries, std::string_view name,
                    const TariffDate& date) {
  for (int skipped : {2, 1}) {
    for (std::size_t i = entries.size(); i-- > 0;) {
      const EffectiveEntry& e = entries[i];
      if (e.tariff_number == skipped) continue;
      if (e.date.Key() <= date.Key() && e.Name() == name) return static_cast<int>(i);
    }
  }
  return -1;
}

int GetTariffTables(std::span<std::uint8_t> record, EffectiveTable& table,
                    CurrentTariff& current, const std::string& tariff_dir) {
  if (record.size() < ttr::kSize) return 0;
  std::string_view date_text(reinterpret_cast<const char*>(record.data() + ttr::kDate.offset),
                             ttr::kDate.width);
  std::optional<TariffDate> date = ParseTablesDate(date_text);
  if (!date) return 0;
  char rewritten[16];
  std::snprintf(rewritten, sizeof rewritten, "%02d-%02d-%04d", date->month % 100,
                date->day % 100, (date->century * 100 + date->year) % 10000);
  std::memcpy(record.data() + ttr::kDate.offset, rewritten, ttr::kDate.width);

  std::string_view name(reinterpret_cast<const char*>(record.data() + ttr::kTariffName.offset),
                        ttr::kTariffName.width);
  int index = FindTablesEntry(table.entries(), name, *date);
  if (index < 0 || table.Select(index, &current) != kOk) return 0;
  TariffState tariff;
  tariff.files.SetTariffDataDirectory(tariff_dir);
  ErrorNumber loaded = Tariff_LoadFactorTables(tariff, current);
  if (loaded != kOk && loaded != kErrHcy2big) return 0;

  const FactorTables& t = tariff.tables;
  std::memset(record.data(), 0, ttr::kOutputSize);
  int classes = std::min<int>(t.class_count, static_cast<int>(ttr::kClasses));
  int breaks = std::min<int>(t.break_count, static_cast<int>(ttr::kWeightBreaks));
  for (int i = 0; i < classes; ++i) {
    std::memcpy(record.data() + ttr::kClassCode.Nth(static_cast<std::size_t>(i)).offset,
                t.class_codes[static_cast<std::size_t>(i)].data(), ttr::kClassCode.width);
  }
  for (int i = 0; i < breaks; ++i) {
    os::StoreI32Le(record.data() + ttr::kWeightBreak.Nth(static_cast<std::size_t>(i)).offset,
                   t.weight_breaks[static_cast<std::size_t>(i)]);
  }
  os::StoreI16Le(record.data() + ttr::kClassCount.offset, static_cast<std::int16_t>(classes));
  os::StoreI16Le(record.data() + ttr::kWeightBreakCount.offset, static_cast<std::int16_t>(breaks));
  return 1;
}

}  // namespace tolv
