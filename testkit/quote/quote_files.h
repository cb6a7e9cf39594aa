// Writers of the data files the quote's look-ups read: the floor files and FloorAdd.dat,
// accchg.dat and AccAdjustment.dat. Each returns the file's bytes.
#ifndef TESTKIT_QUOTE_QUOTE_FILES_H_
#define TESTKIT_QUOTE_QUOTE_FILES_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace testkit {

// FloorsUO.dat / FloorsUD.dat: 10-byte records, low code (5), high code (5).
std::string FloorRangesFile(const std::vector<std::pair<std::string, std::string>>& ranges);
// FloorsUF.dat: one i32 of cents per record.
std::string FloorAmountsFile(const std::vector<std::int32_t>& cents);
// FloorsM.dat for `rows` x `columns` cells, every cell blank but the given
// ((row, column), index) ones (1-based).
std::string FloorMatrixFile(int rows, int columns,
                            const std::vector<std::pair<std::pair<int, int>, std::uint8_t>>& cells);
// One FloorAdd.dat line (no line end): the four codes in 5 columns each, cents in 6 digits.
std::string FloorAddLine(const std::string& origin_low, const std::string& origin_high,
                         const std::string& destination_low,
                         const std::string& destination_high, int cents);

struct AccessorialCharge {
  AccessorialCharge(std::string d = "", int k = 3, double r = 0, double min = 0, double max = 0,
                    std::string u = "")
      : description(std::move(d)), kind(k), rate(r), minimum(min), maximum(max), unit(std::move(u)) {}
  std::string description;
  int kind = 3;
  double rate = 0;
  double minimum = 0;
  double maximum = 0;
  std::string unit;
};
// accchg.dat: 116-byte records.
std::string AccessorialChargesFile(const std::vector<AccessorialCharge>& charges);

struct ZipAdjustment {
  std::string low;
  std::string high;
  std::int32_t from_weight = 0;
  std::int32_t to_weight = 0;
  double amount = 0;
  std::string rules_item;
};
// AccAdjustment.dat: 38-byte records.
std::string ZipAdjustmentsFile(const std::vector<ZipAdjustment>& adjustments);

}  // namespace testkit

#endif  // TESTKIT_QUOTE_QUOTE_FILES_H_
