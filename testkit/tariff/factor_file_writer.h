// Writers of a tariff's factor file (".F", text) and weight-type file (".T", 30-byte
// records), and the tariff file-name rule, for tests and the sample data set.
#ifndef TESTKIT_TARIFF_FACTOR_FILE_WRITER_H_
#define TESTKIT_TARIFF_FACTOR_FILE_WRITER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testkit {

// name + suffix + file number: "ABCD0001" ".F" "01" -> "ABCD0001.F01".
std::string TariffFileName(std::string_view name, std::string_view suffix,
                           std::string_view file_no);

// "* NAME = VALUE" with CR LF.
std::string FactorOptionLine(std::string_view name, std::string_view value);
// A value with 4 implied decimals as decimal text: 125000 -> "12.5", 70000 -> "7".
std::string Fixed4Text(std::int32_t value);

// One block of the block layout. Lines are written in file order: the leading lines (any
// option or comment lines), the class line, the lines after it, the weight breaks, the
// block number, one rate line per class, then the second-table lines (types 'D', 'H').
struct FactorBlock {
  std::vector<std::string> leading_lines;
  std::vector<std::string> class_codes;
  std::vector<std::string> after_class_lines;
  std::vector<std::int32_t> weight_breaks;
  int number = 0;
  std::vector<std::vector<std::int32_t>> rates;         // [class][break], fixed 4
  std::vector<std::vector<std::int32_t>> second_lines;  // values of each line, fixed 4
};
std::string BlockLayoutFactorFile(const std::vector<FactorBlock>& blocks);

// The count layout: one value a line. Breaks are given ascending and written from the
// highest down, as the layout lists them.
struct CountLayoutFactors {
  std::vector<std::string> leading_lines;
  std::vector<int> block_numbers;
  std::vector<std::string> class_codes;
  std::vector<std::int32_t> weight_breaks;
  std::vector<std::vector<std::int32_t>> rates;   // [block][class], fixed 4
  std::vector<std::vector<std::int32_t>> second;  // [block][break], fixed 4
};
std::string CountLayoutFactorFile(const CountLayoutFactors& factors);

struct WeightTypeSpec {
  char type_digit = '1';
  std::int16_t break_index = 0;
  std::string lite_code;  // 4 bytes, NUL-padded
  std::string code;       // 3 bytes, NUL-padded
  std::int32_t amount1 = 0;
  std::string code1;
  std::int32_t amount2 = 0;
  std::string code2;
  std::int32_t amount3 = 0;
};
// A record of the given code with only its break index and first amount set.
WeightTypeSpec WeightType(std::string code, std::int16_t break_index, std::int32_t amount1,
                          std::string lite_code = "", char type_digit = '1');
std::vector<std::uint8_t> WeightTypeFile(const std::vector<WeightTypeSpec>& records);

}  // namespace testkit

#endif  // TESTKIT_TARIFF_FACTOR_FILE_WRITER_H_
