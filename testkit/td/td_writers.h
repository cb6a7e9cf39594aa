// Writers of the tariff-determination files (TDV.SEQ, TDS.SEQ, TDA.SEQ, TDZ.BIN, TDT.BIN,
// TDX.TBL, TDN.IDX and TDN.IDA), laid out field by field as the file formats define
// them. Each returns the file's bytes; tests and the sample builder write them out.
#ifndef TESTKIT_TD_TD_WRITERS_H_
#define TESTKIT_TD_TD_WRITERS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testkit {

using Bytes = std::vector<std::uint8_t>;

// Packs a 5-digit ZIP (nibbles, first byte below 10) or the first 3 characters of a
// postal code into 3 bytes.
Bytes PackZip(std::string_view code);

struct TdvLine {
  int version, century, year, month, day;
};
// Lines of five 2-digit numbers, CR LF.
std::string TdvFile(const std::vector<TdvLine>& lines);

struct TdsLine {
  int group, origin_value, destination_value, result, second_result, first_version,
      last_version;
};
// Lines "%02d%03d%03d%03d%03d%02d%02d", CR LF.
std::string TdsFile(const std::vector<TdsLine>& lines);

struct TdaLine {
  int area;
  std::string state;  // 2 characters
};
// 6-byte lines: 2-digit area, 2-character code, CR LF.
std::string TdaFile(const std::vector<TdaLine>& lines);

struct TdzRange {
  std::string low, high;  // ZIP or postal codes
  int first_version, end_version;
  int area, sub_area, order;
};
Bytes TdzFile(const std::vector<TdzRange>& ranges);

struct TdtValues {
  int area, sub_area;
  std::vector<int> values;  // one per group
};
Bytes TdtFile(const std::vector<TdtValues>& records);

struct TdxException {
  int first_version, end_version;
  int group_result, origin_key, link, destination_key;
  int origin_order_key, destination_order_key;
  char origin_mark, destination_mark;  // ' ' or '='
  int other_group_result;
};
Bytes TdxFile(const std::vector<TdxException>& records);

struct TdnName {
  std::string zip;
  int name_code;
  int first_version, end_version;
  std::string name;  // at most 19 characters
};
// The index (sorted as given) and the name file; each name is stored as a length byte and
// the name padded to 19 characters.
struct TdnFiles {
  Bytes index;
  Bytes names;
};
TdnFiles TdnFilesFor(const std::vector<TdnName>& names);

}  // namespace testkit

#endif  // TESTKIT_TD_TD_WRITERS_H_
