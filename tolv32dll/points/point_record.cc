#include "tolv32dll/points/point_record.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tolv {
namespace {

// Byte by byte, unsigned, as memcmp orders them; five bytes are compared in place.
int CompareFive(const PointRangeKey& code, const char* field) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    const auto a = static_cast<unsigned char>(code[i]);
    const auto b = static_cast<unsigned char>(field[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

std::uint32_t CompactRange(os::ByteSpan record) {
  return static_cast<std::uint32_t>(record[0]) | (static_cast<std::uint32_t>(record[1]) << 8) |
         (static_cast<std::uint32_t>(record[2]) << 16);
}

std::string FormatZip(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%05u", static_cast<unsigned>(value));
  return text;
}

}  // namespace

PointRecord DecodePointRecord(os::ByteSpan record) {
  namespace L = point_record;
  const os::ConstRecordView v(record);
  PointRecord p;
  p.high_zip = v.Raw(L::kHighZip);
  p.low_zip = v.Raw(L::kLowZip);
  p.index = v.I16(L::kIndex);
  p.addon_factor = v.I16(L::kAddonFactor);
  if (record.size() >= L::kSizeWithSecondFactor)
    p.second_addon_factor = v.I16(L::kSecondAddonFactor);
  return p;
}

PointRecord DecodeCompactPointRecord(os::ByteSpan record) {
  std::uint32_t v = CompactRange(record);
  std::uint16_t w = os::LoadU16Le(os::ConstRecordView(record).at(compact_point_record::kPoint));
  PointRecord p;
  std::uint32_t low = v >> 7;
  p.low_zip = FormatZip(low);
  p.high_zip = FormatZip(low + (v & 127u));
  p.index = static_cast<std::int16_t>(w & 1023u);
  p.addon_factor = static_cast<std::int16_t>(w >> 10);
  return p;
}

std::array<std::uint8_t, point_record::kSizeWithSecondFactor> EncodePointSlot(
    const PointRecord& point) {
  namespace L = point_record;
  std::array<std::uint8_t, L::kSizeWithSecondFactor> slot{};
  const os::RecordView v(slot);
  v.SetText(L::kHighZip, point.high_zip);
  v.SetText(L::kLowZip, point.low_zip);
  v.SetI16(L::kIndex, point.index);
  v.SetI16(L::kAddonFactor, point.addon_factor);
  v.SetI16(L::kSecondAddonFactor, point.second_addon_factor);
  return slot;
}

PointRangeKey PointRangeKeyOf(std::string_view code) {
  PointRangeKey key;
  key.fill(' ');
  if (!code.empty()) std::memcpy(key.data(), code.data(), std::min(key.size(), code.size()));
  return key;
}

int CompareCodeWithPointRange(std::string_view code, os::ByteSpan record) {
  return ComparePointRangeKey(PointRangeKeyOf(code), record);
}

int ComparePointRangeKey(const PointRangeKey& key, os::ByteSpan record) {
  namespace L = point_record;
  const os::ConstRecordView v(record);
  if (CompareFive(key, v.RawView(L::kLowZip).data()) < 0) return -1;
  if (CompareFive(key, v.RawView(L::kHighZip).data()) > 0) return 1;
  return 0;
}

int CompareCodeWithCompactRange(std::string_view code, os::ByteSpan record) {
  PointRecord p = DecodeCompactPointRecord(record);
  const PointRangeKey key = PointRangeKeyOf(code);
  if (CompareFive(key, p.low_zip.c_str()) < 0) return -1;
  if (CompareFive(key, p.high_zip.c_str()) > 0) return 1;
  return 0;
}

}  // namespace tolv
