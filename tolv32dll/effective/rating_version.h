// The rating version of an EFCREC.TBL line: the version of the rating rules its tariff
// needs. Known tariffs get theirs from a table; other lines with record letter 'A' get one
// from rules on their letters, and are tidied into a 'B' line.
#ifndef TOLV32DLL_EFFECTIVE_RATING_VERSION_H_
#define TOLV32DLL_EFFECTIVE_RATING_VERSION_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolv {

// One row of the table of known tariffs.
struct RatingVersionRow {
  std::string name;     // 8 characters
  std::string year;     // 4 digits
  std::string month;    // 2 digits
  std::string day;      // 2 digits
  std::string file_no;  // 2 characters
  char flag;            // the line's character 69
  std::string version;  // up to 5 characters
};

// The built-in table. It is empty: every line is decided by its letters.
const std::vector<RatingVersionRow>& BuiltInRatingVersionTable();

// Determines the version of one line in place, with the given table.
// REQUIRES: line holds at least 76 bytes.
void DetermineRatingVersion(std::span<std::uint8_t> line,
                            const std::vector<RatingVersionRow>& table);

// A version text "x.y" (digits, a point, digits; trailing blanks allowed) as x * 100 + y,
// so that "4.8" (408) sorts below "4.18" (418). nullopt for any other text.
std::optional<int> RatingVersionNumber(std::string_view text);

// The library's own rating version, major * 100 + minor.
int LibraryRatingVersion();

}  // namespace tolv

#endif  // TOLV32DLL_EFFECTIVE_RATING_VERSION_H_
