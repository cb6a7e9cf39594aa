#include "tolv32dll/effective/effective_listing.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tolv {

namespace {

namespace R = effective_table_row;

EffectiveTableRow MakeRow(const EffectiveEntry& e, char letter) {
  EffectiveTableRow row;
  std::memcpy(row.data() + R::kName.offset, e.name.data(), R::kName.width);
  char date[9];
  std::snprintf(date, sizeof date, "%02d%02d%02d%02d", e.date.century % 100, e.date.year % 100,
                e.date.month % 100, e.date.day % 100);
  std::memcpy(row.data() + R::kDate.offset, date, R::kDate.width);
  row[R::kLetter.offset] = static_cast<std::uint8_t>(letter);
  return row;
}

bool SameDate(const EffectiveTableRow& a, const EffectiveTableRow& b) {
  return std::memcmp(a.data() + R::kDate.offset, b.data() + R::kDate.offset, R::kDate.width) == 0;
}

}  // namespace

std::vector<EffectiveTableRow> BuildEffectiveListing(const std::vector<EffectiveEntry>& entries) {
  std::vector<EffectiveTableRow> rows;
  bool bureau_listed = false;
  for (const EffectiveEntry& e : entries) {
    // The kind letter decides the row; PointFileMode (offset 45) holds S, Y or M and says
    // nothing about how a tariff is listed.
    char kind = e.tariff_kind;
    if ((e.name[6] == '2' && e.name[7] == 'A') || kind == 'S') continue;
    if (kind == 'N' || kind == 'P') {
      EffectiveTableRow row = MakeRow(e, e.jurisdiction == 'Y' ? 'I' : kind);
      bool listed = std::any_of(rows.begin(), rows.end(), [&](const EffectiveTableRow& r) {
        return std::memcmp(r.data(), row.data(), 8) == 0 && SameDate(r, row);
      });
      if (!listed) rows.push_back(row);
    } else if (kind == 'X') {
      EffectiveTableRow row = MakeRow(e, 'X');
      bool listed = std::any_of(rows.begin(), rows.end(), [&](const EffectiveTableRow& r) {
        return std::memcmp(r.data(), row.data(), 3) == 0 && SameDate(r, row);
      });
      if (!listed) rows.push_back(row);
    } else if (kind == 'Y' && !bureau_listed) {
      EffectiveTableRow row;
      std::memset(row.data(), ' ', row.size());
      std::memcpy(row.data(), "Bureau  ", 8);
      rows.push_back(row);
      bureau_listed = true;
    }
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const EffectiveTableRow& a, const EffectiveTableRow& b) {
                     return std::memcmp(a.data(), b.data(), 16) < 0;
                   });
  return rows;
}

}  // namespace tolv
