#include "tolv32dll/effective/effective_entry.h"

#include <algorithm>
#include <cstring>

#include "tolv32dll/effective/effective_record.h"
#include "tolv32dll/effective/rating_version.h"

namespace tolv {

namespace {

namespace L = effective_record;

std::uint8_t TwoDigits(std::span<const std::uint8_t> line, std::size_t offset) {
  auto digit = [&](std::size_t i) {
    char c = static_cast<char>(line[i]);
    return c >= '0' && c <= '9' ? c - '0' : 0;
  };
  return static_cast<std::uint8_t>(digit(offset) * 10 + digit(offset + 1));
}

}  // namespace

int EffectiveRecordView::TariffNumber() const {
  int value = 0;
  std::size_t i = L::kTariffNumber.offset;
  std::size_t end = i + L::kTariffNumber.width;
  while (i < end && bytes_[i] == ' ') ++i;
  for (; i < end && bytes_[i] >= '0' && bytes_[i] <= '9'; ++i) value = value * 10 + (bytes_[i] - '0');
  return value;
}

EffectiveEntry ParseEffectiveEntry(std::span<const std::uint8_t> line, std::int16_t record_index) {
  EffectiveRecordView view(line);
  EffectiveEntry e;
  e.record_index = record_index;
  e.tariff_number = static_cast<std::int16_t>(view.TariffNumber());
  e.date = {TwoDigits(line, 4), TwoDigits(line, 6), TwoDigits(line, 8), TwoDigits(line, 10)};
  std::memcpy(e.name.data(), line.data() + L::kTariffName.offset, L::kTariffName.width);
  e.point_file_mode = view.Letter(L::kPointFileMode);
  e.jurisdiction = view.Letter(L::kJurisdiction);
  e.tariff_kind = view.Letter(L::kTariffKind);
  if (e.name[6] == '2' && e.name[7] == 'A') e.tariff_kind = 'S';
  e.point_type = view.Letter(L::kPointType);
  return e;
}

Result<std::vector<EffectiveEntry>> ParseEffectiveFile(std::span<const std::uint8_t> file) {
  if (file.size() < L::kMinBlock) return Result<std::vector<EffectiveEntry>>::Error(kErrEfcred);
  std::vector<EffectiveEntry> entries;
  for (std::size_t offset = 0;
       offset + L::kMinBlock <= file.size() && entries.size() < kMaxEffectiveEntries;
       offset += L::kSize) {
    std::array<std::uint8_t, L::kSize> line{};
    std::size_t n = std::min(L::kSize, file.size() - offset);
    std::memcpy(line.data(), file.data() + offset, n);
    // Lines are fixed-length; a line of another length would shift every field after it.
    if (n == L::kSize && line[L::kLineEnd.offset + 1] != '\n') {
      return Result<std::vector<EffectiveEntry>>::Error(kErrEfcred);
    }
    DetermineRatingVersion(line, BuiltInRatingVersionTable());
    entries.push_back(ParseEffectiveEntry(line, static_cast<std::int16_t>(entries.size())));
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const EffectiveEntry& a, const EffectiveEntry& b) {
                     if (a.tariff_number != b.tariff_number) {
                       return a.tariff_number < b.tariff_number;
                     }
                     if (a.date.Key() != b.date.Key()) return a.date.Key() < b.date.Key();
                     return a.name < b.name;
                   });
  return entries;
}

}  // namespace tolv
