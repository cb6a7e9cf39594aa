// The Lite tables: type directories, the Lite table and the choice of a table number.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/ziptables/addon_steps.h"

namespace tolv {

std::array<char, 2> TypeCode(const char* two) { return {two[0], two[1]}; }

char LiteContext::point_type() const {
  const CurrentTariff& t = method.terms.tariff;
  return t.point_type == 'N' ? t.alt_point_type : t.point_type;
}

void LiteWork::SetNumber(std::int64_t number, std::size_t width) {
  width = std::min<std::size_t>(width, lite_record.size() - 4);
  char text[24];
  std::snprintf(text, sizeof text, "%.*lld", static_cast<int>(width),
                static_cast<long long>(number));
  // A longer number keeps its last digits: the field has no room for more.
  const std::size_t n = std::strlen(text);
  std::memcpy(lite_record.data() + 4, text + (n > width ? n - width : 0), width);
}

void LiteWork::CopyFrom(const RateRecord& record) {
  const std::string first = record.Text(0, lite_record.size());
  std::memcpy(lite_record.data(), first.data(), lite_record.size());
}

std::optional<std::pair<std::int64_t, std::int64_t>> TypeDirectory::RangeOf(
    const std::array<char, 2>& type) const {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].type != type) continue;
    const std::int64_t first = entries[i].offset;
    std::int64_t end = file_size;
    if (i + 1 < entries.size() && entries[i + 1].offset > first) {
      end = std::min(end, entries[i + 1].offset);
    }
    if (first < 0 || end < first) return std::nullopt;
    return std::make_pair(first, end);
  }
  return std::nullopt;
}

TypeDirectory ReadTypeDirectory(const FileView& file) {
  namespace D = type_directory_entry;
  TypeDirectory directory;
  directory.file_size = std::max<std::int64_t>(file.Size(), 0);
  std::array<std::uint8_t, D::kDirectorySize> bytes{};
  if (!ReadExact(file, 0, bytes)) return directory;
  for (std::size_t i = 0; i < D::kEntries; ++i) {
    const os::ConstRecordView entry = os::ConstRecordView(bytes).Sub(i * D::kSize, D::kSize);
    const std::string_view type = entry.RawView(D::kType);
    directory.entries[i].type = {type[0], type[1]};
    directory.entries[i].offset = entry.I32(D::kRecords);
  }
  return directory;
}

ErrorNumber PrepareLite(LiteContext& ctx) {
  Result<const FileView*> base = ctx.tables.LiteBase();
  if (!base.ok()) return base.error();
  Result<const FileView*> matrix = ctx.tables.LiteMatrix();
  if (!matrix.ok()) return matrix.error();
  if (*base == nullptr || *matrix == nullptr) return kErrEbsopn;
  ctx.lite_table = LoadLiteTable(**base);
  std::vector<std::uint8_t> logged;
  for (const LiteTableRow& row : ctx.lite_table) {
    logged.push_back(static_cast<std::uint8_t>(row.letter));
    logged.insert(logged.end(), row.threshold.begin(), row.threshold.end());
    logged.insert(logged.end(), row.table.begin(), row.table.end());
    logged.push_back(static_cast<std::uint8_t>(row.flag));
  }
  logged.resize(lite_table_row::kSlots * lite_table_row::kSize, 0);
  ctx.Log(18, logged);
  ctx.work.base_directory = ReadTypeDirectory(**base);
  ctx.work.matrix_directory = ReadTypeDirectory(**matrix);
  return kOk;
}

Result<int> SelectTableNumber(LiteContext& ctx, char letter) {
  namespace T = lite_table_row;
  LiteWork& work = ctx.work;
  work.row_index = 0;
  work.addon_flag = -1;
  const int n = ParseLeadingNumber(std::string(work.lite_record.data(), 3));
  if (ctx.lite_table.empty()) {
    // An error here must not pass for a table number.
    if (const ErrorNumber e = PrepareLite(ctx); e != kOk) return Result<int>::Error(e);
  }
  const std::vector<LiteTableRow>& table = ctx.lite_table;
  if (table.empty()) return n;
  const std::size_t rows = std::min<std::size_t>(table.size(), T::kSlots);
  std::size_t i = 0;
  while (i < rows && table[i].letter != '*' && table[i].letter != letter) ++i;
  if (i == rows) return Result<int>::Error(kErrBadtno);
  if (table[i].letter == '*') return n;

  auto blank = [](const std::array<char, 5>& t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return c == ' '; });
  };
  if (!blank(table[i].threshold)) {
    const std::size_t from = ctx.point_type() == 'J' ? 5 : 4;
    const char* number = work.lite_record.data() + from;
    const std::size_t available = work.lite_record.size() - from;
    while (i + 1 < rows && table[i + 1].letter == letter) {
      const std::array<char, 5>& next = table[i + 1].threshold;
      std::size_t width = 5;
      while (width > 0 && next[width - 1] == ' ') --width;
      width = std::min(width, available);
      if (std::memcmp(number, next.data(), width) < 0) break;
      ++i;
    }
  }
  work.row_index = static_cast<int>(i);
  if (table[i].flag == 'Y') work.addon_flag = 1;
  if (table[i].flag == 'N') work.addon_flag = 0;
  std::memcpy(work.lite_record.data(), table[i].table.data(), 3);
  return ParseLeadingNumber(std::string(table[i].table.data(), 3));
}

std::optional<std::int32_t> HcityValue(const HcityList* list, std::int64_t at_least) {
  if (list == nullptr) return std::nullopt;
  const int count = std::clamp<int>(list->count, 0, kMaxHcityEntries);
  for (int i = 0; i < count; ++i) {
    const HcityEntry& e = list->entries[static_cast<std::size_t>(i)];
    if (e.value >= at_least) {
      if (e.second > 0) return e.second;
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tolv
