#include "testkit/tariff/factor_file_writer.h"

#include <algorithm>
#include <cstring>

#include "platform/os/bytes.h"

namespace testkit {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string DataLine(const std::vector<std::string>& values) {
  std::string line;
  for (const std::string& v : values) line += " " + v;
  if (values.empty()) line = " ";
  return line + kLineEnd;
}

template <typename T, typename F>
std::vector<std::string> Texts(const std::vector<T>& values, F format) {
  std::vector<std::string> out;
  for (const T& v : values) out.push_back(format(v));
  return out;
}

std::string IntText(std::int32_t v) { return std::to_string(v); }

void PutText(std::uint8_t* p, std::size_t width, const std::string& text) {
  std::memset(p, 0, width);
  std::memcpy(p, text.data(), std::min(width, text.size()));
}

}  // namespace

std::string TariffFileName(std::string_view name, std::string_view suffix,
                           std::string_view file_no) {
  return std::string(name) + std::string(suffix) + std::string(file_no);
}

std::string FactorOptionLine(std::string_view name, std::string_view value) {
  return "* " + std::string(name) + " = " + std::string(value) + kLineEnd;
}

std::string Fixed4Text(std::int32_t value) {
  std::string text = std::to_string(value / 10000);
  int decimals = value % 10000;
  if (decimals == 0) return text;
  std::string fraction = std::to_string(10000 + decimals).substr(1);
  while (fraction.back() == '0') fraction.pop_back();
  return text + "." + fraction;
}

std::string BlockLayoutFactorFile(const std::vector<FactorBlock>& blocks) {
  std::string out;
  for (const FactorBlock& block : blocks) {
    for (const std::string& line : block.leading_lines) out += line;
    out += DataLine(block.class_codes);
    for (const std::string& line : block.after_class_lines) out += line;
    out += DataLine(Texts(block.weight_breaks, IntText));
    out += DataLine({std::to_string(block.number)});
    for (const auto& row : block.rates) out += DataLine(Texts(row, Fixed4Text));
    for (const auto& row : block.second_lines) out += DataLine(Texts(row, Fixed4Text));
  }
  return out;
}

std::string CountLayoutFactorFile(const CountLayoutFactors& factors) {
  std::string out;
  for (const std::string& line : factors.leading_lines) out += line;
  auto one = [&](const std::string& value) { out += DataLine({value}); };
  one(std::to_string(factors.block_numbers.size()));
  for (int n : factors.block_numbers) one(std::to_string(n));
  one(std::to_string(factors.class_codes.size()));
  for (const std::string& code : factors.class_codes) one(code);
  one(std::to_string(factors.weight_breaks.size()));
  for (auto it = factors.weight_breaks.rbegin(); it != factors.weight_breaks.rend(); ++it)
    one(std::to_string(*it));
  for (const auto& row : factors.rates)
    for (std::int32_t v : row) one(Fixed4Text(v));
  for (const auto& row : factors.second)
    for (std::int32_t v : row) one(Fixed4Text(v));
  return out;
}

WeightTypeSpec WeightType(std::string code, std::int16_t break_index, std::int32_t amount1,
                          std::string lite_code, char type_digit) {
  WeightTypeSpec spec;
  spec.type_digit = type_digit;
  spec.break_index = break_index;
  spec.lite_code = std::move(lite_code);
  spec.code = std::move(code);
  spec.amount1 = amount1;
  return spec;
}

std::vector<std::uint8_t> WeightTypeFile(const std::vector<WeightTypeSpec>& records) {
  // Per record: type digit (1), break index (i16), Lite code (4), 2 unused, code (3),
  // amount 1 (i32), code 1 (3), amount 2 (i32), code 2 (3), amount 3 (i32): 30 bytes.
  std::vector<std::uint8_t> out;
  for (const WeightTypeSpec& spec : records) {
    std::uint8_t r[30] = {};
    r[0] = static_cast<std::uint8_t>(spec.type_digit);
    os::StoreI16Le(r + 1, spec.break_index);
    PutText(r + 3, 4, spec.lite_code);
    PutText(r + 9, 3, spec.code);
    os::StoreI32Le(r + 12, spec.amount1);
    PutText(r + 16, 3, spec.code1);
    os::StoreI32Le(r + 19, spec.amount2);
    PutText(r + 23, 3, spec.code2);
    os::StoreI32Le(r + 26, spec.amount3);
    out.insert(out.end(), r, r + 30);
  }
  return out;
}

}  // namespace testkit
