#include "testkit/sidetables/side_table_files.h"

#include <cstdio>

#include "testkit/points/point_files.h"

namespace testkit {
namespace {

void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

// A 6-byte head entry: 2 characters and an i32.
void AppendHeadEntry(Bytes& out, const std::string& name, std::int32_t value) {
  AppendText(out, name, 2);
  AppendI32(out, value);
}

std::uint8_t Bcd2(const std::string& digits) {
  return static_cast<std::uint8_t>(((digits[0] - '0') << 4) | (digits[1] - '0'));
}

}  // namespace

Bytes DirectIndirectFile(char default_letter, const std::vector<ServiceRange>& ranges) {
  Bytes out(6, 0);
  out.push_back(static_cast<std::uint8_t>(default_letter));
  for (const ServiceRange& r : ranges) {
    Append(out, PackZip(r.low_zip));
    Append(out, PackZip(r.high_zip));
    out.push_back(static_cast<std::uint8_t>(r.letter));
  }
  return out;
}

Bytes PrecedenceFile(const std::vector<PrecedenceRow>& rows, std::uint8_t record_length,
                     const std::string& name) {
  const std::int32_t first = (26 + record_length - 1) / record_length;
  Bytes out(26, ' ');
  out[0] = '0';
  out[2] = static_cast<std::uint8_t>(name[0]);
  out[3] = static_cast<std::uint8_t>(name[1]);
  out[11] = record_length;
  Bytes bounds;
  AppendI32(bounds, first);
  AppendI32(bounds, first + static_cast<std::int32_t>(rows.size()) - 1);
  std::copy(bounds.begin(), bounds.end(), out.begin() + 16);
  out.resize(static_cast<std::size_t>(first) * record_length, ' ');
  for (const PrecedenceRow& r : rows) {
    Bytes record;
    AppendText(record, name, 2);
    Append(record, PackZip(r.origin_zip));
    Append(record, PackZip(r.destination_zip));
    record.push_back(static_cast<std::uint8_t>(r.kind));
    AppendI16(record, r.low);
    AppendI16(record, r.high);
    record.resize(record_length, ' ');
    Append(out, record);
  }
  return out;
}

Bytes EBaseFile(const std::vector<EBaseRow>& rows) {
  Bytes out;
  AppendHeadEntry(out, "A ", 1);
  AppendHeadEntry(out, "  ", static_cast<std::int32_t>(rows.size()) + 1);
  for (const EBaseRow& r : rows) {
    out.push_back('A');
    out.push_back(' ');
    Append(out, PackZip(r.low_zip));
    out.push_back(Bcd2(r.high_zip.substr(3, 2)));
    AppendText(out, r.area, 6);
  }
  return out;
}

Bytes EMatrixFile(const std::vector<EMatrixRow>& rows, const std::string& section) {
  Bytes out;
  AppendHeadEntry(out, section, 1);
  AppendHeadEntry(out, "  ", static_cast<std::int32_t>(rows.size()) + 1);
  for (const EMatrixRow& r : rows) {
    AppendText(out, "A ", 2);
    AppendText(out, r.origin_area, 3);
    AppendText(out, r.destination_area, 3);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05d", r.number % 100000);
    Append(out, PackZip(digits));
    out.push_back(' ');
  }
  return out;
}

}  // namespace testkit
