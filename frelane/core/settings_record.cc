#include "frelane/core/settings_record.h"

#include <cassert>
#include <cmath>
#include <cstring>

#include "platform/os/bytes.h"
#include "platform/os/cp1252.h"

namespace frelane {

void SettingsRecord::Clear() {
  bytes_.fill(0);
  for (const FieldSpec& field : settings::kAllFields) {
    if (field.kind == FieldKind::kText) std::memset(&bytes_[field.offset], ' ', field.size());
  }
}

const std::uint8_t* SettingsRecord::At(const FieldSpec& field, int index) const {
  assert(index >= 1 && static_cast<std::size_t>(index) <= field.count);
  return &bytes_[field.ElementOffset(index)];
}

std::uint8_t* SettingsRecord::At(const FieldSpec& field, int index) {
  assert(index >= 1 && static_cast<std::size_t>(index) <= field.count);
  return &bytes_[field.ElementOffset(index)];
}

std::string SettingsRecord::Text(const FieldSpec& field, int index) const {
  assert(field.kind == FieldKind::kText);
  return os::Cp1252ToUtf8(os::LoadText(At(field, index), field.width));
}

std::string SettingsRecord::Raw(const FieldSpec& field, int index) const {
  return os::LoadRaw(At(field, index), field.width);
}

std::int16_t SettingsRecord::I16(const FieldSpec& field) const {
  assert(field.kind == FieldKind::kI16);
  return os::LoadI16Le(At(field, 1));
}

std::int32_t SettingsRecord::I32(const FieldSpec& field) const {
  assert(field.kind == FieldKind::kI32);
  return os::LoadI32Le(At(field, 1));
}

double SettingsRecord::F64(const FieldSpec& field, int index) const {
  assert(field.kind == FieldKind::kF64);
  double value = os::LoadF64Le(At(field, index));
  return std::isfinite(value) ? value : 0.0;
}

void SettingsRecord::SetText(const FieldSpec& field, std::string_view utf8, int index) {
  assert(field.kind == FieldKind::kText);
  os::StoreText(At(field, index), field.width, os::Utf8ToCp1252(utf8));
}

void SettingsRecord::SetI16(const FieldSpec& field, std::int16_t value) {
  assert(field.kind == FieldKind::kI16);
  os::StoreI16Le(At(field, 1), value);
}

void SettingsRecord::SetI32(const FieldSpec& field, std::int32_t value) {
  assert(field.kind == FieldKind::kI32);
  os::StoreI32Le(At(field, 1), value);
}

void SettingsRecord::SetF64(const FieldSpec& field, double value, int index) {
  assert(field.kind == FieldKind::kF64);
  os::StoreF64Le(At(field, index), value);
}

}  // namespace frelane
