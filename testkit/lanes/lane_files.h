// Writers of the lane-adjustment files: the lane file ".L" in its text form and its record
// forms, and the ".A" adjustment records.
#ifndef TESTKIT_LANES_LANE_FILES_H_
#define TESTKIT_LANES_LANE_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

using Bytes = std::vector<std::uint8_t>;

struct TextLaneAreaRow {
  std::string low;   // 5 characters
  std::string high;  // 5 characters
  std::vector<std::string> codes;  // 3 characters each
};
struct TextLaneHitRow {
  std::string origin;       // 3
  std::string destination;  // 3
  std::string number;       // 4, as stored ("0123", " 12 ")
  char kind = ' ';
  char sub_kind = ' ';
};
struct TextLaneFileRows {
  std::vector<std::string> option_lines;  // each beginning with "*"
  std::vector<TextLaneAreaRow> areas;
  std::vector<TextLaneHitRow> hits;
  bool trailer_position = true;  // "999" and the hit section's position, else "END"
};
// Lines end in CR LF.
std::string TextLaneFile(const TextLaneFileRows& rows);

struct LaneByPointRow {
  std::int16_t origin = 0;
  std::int16_t destination_low = 0;
  std::int16_t destination_high = 0;
  std::int16_t number = 0;
};
Bytes LaneByPointFile(const std::vector<LaneByPointRow>& rows);

// 347-byte record: code, the minimum-charge value, then cell values from cell 0.
Bytes AdjByCodeRecord(const std::string& code, std::int16_t minimum,
                      const std::vector<std::int16_t>& cells);

// 32-byte record; modes are characters ('0' none, '1' factor, '2' amount), one per break.
Bytes AdjByNumber32Record(std::int16_t number, char minimum_mode, const std::string& break_modes,
                          std::int16_t minimum, const std::vector<std::int16_t>& break_values);

// 350-byte record: operators, the two minimum-charge values, then cell values.
Bytes AdjRecord350(std::int16_t number, char minimum_operator, char rate_operator,
                   std::int16_t minimum_other, std::int16_t minimum_ordinary,
                   const std::vector<std::int16_t>& cells);

// Records one after another.
Bytes Concat(const std::vector<Bytes>& records);

}  // namespace testkit

#endif  // TESTKIT_LANES_LANE_FILES_H_
