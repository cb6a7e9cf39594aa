// Writers for the tariff side tables: ".D" direct and indirect service, ".X" precedence
// and exceptions, and the ".Q"/".J" E base and E matrix.
#ifndef TESTKIT_SIDETABLES_SIDE_TABLE_FILES_H_
#define TESTKIT_SIDETABLES_SIDE_TABLE_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "testkit/td/td_writers.h"

namespace testkit {

struct ServiceRange {
  std::string low_zip;
  std::string high_zip;
  char letter = 'D';
};
// A first record carrying the default letter (its range packs "00000"), then the ranges.
Bytes DirectIndirectFile(char default_letter, const std::vector<ServiceRange>& ranges);

struct PrecedenceRow {
  std::string origin_zip;
  std::string destination_zip;
  char kind = '0';
  std::int16_t low = 0;
  std::int16_t high = 0;
};
// One "T1" header (26 bytes; record length given, at least 13) and its table, whose
// records start at the first multiple of the record length after the header.
Bytes PrecedenceFile(const std::vector<PrecedenceRow>& rows, std::uint8_t record_length = 13,
                     const std::string& name = "T1");

struct EBaseRow {
  std::string low_zip;   // 5 digits
  std::string high_zip;  // same first three digits
  std::string area;      // 3 characters
};
// Head ("A " + first record 1, "  " + end record), then the 12-byte records in order.
Bytes EBaseFile(const std::vector<EBaseRow>& rows);

struct EMatrixRow {
  std::string origin_area;
  std::string destination_area;
  std::int32_t number = 0;  // 5 digits
};
// Head (section "A " from record 1, end of section), then the records in order.
Bytes EMatrixFile(const std::vector<EMatrixRow>& rows, const std::string& section = "A ");

}  // namespace testkit

#endif  // TESTKIT_SIDETABLES_SIDE_TABLE_FILES_H_
