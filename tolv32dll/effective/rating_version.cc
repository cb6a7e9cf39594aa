#include "tolv32dll/effective/rating_version.h"

#include <cstdio>
#include <cstring>

#include "platform/os/ascii_text.h"
#include "tolv32dll/effective/effective_record.h"

namespace tolv {

namespace {

namespace L = effective_record;

bool InRange(char c, char low, char high) { return c >= low && c <= high; }

std::string_view TextOf(std::span<const std::uint8_t> line, os::Field f) {
  return std::string_view(reinterpret_cast<const char*>(line.data() + f.offset), f.width);
}

bool RowMatches(const RatingVersionRow& row, std::span<const std::uint8_t> line) {
  char letter = static_cast<char>(line[L::kRecordLetter.offset]);
  os::Field file_no = letter == 'A' ? L::kLaneAdjFileNo : L::kDefaultFileNo;
  return TextOf(line, L::kTariffName) == row.name && TextOf(line, os::TextField(4, 4)) == row.year &&
         TextOf(line, os::TextField(8, 2)) == row.month && TextOf(line, os::TextField(10, 2)) == row.day &&
         TextOf(line, file_no) == row.file_no &&
         static_cast<char>(line[L::kVersionFlag.offset]) == row.flag;
}

// The version the letters of an 'A' line call for.
const char* VersionByRules(std::span<const std::uint8_t> line) {
  char kind = static_cast<char>(line[L::kTariffKind.offset]);
  char mode = static_cast<char>(line[L::kPointFileMode.offset]);
  char point_type = static_cast<char>(line[L::kPointType.offset]);
  char c17 = static_cast<char>(line[17]);
  char c70 = static_cast<char>(line[L::kCompanionPointType.offset]);
  bool own_carrier = TextOf(line, os::TextField(L::kTariffName.offset, 3)) == "KVA";
  if (kind == 'P') return "4.8";
  if (mode == 'S') return "4.7";
  if (c17 == 'G' && point_type == 'Y' && !own_carrier) return "4.5";
  if (point_type == 'Y' && !own_carrier) return "4.4";
  bool kind_ok = kind == 'N' || kind == 'S' || kind == 'X' || kind == 'Y';
  bool type_ok = InRange(point_type, '0', '7') || InRange(point_type, 'A', 'M') || point_type == 'Y';
  bool c70_ok = InRange(c70, '0', '7') || InRange(c70, 'A', 'M') || c70 == ' ' || c70 == '.' ||
                c70 == 'Y';
  if (kind_ok && type_ok && c70_ok) return "4.0";
  return "0.0";
}

void WriteVersionAndTidy(std::span<std::uint8_t> line, std::string_view version) {
  char kind16 = static_cast<char>(line[L::kLaneAdjKind.offset]);
  bool known_kind = std::strchr("ACGLTUY", kind16) != nullptr && kind16 != '\0';
  if (!known_kind || !os::IsAsciiDigit(static_cast<char>(line[17])) ||
      !os::IsAsciiDigit(static_cast<char>(line[18]))) {
    line[16] = ' ';
    line[17] = '0';
    line[18] = '0';
  }
  if (line[73] != 'N' && line[73] != '0') line[73] = 'N';
  if (!(InRange(static_cast<char>(line[69]), 'A', 'Z') || line[69] == ' ')) line[69] = ' ';
  if (line[70] == '.') line[70] = ' ';
  char text[6];
  std::snprintf(text, sizeof text, "%-5.5s", std::string(version).c_str());
  std::memcpy(line.data() + L::kVersion.offset, text, L::kVersion.width);
  std::memset(line.data() + L::kFurther.offset, ' ', L::kFurther.width);
  line[L::kRecordLetter.offset] = 'B';
  line[74] = '\r';
  line[75] = '\n';
}

}  // namespace

const std::vector<RatingVersionRow>& BuiltInRatingVersionTable() {
  static const std::vector<RatingVersionRow> table;
  return table;
}

void DetermineRatingVersion(std::span<std::uint8_t> line,
                            const std::vector<RatingVersionRow>& table) {
  if (line[L::kVersionFlag.offset] == '0') line[L::kVersionFlag.offset] = ' ';
  for (const RatingVersionRow& row : table) {
    if (RowMatches(row, line)) {
      WriteVersionAndTidy(line, row.version);
      return;
    }
  }
  if (line[L::kRecordLetter.offset] != 'A') return;
  WriteVersionAndTidy(line, VersionByRules(line));
}

std::optional<int> RatingVersionNumber(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  std::size_t point = text.find('.');
  if (point == std::string_view::npos || point == 0 || point + 1 == text.size()) {
    return std::nullopt;
  }
  int x = 0;
  int y = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == point) continue;
    if (!os::IsAsciiDigit(text[i])) return std::nullopt;
    int& part = i < point ? x : y;
    part = part * 10 + (text[i] - '0');
  }
  return x * 100 + y;
}

int LibraryRatingVersion() { return TOLV_VERSION_MAJOR * 100 + TOLV_VERSION_MINOR; }

}  // namespace tolv
