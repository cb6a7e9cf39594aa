#include "frelane/core/geography.h"

#include <array>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "frelane/core/record_reader.h"
#include "frelane/core/service_guide_records.h"

namespace frelane::modMain {

namespace {

struct ProvinceRange {
  std::string_view low, high, province;
};

// Tested in this order; the first range that holds the prefix answers.
constexpr std::array<ProvinceRange, 13> kProvinceRanges = {{
    {"T0A", "T9Z", "AB"},
    {"V0A", "V9Z", "BC"},
    {"R0A", "R9Z", "MB"},
    {"E0A", "E9Z", "NB"},
    {"A0A", "A9Z", "NL"},
    {"B0A", "B9Z", "NS"},
    {"X0A", "X0C", "NU"},
    {"X0D", "X9Z", "NT"},
    {"K0A", "P9Z", "ON"},
    {"C0A", "C9Z", "PE"},
    {"G0A", "J9Z", "QC"},
    {"S0A", "S9Z", "SK"},
    {"Y0A", "Y9Z", "YT"},
}};

}  // namespace

std::string StateOrProvince(std::string_view code) {
  std::string trimmed = Trim(code);
  std::string_view prefix = std::string_view(trimmed).substr(0, 3);
  if (SafeValue(prefix) > 0) {
    // Only plain digits name a record; "1e3" or "0.5" read as numbers but are no prefix.
    if (!AllDigits(prefix)) return "";
    return StateOfZipPrefix(static_cast<std::int16_t>(SafeValue(prefix)));
  }
  return ProvinceOfPostalCode(trimmed).value_or("");
}

std::string StateOfZipPrefix(std::int16_t prefix) {
  if (prefix < 1 || prefix > 999) return "";
  std::optional<RecordReader> file =
      RecordReader::Open(DataFilePath(kStateFileName), state_record::kSize);
  if (!file) return "";
  std::optional<std::vector<std::uint8_t>> record = file->Read(prefix);
  if (!record) return "";
  return os::ConstRecordView(*record).Text(state_record::kState);
}

std::optional<std::string> ProvinceOfPostalCode(std::string_view code) {
  std::string trimmed = Trim(code);
  std::string_view prefix = std::string_view(trimmed).substr(0, 3);
  for (const ProvinceRange& range : kProvinceRanges) {
    if (range.low <= prefix && prefix <= range.high) return std::string(range.province);
  }
  return std::nullopt;
}

}  // namespace frelane::modMain
