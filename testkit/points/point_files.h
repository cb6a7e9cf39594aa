// Writers for the point files of a tariff: ".P"/".Q"/".Y" (full and compact records),
// ".E" EXP points (ZIP and postal forms) and the sequential city records that follow the
// area lines of ".H". Each returns the whole file's bytes.
#ifndef TESTKIT_POINTS_POINT_FILES_H_
#define TESTKIT_POINTS_POINT_FILES_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "testkit/td/td_writers.h"

namespace testkit {

// One range of a full point file: ZIPs as 5 characters.
struct PointRow {
  std::string low_zip;
  std::string high_zip;
  std::int16_t index = 0;
  std::int16_t addon_factor = 0;
  std::int16_t second_addon_factor = 0;  // written only in 16-byte records
};
// 14-byte records (16 with the second add-on factor), in the order given; with
// destination_count, the 4-byte trailing count of an 'S' destination file.
Bytes PointFile(const std::vector<PointRow>& rows, bool second_factor = false,
                std::optional<std::int32_t> destination_count = std::nullopt);

// One range of a compact point file: low ZIP as a number, range width 0-127, index
// 0-1023, add-on factor 0-63.
struct CompactPointRow {
  std::uint32_t low_zip = 0;
  std::uint32_t width = 0;
  std::uint16_t index = 0;
  std::uint16_t addon_factor = 0;
};
Bytes CompactPointFile(const std::vector<CompactPointRow>& rows);

// One EXP record: code and substitute as ZIPs (5 digits) or postal codes.
struct ExpRow {
  std::string code;
  std::string substitute;
  std::string city;  // "**" matches every city
};
// 25-byte records with packed codes.
Bytes ExpZipFile(const std::vector<ExpRow>& rows);
// 31-byte records with 6-character codes.
Bytes ExpPostalFile(const std::vector<ExpRow>& rows);

// One area line of ".H": factor set, lowest and highest area, limit.
struct AreaLine {
  int factor_set = 0;
  int lowest_area = 0;
  int highest_area = 0;
  int limit = 0;
};
// One sequential city record.
struct AreaCityRow {
  std::string zip;
  std::uint16_t area = 0;
  char side = 'B';
  std::uint8_t value = 0;
  std::string city;
};
// The ".H" file: 18-byte area lines, the closing '*' line, then the 28-byte city records.
Bytes AreaCompanionFile(const std::vector<AreaLine>& lines, const std::vector<AreaCityRow>& cities);

// One ".O" increment record (9 bytes).
struct AreaIncrementRow {
  std::string zip;
  std::uint16_t area = 0;
  char side = 'B';
  std::uint8_t increment = 0;
};
Bytes AreaIncrementFile(const std::vector<AreaIncrementRow>& rows);

// Text of exactly n bytes, blank-padded.
void AppendText(Bytes& out, const std::string& text, std::size_t n);
void AppendI16(Bytes& out, std::int16_t v);
void AppendI32(Bytes& out, std::int32_t v);

}  // namespace testkit

#endif  // TESTKIT_POINTS_POINT_FILES_H_
