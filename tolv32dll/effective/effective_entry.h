// EffectiveEntry: what the engine keeps in memory of one EFCREC.TBL line, and the table of
// them, sorted by tariff number, date and name.
#ifndef TOLV32DLL_EFFECTIVE_EFFECTIVE_ENTRY_H_
#define TOLV32DLL_EFFECTIVE_EFFECTIVE_ENTRY_H_

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tolv32dll/errors/result.h"

namespace tolv {

// A date as the TD and effective files hold it: century, year in century, month, day.
struct TariffDate {
  std::uint8_t century = 0;
  std::uint8_t year = 0;
  std::uint8_t month = 0;
  std::uint8_t day = 0;

  // ccyymmdd as one number, for comparisons.
  int Key() const { return ((century * 100 + year) * 100 + month) * 100 + day; }
  bool IsZero() const { return Key() == 0; }
  friend bool operator==(const TariffDate&, const TariffDate&) = default;
};

inline constexpr std::size_t kMaxEffectiveEntries = 1000;

struct EffectiveEntry {
  std::int16_t record_index = 0;  // the line's position in the file, 0-based
  std::int16_t tariff_number = 0;
  TariffDate date;
  std::array<char, 8> name{};
  char point_file_mode = ' ';  // offset 45
  char jurisdiction = ' ';     // offset 47
  char tariff_kind = ' ';      // offset 48, 'S' when the name ends in "2A"
  char point_type = ' ';       // offset 14

  std::string_view Name() const { return std::string_view(name.data(), name.size()); }
  // Same tariff number, date and name: the key by which a selection is recognised.
  bool SameTariff(const EffectiveEntry& other) const {
    return tariff_number == other.tariff_number && date == other.date && name == other.name;
  }
};

// The entry of one line (after its rating version has been determined).
// REQUIRES: line holds at least effective_record::kMinBlock bytes.
EffectiveEntry ParseEffectiveEntry(std::span<const std::uint8_t> line, std::int16_t record_index);

// The entries of a whole EFCREC.TBL image: the first 1000 lines, each run through the
// rating version routine, then sorted (stable) by number, date and name. 209 when the
// file does not begin with a full line, or a line does not end where lines end.
Result<std::vector<EffectiveEntry>> ParseEffectiveFile(std::span<const std::uint8_t> file);

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_EFFECTIVE_ENTRY_H_
