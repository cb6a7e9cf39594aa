// Writers for the ZIP-keyed tariff tables: ".Z" ZIP pairs, ".C" class-factor ranges, ".H"
// RBNO add-ons of point type 'I', the Lite E base ".B" (type directory, records and the
// Lite table at its tail) and the Lite E matrix ".K". ZIPs are written as packed digits
// (5 digits in 3 bytes, a leading zero nibble first). Rows are written in the order given;
// the caller sorts them as the files are sorted.
#ifndef TESTKIT_ZIPTABLES_ZIP_TABLE_WRITERS_H_
#define TESTKIT_ZIPTABLES_ZIP_TABLE_WRITERS_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

using Bytes = std::vector<std::uint8_t>;

// 5 decimal digits packed into 3 bytes, most significant first ("12345" -> 01 23 45).
std::array<std::uint8_t, 3> PackDigits5(const std::string& digits);

struct ZipPairRow {
  char direction = 'F';  // 'F' forward, 'B' both ways (lower range first)
  std::string origin_low, origin_high;            // 5 digits
  std::string destination_low, destination_high;  // 5 digits
  std::string basis_low = "      ", basis_high = "999999";  // 6 characters
  std::uint8_t minimum_method = 0;  // byte 25
  std::uint8_t bracket_count = 0;   // byte 26
  char mode = ' ';                  // byte 27: '*', 'R' or 'M'
  std::array<std::uint32_t, 4> charges{};  // bytes 28-39, 24-bit little-endian
};
Bytes ZipPairFile(const std::vector<ZipPairRow>& rows);

struct ClassRangeRow {
  std::string low, high;         // 5 digits
  std::int16_t break_factor = 0;  // the i16 at byte 9
};
Bytes ClassRangeFile(const std::vector<ClassRangeRow>& rows);

struct RbnoRow {
  char letter = ' ';
  std::string origin_low, origin_high;  // the high end shares the low end's first 3 digits
  std::string destination_low, destination_high;
  char sign = '+';
  std::string amount = "00000";  // 5 digits
};
Bytes RbnoFile(const std::vector<RbnoRow>& rows);

// One Lite E base record. Packed form: point is 5 digits packed into 3 bytes; text form
// (point type 'M'): 5 characters.
struct LiteBaseRow {
  std::string type;         // 2 characters
  std::string zip_low, zip_high;  // 5 digits, one 3-digit prefix
  std::string point;        // 5 digits
  std::string amount = "00000";
};
// One Lite E matrix record: the lower point first.
struct LiteMatrixRow {
  std::string type;
  std::string first_point, second_point;  // 5 digits each
  std::string number;                     // 5 digits
  char letter = ' ';
};
// The Lite table at the tail of ".B": rows of letter, threshold (5), table number (3) and
// flag, written between the start row and the end row (both letter 'X', table "000").
struct LiteTableLine {
  char letter = ' ';
  std::string threshold;  // up to 5 characters
  std::string table;      // 3 digits
  char flag = 'N';
};

// The directory (an entry per type in the order the types first appear, then an end entry
// of type "  " at the end of the records), the records and, when given, the Lite table.
Bytes LiteBaseFile(const std::vector<LiteBaseRow>& rows, const std::vector<LiteTableLine>& table,
                   bool text_form = false);
Bytes LiteMatrixFile(const std::vector<LiteMatrixRow>& rows, bool text_form = false);

}  // namespace testkit

#endif  // TESTKIT_ZIPTABLES_ZIP_TABLE_WRITERS_H_
