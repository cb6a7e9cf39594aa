// Writers of the files the rate sheets read: zipcodes.fil (the postal-code prefix ranges of
// each state) and a tariff's zip block file "<tariff>.b" (the blocks of postal codes the
// tariff serves). Each returns the file's bytes.
#ifndef TESTKIT_RATESHEET_RATE_SHEET_FILES_H_
#define TESTKIT_RATESHEET_RATE_SHEET_FILES_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testkit {

using RateSheetBytes = std::vector<std::uint8_t>;

struct StatePrefixRanges {
  std::string state;  // 2 upper-case letters
  // 1 to 3 ranges of 3-character prefixes, low and high.
  std::vector<std::pair<std::string, std::string>> ranges;
};
// One CR LF line per state in the order given (callers give them sorted by state): the
// state, the range count, then each range as low "-" high, ranges separated by a blank.
RateSheetBytes ZipcodesFile(const std::vector<StatePrefixRanges>& states);

struct ZipBlock {
  std::string low;   // first postal code of the block, 5 characters
  std::string high;  // last postal code of the block, 5 characters
};
// 12-byte records in the order given: low (5), high (5), 2 reserved blanks.
RateSheetBytes ZipBlockFile(const std::vector<ZipBlock>& blocks);

}  // namespace testkit

#endif  // TESTKIT_RATESHEET_RATE_SHEET_FILES_H_
