// Writers for the minimum-charge records of ".M" (a 22-byte head, then records of a 10-byte
// key and 24-bit values) and the 660-byte E records of lane-adjustment kind "G".
#ifndef TESTKIT_CHARGES_CHARGE_FILES_H_
#define TESTKIT_CHARGES_CHARGE_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

using Bytes = std::vector<std::uint8_t>;

// One ".M" record: the 10-byte key (blank-padded), then the values as 24-bit little-endian.
struct MinRow {
  std::string key;
  std::vector<std::uint32_t> values;
};

// The head carries the value count of every record and, for method 6, the group count and
// the base letter (in its key, e.g. "         A"). Records are written at 10 + 3 x count
// bytes each (so value counts of 4 or more keep the head apart from record 1), values
// beyond a row's list zero.
Bytes MinRecordFile(const std::string& head_key, std::uint32_t value_count,
                    std::uint32_t group_count, const std::vector<MinRow>& rows);

// One E record: operator digits for the minimum charges and the rates, the key character,
// the minimum-charge operand and the rate operands (the rest zero).
Bytes ERecord(char minimum_operator, char rate_operator, char key, std::int32_t minimum_operand,
              const std::vector<std::int32_t>& rate_operands);

}  // namespace testkit

#endif  // TESTKIT_CHARGES_CHARGE_FILES_H_
