// Writers of the lane-adjustment files: the lane file ".L" in its text form and its record
// forms, the ".A" adjustment records and the bases of kind G.
#ifndef TESTKIT_LANES_LANE_FILES_H_
#define TESTKIT_LANES_LANE_FILES_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

using Bytes = std::vector<std::uint8_t>;

struct TextLaneAreaRow {
  std::string low;                 // 5 characters
  std::string high;                // 5 characters
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

// The record-form ".L" of kind C: the head, the area records (sorted as given), zero bytes
// up to a multiple of 23, then the range records.
struct LaneAreaRow {
  std::string zip;  // packed as the engine packs ZIPs
  std::uint8_t area_index = 1;
  std::string area;  // 3 characters
};
struct LaneRangeRow {
  std::string low;   // 10 characters
  std::string high;  // 10 characters
  std::string code;  // 3 characters; empty: no range code (byte 20 is 0)
};
Bytes LaneAreaFile(const std::vector<LaneAreaRow>& areas, const std::vector<LaneRangeRow>& ranges);

// 33-byte record: the packed pair, the minimum-charge mode, the break modes (padded with
// '0'), the minimum-charge value and the break values.
Bytes AdjByPairRecord(const std::array<std::uint8_t, 3>& pair, char minimum_mode,
                      const std::string& break_modes, std::int16_t minimum,
                      const std::vector<std::int16_t>& break_values);

// A point-section record of ".A" ("999" origins, "***" destinations): 10-character ranges.
Bytes PointSectionRecord(const std::string& code, const std::vector<std::string>& ranges);

// The record-form ".L" of kind U. Lane records, then check records, follow the option
// records; a lane row with `next` > 0 is a continuation record instead.
struct ZipLaneRow {
  bool both_ways = false;
  std::string origin_low, origin_high, destination_low, destination_high;  // 5 each
  std::uint8_t slot = 0;
  std::string data;       // the hit data, as many bytes as the sub-kind's width
  std::int32_t next = 0;  // a record of kind '2' continuing at this position
  bool end = false;       // a record of another kind ends the section
};
struct ZipLaneFileRows {
  std::vector<std::string> option_lines;  // at most 2, each "* ..."
  bool postal_codes = true;               // head byte 2 'B'
  char check = ' ';                       // 'Y': the secondary check
  char check_char = ' ';                  // 'I' inverts it
  std::uint8_t sub_kind = 0;
  bool sort = false;
  std::uint8_t record_length = 32;
  std::vector<ZipLaneRow> lanes;
  std::vector<std::string> check_keys;  // whole keys of check records
};
// The byte position of lane row i in the file ZipLaneFile writes.
std::int32_t ZipLanePosition(const ZipLaneFileRows& rows, std::size_t i);
Bytes ZipLaneFile(const ZipLaneFileRows& rows);

// ".U" / ".V" of kind G: 36-byte records of a ZIP range and its area code.
struct LaneBaseRow {
  std::string low, high;  // 5 each
  std::string area;       // 5
};
Bytes LaneBaseFile(const std::vector<LaneBaseRow>& rows);

// The record-form ".L" of kind G: head, numbered blocks, keyed blocks, pair records and
// check records, each table aligned so it can be searched record by record.
struct GlobalLaneFileRows {
  bool by_areas = true;
  char check = 'N';  // anything but 'N' switches the check on
  char invert = ' ';
  bool sort = false;
  std::size_t block_codes = 4;                            // codes per block
  std::vector<std::vector<std::string>> numbered_blocks;  // block i, codes of 5 characters
  struct Keyed {
    std::string key;  // up to 11 characters
    std::vector<std::string> codes;
  };
  std::vector<Keyed> keyed_blocks;  // sorted by key
  struct Pair {
    std::string origin, destination;  // 5 each
    std::int32_t number = 0;
  };
  std::vector<Pair> pairs;  // sorted by the two codes
  std::uint8_t check_length = 28;
  std::vector<std::string> check_keys;
};
Bytes GlobalLaneFile(const GlobalLaneFileRows& rows);

// Records one after another.
Bytes Concat(const std::vector<Bytes>& records);

}  // namespace testkit

#endif  // TESTKIT_LANES_LANE_FILES_H_
