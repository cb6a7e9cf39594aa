// The text form of the lane file ".L" (lane-adjustment kinds L, T and A). Lines of up to
// 72 characters:
//   - up to two leading option lines beginning with "*" (tariff options: the break lists);
//   - area lines, sorted by ZIP: columns 1-5 the low ZIP, 6-10 the high ZIP, then up to 20
//     area codes of 3 characters;
//   - a line beginning with "*" that opens the hit section, then hit lines sorted by area
//     pair: origin area (3), destination area (3), a 4-character number, a kind character
//     and a sub-kind character;
//   - a last line of 11 characters: "999" and the byte position of the line that opens the
//     hit section, or any other text (the section is then the last line beginning with "*").
#ifndef TOLV32DLL_LANES_TEXT_LANE_FILE_H_
#define TOLV32DLL_LANES_TEXT_LANE_FILE_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

struct TextLaneArea {
  std::string low;                 // 5 characters
  std::string high;                // 5 characters
  std::vector<std::string> codes;  // non-blank codes of 3 characters, at most 20
};

struct TextLaneHit {
  std::string pair;    // origin area and destination area, 6 characters
  std::string number;  // 4 characters
  char kind = ' ';
  char sub_kind = ' ';
};

struct TextLaneFile {
  std::vector<std::string> option_lines;
  std::vector<TextLaneArea> areas;
  std::vector<TextLaneHit> hits;  // in file order
};

// Line ends (CR LF or LF) are not part of a line. Errors: 232 for an empty or oversized
// file, a last line that names no hit section, or a position that is not such a line.
Result<TextLaneFile> ParseTextLaneFile(const FileView& file);
// The same over bytes already read.
Result<TextLaneFile> ParseTextLaneBytes(std::span<const std::uint8_t> bytes);
// Reads the whole file into bytes (reusing their storage); false for an empty or oversized
// file or a short read.
bool ReadTextLaneBytes(const FileView& file, std::vector<std::uint8_t>& bytes);

// The area line holding the 5-character ZIP, or null.
const TextLaneArea* FindTextLaneArea(const TextLaneFile& file, const std::string& zip);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_TEXT_LANE_FILE_H_
