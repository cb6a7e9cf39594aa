#include "testkit/app/settings_file_writer.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace testkit {

namespace {

void PutLe(std::vector<std::uint8_t>* out, std::size_t offset, std::uint64_t v, int n) {
  for (int i = 0; i < n; ++i) (*out)[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

SettingsFileWriter::SettingsFileWriter() : bytes_(kFullLength, 0) {
  // The text fields of the record, as (offset, width); everything between is binary.
  static constexpr std::size_t kTexts[][2] = {
      {0, 50},   {50, 35},  {85, 35},  {120, 25}, {145, 2},  {147, 10}, {157, 30},
      {187, 30}, {217, 30}, {247, 100}, {347, 30}, {377, 30}, {407, 30}, {437, 50},
      {487, 30}, {517, 10}, {527, 10}, {563, 6},  {571, 6},  {579, 3},  {672, 260},
      {932, 12}, {976, 100}, {1156, 50}};
  for (const auto& t : kTexts) std::memset(&bytes_[t[0]], ' ', t[1]);
  RateAdjustmentFactor(1.0);
  ToolbarShown(true);
  FuelSurchargeWeightThreshold(20000);
  UnservedLaneMessage("Invalid Zip Code Combination");
}

SettingsFileWriter& SettingsFileWriter::AboutText(int n, std::string_view text) {
  static constexpr std::size_t kAbout[][2] = {{347, 30}, {407, 30}, {437, 50}, {487, 30},
                                              {527, 10}};
  if (n < 1 || n > 5) std::abort();
  return Text(kAbout[n - 1][0], kAbout[n - 1][1], text);
}

SettingsFileWriter& SettingsFileWriter::Text(std::size_t offset, std::size_t width,
                                             std::string_view text) {
  for (std::size_t i = 0; i < width; ++i) {
    bytes_[offset + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ';
  }
  return *this;
}

SettingsFileWriter& SettingsFileWriter::I16(std::size_t offset, std::int16_t value) {
  PutLe(&bytes_, offset, static_cast<std::uint16_t>(value), 2);
  return *this;
}

SettingsFileWriter& SettingsFileWriter::I32(std::size_t offset, std::int32_t value) {
  PutLe(&bytes_, offset, static_cast<std::uint32_t>(value), 4);
  return *this;
}

SettingsFileWriter& SettingsFileWriter::F64(std::size_t offset, double value) {
  PutLe(&bytes_, offset, std::bit_cast<std::uint64_t>(value), 8);
  return *this;
}

std::vector<std::uint8_t> SettingsFileWriter::Bytes(std::size_t length) const {
  if (length > kFullLength) std::abort();
  return std::vector<std::uint8_t>(bytes_.begin(), bytes_.begin() + length);
}

std::vector<std::uint8_t> FakFileBytes(const std::vector<std::int16_t>& entries) {
  std::vector<std::uint8_t> out(entries.size() * 2);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    PutLe(&out, 2 * i, static_cast<std::uint16_t>(entries[i]), 2);
  }
  return out;
}

std::vector<std::int16_t> FreightClasses() {
  return {500, 400, 300, 250, 200, 175, 150, 125, 110, 100, 92, 85, 77, 70, 65, 60, 55, 50};
}

}  // namespace testkit
