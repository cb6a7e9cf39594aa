// Readers of the three TD text files: TDV.SEQ (versions of the TD data), TDS.SEQ (the
// select table) and TDA.SEQ (areas and their state or province codes).
#ifndef KMLIB_TD_TEXT_FILES_H_
#define KMLIB_TD_TEXT_FILES_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "KMLIB/td_status.h"
#include "platform/os/file_cache.h"

namespace kmlib {

// One line of TDV.SEQ: "%2hd%2hd%2hd%2hd%2hd", each number kept as one byte.
struct TdVersionRow {
  std::uint8_t version = 0;
  std::uint8_t century = 0;
  std::uint8_t year = 0;
  std::uint8_t month = 0;
  std::uint8_t day = 0;
};

inline constexpr std::size_t kMaxTdvRows = 50;
inline constexpr std::size_t kTdvLineChars = 39;

// REDTDV: every version line of TDV.SEQ in file order, read 39 characters at a time (the
// rest of a longer line reads as the next line). A line counts when its version number
// reads; numbers it lacks are 0, and lines that do not read are skipped. kCannotOpen,
// kEmpty (no line), or kBadData for the 51st line.
TdStatus ReadTdv(const std::string& path, std::vector<TdVersionRow>* rows);
// ReadTdv of image, the file's image as os::ReadFileImage gave it (null: the file itself).
TdStatus ReadTdvImage(const std::string& path, const os::FileImagePtr& image,
                      std::vector<TdVersionRow>* rows);

// One line of TDS.SEQ: "%2hd%3hd%3hd%3hd%3hd%2hd%2hd". Fields a short line lacks are 0.
struct TdSelectRow {
  std::int16_t group = 0;  // 1-based
  std::int16_t origin_value = 0;
  std::int16_t destination_value = 0;
  std::int16_t result = 0;         // the tariff group result
  std::int16_t second_result = 0;  // 0 = none
  std::int16_t first_version = 0;  // both versions included
  std::int16_t last_version = 0;
};

inline constexpr std::size_t kMaxTdsRows = 300;
inline constexpr std::size_t kTdsLineChars = 79;
inline constexpr int kMaxGroups = 50;

struct TdSelectTable {
  std::vector<TdSelectRow> rows;
  int group_count = 0;  // the largest group number read
};

// The first 300 counting lines of TDS.SEQ, read 79 characters at a time as TDV.SEQ is (a
// line counts when its group number reads; the rest of the file is ignored). kBadData
// for a group number outside 1 to 50.
TdStatus ReadTds(const std::string& path, TdSelectTable* table);

// One entry of TDA.SEQ: a 2-digit area number and a 2-character state or province code.
struct TdAreaEntry {
  std::int16_t area = 0;
  std::array<char, 2> state{' ', ' '};
};

inline constexpr std::size_t kTdaLineBytes = 6;

// The most TDA.SEQ can sensibly hold: far more lines than two-digit areas need.
inline constexpr std::size_t kMaxTdaBytes = 1u << 20;

// Every 6-byte line of TDA.SEQ ("NNSS\r\n"), in file order; the file is sorted by area.
// kBadData when the size is not a whole number of lines, a line does not parse, or the file
// is larger than kMaxTdaBytes (then it is not read).
TdStatus ReadTda(const std::string& path, std::vector<TdAreaEntry>* entries);

}  // namespace kmlib

#endif  // KMLIB_TD_TEXT_FILES_H_
