#include "testkit/points/point_files.h"

#include <cstdio>

namespace testkit {

void AppendText(Bytes& out, const std::string& text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' ');
  }
}

void AppendI16(Bytes& out, std::int16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((static_cast<std::uint16_t>(v) >> 8) & 0xFF));
}

void AppendI32(Bytes& out, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

Bytes PointFile(const std::vector<PointRow>& rows, bool second_factor,
                std::optional<std::int32_t> destination_count) {
  Bytes out;
  for (const PointRow& r : rows) {
    AppendText(out, r.high_zip, 5);  // high end first
    AppendText(out, r.low_zip, 5);
    AppendI16(out, r.index);
    AppendI16(out, r.addon_factor);
    if (second_factor) AppendI16(out, r.second_addon_factor);
  }
  if (destination_count) AppendI32(out, *destination_count);
  return out;
}

Bytes CompactPointFile(const std::vector<CompactPointRow>& rows) {
  Bytes out;
  for (const CompactPointRow& r : rows) {
    std::uint32_t v = (r.low_zip << 7) | (r.width & 127u);
    std::uint16_t w = static_cast<std::uint16_t>((r.index & 1023u) | (r.addon_factor << 10));
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(w));
    out.push_back(static_cast<std::uint8_t>(w >> 8));
  }
  return out;
}

Bytes ExpZipFile(const std::vector<ExpRow>& rows) {
  Bytes out;
  for (const ExpRow& r : rows) {
    Bytes code = PackZip(r.code), substitute = PackZip(r.substitute);
    out.insert(out.end(), code.begin(), code.end());
    out.insert(out.end(), substitute.begin(), substitute.end());
    AppendText(out, r.city, 19);
  }
  return out;
}

Bytes ExpPostalFile(const std::vector<ExpRow>& rows) {
  Bytes out;
  for (const ExpRow& r : rows) {
    AppendText(out, r.code, 6);
    AppendText(out, r.substitute, 6);
    AppendText(out, r.city, 19);
  }
  return out;
}

Bytes AreaCompanionFile(const std::vector<AreaLine>& lines,
                        const std::vector<AreaCityRow>& cities) {
  Bytes out;
  for (const AreaLine& l : lines) {
    char text[64];
    std::snprintf(text, sizeof text, "%03d %04d %04d%d", l.factor_set, l.lowest_area,
                  l.highest_area, l.limit);
    AppendText(out, text, 18);
  }
  AppendText(out, "*", 18);
  for (const AreaCityRow& c : cities) {
    AppendText(out, c.zip, 5);
    AppendI16(out, static_cast<std::int16_t>(c.area));
    out.push_back(static_cast<std::uint8_t>(c.side));
    out.push_back(c.value);
    AppendText(out, c.city, 19);
  }
  return out;
}

Bytes AreaIncrementFile(const std::vector<AreaIncrementRow>& rows) {
  Bytes out;
  for (const AreaIncrementRow& r : rows) {
    AppendText(out, r.zip, 5);
    AppendI16(out, static_cast<std::int16_t>(r.area));
    out.push_back(static_cast<std::uint8_t>(r.side));
    out.push_back(r.increment);
  }
  return out;
}

}  // namespace testkit
