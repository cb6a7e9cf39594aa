#include "frelane/core/settings_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <filesystem>

#include "platform/os/atomic_file.h"
#include "platform/os/regular_file.h"

namespace frelane {

namespace s = settings;

void DecodeSettings(const std::uint8_t* head, std::uint64_t file_length, SettingsRecord* record) {
  record->Clear();
  SettingsRecord::Bytes& bytes = record->mutable_bytes();
  // Only whole fields are taken: a field cut by the end of the file keeps its cleared
  // value rather than half of its bytes.
  for (const os::Field& field : s::kAllFields) {
    for (std::size_t i = 0; i < field.count; ++i) {
      const os::Field element = field.Nth(i);
      if (element.end() > file_length) break;
      std::memcpy(&bytes[element.offset], head + element.offset, element.width);
    }
  }
  ApplyOlderVersionDefaults(file_length, record);
}

void ApplyOlderVersionDefaults(std::uint64_t length, SettingsRecord* r) {
  if (length <= 1204) r->SetText(s::kUnservedLaneMessage, "Invalid Zip Code Combination");
  if (length <= 1154) r->SetI16(s::kToolbarShown, -1);
  if (length <= 1152) r->SetI16(s::kNeverAskSingleShipment, 0);
  if (length <= 1148) {
    r->SetI16(s::kZipDiscountsOffered, 0);
    r->SetI16(s::kZipDiscountsUsed, 0);
  }
  if (length <= 1144) r->SetI32(s::kFuelSurchargeWeightThreshold, 20000);
  if (length <= 1110) {
    for (int i = 1; i <= 4; ++i) r->SetF64(s::kCanadaDiscounts, 0.0, i);
    r->SetI16(s::kCanadaDiscountsEnabled, 0);
  }
  if (length == 958) {
    r->SetF64(s::kLtlFuelSurchargeFloor, 0.0);
    r->SetF64(s::kTlFuelSurchargeFloor, 0.0);
    r->SetI16(s::kTlDiscountHidden, 0);
    r->SetText(s::kWebAddress, "");
    for (int i = 1; i <= 4; ++i) r->SetF64(s::kIntrastateDiscounts, 0.0, i);
    r->SetI16(s::kIntrastateDiscountsEnabled, 0);
  }
}

bool ReadSettingsFile(const std::string& path, SettingsRecord* record, std::string* error) {
  record->Clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    *error = "The settings file " + path + " was not found.";
    return false;
  }
  std::optional<os::FileHead> read = os::ReadRegularFileHead(path, SettingsRecord::kSize);
  if (!read) {
    *error = "The settings file " + path + " could not be read: " + std::strerror(errno);
    return false;
  }
  if (read->length == 0) {
    *error = "The settings file " + path + " is empty.";
    return false;
  }
  std::array<std::uint8_t, SettingsRecord::kSize> head{};
  const std::size_t wanted =
      read->length < head.size() ? static_cast<std::size_t>(read->length) : head.size();
  if (read->bytes.size() < wanted) {
    *error = "The settings file " + path + " could not be read.";
    return false;
  }
  std::copy_n(read->bytes.begin(), wanted, head.begin());
  DecodeSettings(head.data(), read->length, record);
  return true;
}

bool WriteSettingsFile(const std::string& path, const SettingsRecord& record,
                       std::string* error) {
  std::string why;
  if (!os::WriteFileAtomically(path, record.bytes(), &why)) {
    *error = "The settings file " + path + " could not be written: " + why;
    return false;
  }
  return true;
}

}  // namespace frelane
