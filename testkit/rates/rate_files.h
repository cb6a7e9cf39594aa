// Writers for the rate-basis files of a tariff: ".R" rate records, the ".I"/".J" rate
// index in its three entry forms, and the ".M" minimum-charge block.
#ifndef TESTKIT_RATES_RATE_FILES_H_
#define TESTKIT_RATES_RATE_FILES_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

using Bytes = std::vector<std::uint8_t>;

// One rate record: factor-set number (written "%03d"), the 7-character rate basis number
// text of bytes 3-9, then the 24-bit values V(0), V(1), ..., zero-filled to the length.
struct RateRow {
  int factor_set = 1;
  std::string number;  // bytes 3-9, e.g. "  1234 " (area "1234" in bytes 5-8)
  std::vector<std::uint32_t> values;
};
Bytes RateRecord(const RateRow& row, std::size_t record_length);
Bytes RateFile(const std::vector<RateRow>& rows, std::size_t record_length);

// Rate index entries by rate basis number; nullopt = no entry (all ones).
using IndexEntries = std::vector<std::optional<std::uint32_t>>;
// 2-byte little-endian entries (index bits 0).
Bytes RateIndex16(const IndexEntries& entries);
// 3-byte little-endian entries (index format 'P').
Bytes RateIndex24(const IndexEntries& entries);
// n-bit fields packed most significant bit first, padded with 4 zero bytes at the end so
// that every field can be read as a 32-bit word.
Bytes RateIndexBits(const IndexEntries& entries, int bits);

// The 384-byte minimum-charge block.
Bytes MinBlock(const std::vector<std::uint32_t>& values);

}  // namespace testkit

#endif  // TESTKIT_RATES_RATE_FILES_H_
