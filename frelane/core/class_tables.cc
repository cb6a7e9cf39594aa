#include "frelane/core/class_tables.h"

#include <array>

#include "platform/os/atomic_file.h"
#include "platform/os/bytes.h"
#include "platform/os/regular_file.h"

namespace frelane {

namespace {

bool IsTableClass(const ClassTable& classes, std::int16_t value) {
  for (int i = 1; i <= classes[0] && i <= kClassCount; ++i) {
    if (classes[i] == value) return true;
  }
  return false;
}

bool DiffersFromClasses(const ClassTable& classes, const FakClassMap& map) {
  for (int i = 1; i <= kClassCount; ++i) {
    if (map[i - 1] != classes[i]) return true;
  }
  return false;
}

}  // namespace

ClassTable MakeClassTable() {
  return {kClassCount, 500, 400, 300, 250, 200, 175, 150, 125, 110, 100,
          92,          85,  77,  70,  65,  60,  55,  50};
}

FakClassMap IdentityFakMap(const ClassTable& classes) {
  FakClassMap map{};
  for (int i = 1; i <= kClassCount; ++i) map[i - 1] = classes[i];
  return map;
}

FakReadReport ReadFakFile(const std::string& path, const ClassTable& classes, FakState* fak) {
  FakReadReport report;
  fak->map = IdentityFakMap(classes);
  std::array<std::uint8_t, kFakFileSize> bytes{};
  if (std::optional<os::FileHead> head = os::ReadRegularFileHead(path, bytes.size())) {
    report.file_found = true;
    std::copy(head->bytes.begin(), head->bytes.end(), bytes.begin());
    report.entries_read = static_cast<int>(head->bytes.size() / kFakRecordSize);
  }
  for (int i = 0; i < report.entries_read; ++i) {
    std::int16_t value = os::LoadI16Le(&bytes[i * kFakRecordSize]);
    if (IsTableClass(classes, value)) {
      fak->map[i] = value;
    } else {
      ++report.entries_refused;
    }
  }
  fak->active = DiffersFromClasses(classes, fak->map);
  return report;
}

bool WriteFakFile(const std::string& path, const ClassTable& classes, FakState* fak,
                  std::string* error) {
  std::array<std::uint8_t, kFakFileSize> bytes{};
  for (int i = 0; i < kClassCount; ++i) os::StoreI16Le(&bytes[i * kFakRecordSize], fak->map[i]);
  std::string why;
  if (!os::WriteFileAtomically(path, bytes, &why)) {
    *error = "The FAK file " + path + " could not be written: " + why;
    return false;
  }
  if (DiffersFromClasses(classes, fak->map)) fak->active = true;
  return true;
}

std::optional<std::int16_t> LookupFAKClass(const ClassTable& classes, const FakClassMap& map,
                                           std::int16_t freight_class) {
  for (int i = 1; i <= classes[0] && i <= kClassCount; ++i) {
    if (classes[i] == freight_class) return map[i - 1];
  }
  return std::nullopt;
}

bool IsValidClass(const ClassTable& classes, double value) {
  if (value == 92.5) value = 92;
  if (value == 77.5) value = 77;
  for (int i = 1; i <= classes[0] && i <= kClassCount; ++i) {
    if (static_cast<double>(classes[i]) == value) return true;
  }
  return false;
}

}  // namespace frelane
