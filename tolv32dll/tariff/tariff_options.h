// The tariff option table and the values its option lines set. The factor file carries
// option lines ("* NAME = VALUE") among its data; each known name stores its value by the
// row's type and then acts by the row's position, which is fixed.
#ifndef TOLV32DLL_TARIFF_TARIFF_OPTIONS_H_
#define TOLV32DLL_TARIFF_TARIFF_OPTIONS_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "tolv32dll/errors/error_numbers.h"

namespace tolv {

// One row: name (14 characters, NUL-padded), type letter, 4-byte value read by the type:
// 'B' int32 1/0 ("YES"), 'C' the first 4 characters, 'F' float, 'I' int16, 'L' int32.
struct TariffOption {
  std::array<char, 14> name = {};
  char type = ' ';
  std::array<std::uint8_t, 4> value = {};

  std::string_view Name() const;
  float AsFloat() const;
  std::int32_t AsInt() const;       // 'B', 'I' (sign-extended) and 'L'
  std::string_view AsText() const;  // 'C': up to 4 characters
  bool operator==(const TariffOption&) const = default;
};

// Row positions; the position decides what a row's line does.
enum TariffOptionRow : int {
  kOptMcAddon = 0,      // MC_ADDON      F
  kOptSsMcAddon = 1,    // SS_MC_ADDON   F
  kOptPinMc = 2,        // PIN_MC        B
  kOptLaPct = 3,        // LA_PCT        C
  kOptOneLa = 4,        // ONE_LA        B
  kOptBrks = 5,         // BRKS          C
  kOptBrk2 = 6,         // BRK2          C
  kOptHcity = 7,        // HCITY         L
  kOptNcity = 8,        // NCITY         C
  kOptRadjf = 9,        // RADJF         F (1.0)
  kOptNoRbnAddon = 10,  // NO_RBN_ADDON  B
  kOptionRows = 11
};

// 11 rows with their defaults and an end row with an empty name.
using TariffOptions = std::array<TariffOption, kOptionRows + 1>;
TariffOptions DefaultTariffOptions();

inline constexpr int kMaxBreakCodes = 9;
inline constexpr int kMaxHcityEntries = 80;

// A break code and its mark: '*' 1, '+' 0, 'X' -1.
struct BreakCode {
  std::array<char, 3> code = {};  // NUL-padded when the token is shorter
  char unused = '\0';             // no padding: lists compare as bytes
  std::int32_t mark = 0;
  bool operator==(const BreakCode&) const = default;
};
struct BreakCodeList {
  std::int16_t count = 0;
  std::array<BreakCode, kMaxBreakCodes> entries = {};
  bool operator==(const BreakCodeList&) const = default;
};

struct HcityEntry {
  std::int32_t value = 0;
  std::int32_t second = 0;                 // the line's third token, 0 when absent
  std::array<std::uint8_t, 5> extra = {};  // filled by the rate-basis readers
  std::array<std::uint8_t, 3> unused = {};  // no padding: entries compare as bytes
  bool operator==(const HcityEntry&) const = default;
};
struct HcityList {
  std::int16_t count = 0;
  std::array<HcityEntry, kMaxHcityEntries> entries = {};
  // Lists are equal by their first `count` entries: entries past it are left over from an
  // earlier block, never read, and reset before a line fills them again.
  bool operator==(const HcityList&) const;
};

// What the option lines set, where the rating steps read it.
struct FactorOptions {
  TariffOptions table = DefaultTariffOptions();
  float mc_addon = 0.0f;
  float ss_mc_addon = 0.0f;
  bool pin_mc = false;
  char la_pct = '\0';
  bool one_la = false;
  BreakCodeList brks;
  BreakCodeList brk2;
  HcityList hcity;
  // The 2-character city-set code of the rate-basis step; an NCITY section with another
  // code turns HCITY lines off.
  std::array<char, 2> city_set_code = {' ', ' '};
  bool ncity_on = true;
  std::array<char, 2> matched_ncity = {};
  float radjf = 1.0f;
  bool no_rbn_addon = false;

  // The reset at the start of a block of the factor file.
  void StartBlock();
  // Empties the break-code lists and the lane-adjustment letter before a rating load.
  void ClearLists();

  // Member by member, as a defaulted comparison would (the rows and lists as bytes).
  bool operator==(const FactorOptions&) const;
};

// Parses one option line (its leading '*' included); 0, or 224 when an HCITY line finds
// the list full. Unknown names and lines without a value are ignored.
ErrorNumber Parm_ParseOptionLine(std::string_view line, FactorOptions& options);

}  // namespace tolv

#endif  // TOLV32DLL_TARIFF_TARIFF_OPTIONS_H_
