#include "frelane/core/settings_record.h"

#include <cassert>

namespace frelane {

void SettingsRecord::Clear() {
  bytes_.fill(0);
  for (const os::Field& field : settings::kAllFields) {
    if (field.kind == os::FieldKind::kText) view().Fill(field, ' ');
  }
}

os::Field SettingsRecord::Element(const os::Field& field, os::FieldKind kind, int index) {
  assert(field.kind == kind);
  assert(index >= 1 && static_cast<std::size_t>(index) <= field.count);
  (void)kind;
  return field.Element(index);
}

std::string SettingsRecord::Text(const os::Field& field, int index) const {
  return view().Utf8Text(Element(field, os::FieldKind::kText, index));
}

std::string SettingsRecord::Raw(const os::Field& field, int index) const {
  return view().Raw(Element(field, field.kind, index));
}

std::int16_t SettingsRecord::I16(const os::Field& field) const {
  return view().I16(Element(field, os::FieldKind::kI16));
}

std::int32_t SettingsRecord::I32(const os::Field& field) const {
  return view().I32(Element(field, os::FieldKind::kI32));
}

double SettingsRecord::F64(const os::Field& field, int index) const {
  return view().FiniteF64(Element(field, os::FieldKind::kF64, index));
}

void SettingsRecord::SetText(const os::Field& field, std::string_view utf8, int index) {
  view().SetUtf8Text(Element(field, os::FieldKind::kText, index), utf8);
}

void SettingsRecord::SetI16(const os::Field& field, std::int16_t value) {
  view().SetI16(Element(field, os::FieldKind::kI16), value);
}

void SettingsRecord::SetI32(const os::Field& field, std::int32_t value) {
  view().SetI32(Element(field, os::FieldKind::kI32), value);
}

void SettingsRecord::SetF64(const os::Field& field, double value, int index) {
  view().SetF64(Element(field, os::FieldKind::kF64, index), value);
}

}  // namespace frelane
