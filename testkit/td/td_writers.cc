#include "testkit/td/td_writers.h"

#include <cctype>
#include <cstdio>

namespace testkit {

namespace {

void PutI16(Bytes& b, int v) {
  auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
  b.push_back(static_cast<std::uint8_t>(u & 0xFF));
  b.push_back(static_cast<std::uint8_t>(u >> 8));
}

void PutI32(Bytes& b, std::int32_t v) {
  auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

}  // namespace

Bytes PackZip(std::string_view code) {
  if (!code.empty() && std::isdigit(static_cast<unsigned char>(code[0]))) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 5; ++i) {
      char c = i < code.size() ? code[i] : '0';
      v = (v << 4) | static_cast<std::uint32_t>((c - '0') & 0x0F);
    }
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
  }
  auto at = [&](std::size_t i) { return i < code.size() ? code[i] : ' '; };
  return {static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(at(0)))),
          static_cast<std::uint8_t>(at(1)),
          static_cast<std::uint8_t>(std::toupper(static_cast<unsigned char>(at(2))))};
}

std::string TdvFile(const std::vector<TdvLine>& lines) {
  std::string text;
  char buffer[32];
  for (const TdvLine& l : lines) {
    std::snprintf(buffer, sizeof buffer, "%02d%02d%02d%02d%02d\r\n", l.version, l.century,
                  l.year, l.month, l.day);
    text += buffer;
  }
  return text;
}

std::string TdsFile(const std::vector<TdsLine>& lines) {
  std::string text;
  char buffer[64];
  for (const TdsLine& l : lines) {
    std::snprintf(buffer, sizeof buffer, "%02d%03d%03d%03d%03d%02d%02d\r\n", l.group,
                  l.origin_value, l.destination_value, l.result, l.second_result,
                  l.first_version, l.last_version);
    text += buffer;
  }
  return text;
}

std::string TdaFile(const std::vector<TdaLine>& lines) {
  std::string text;
  char buffer[16];
  for (const TdaLine& l : lines) {
    std::snprintf(buffer, sizeof buffer, "%02d%-2.2s\r\n", l.area, l.state.c_str());
    text += buffer;
  }
  return text;
}

Bytes TdzFile(const std::vector<TdzRange>& ranges) {
  Bytes b;
  for (const TdzRange& r : ranges) {
    Append(b, PackZip(r.low));
    Append(b, PackZip(r.high));
    b.push_back(static_cast<std::uint8_t>(r.first_version));
    b.push_back(static_cast<std::uint8_t>(r.end_version));
    b.push_back(static_cast<std::uint8_t>(r.area));
    PutI16(b, r.sub_area);
    b.push_back(static_cast<std::uint8_t>(r.order));
  }
  return b;
}

Bytes TdtFile(const std::vector<TdtValues>& records) {
  Bytes b;
  for (const TdtValues& r : records) {
    PutI16(b, r.area);
    PutI16(b, r.sub_area);
    for (int v : r.values) PutI16(b, v);
  }
  return b;
}

Bytes TdxFile(const std::vector<TdxException>& records) {
  Bytes b;
  for (const TdxException& r : records) {
    b.push_back(static_cast<std::uint8_t>(r.first_version));
    b.push_back(static_cast<std::uint8_t>(r.end_version));
    PutI16(b, r.group_result);
    PutI16(b, r.origin_key);
    PutI16(b, r.link);
    PutI16(b, r.destination_key);
    PutI16(b, r.origin_order_key);
    PutI16(b, r.destination_order_key);
    PutI16(b, static_cast<unsigned char>(r.origin_mark));
    PutI16(b, static_cast<unsigned char>(r.destination_mark));
    PutI16(b, r.other_group_result);
  }
  return b;
}

TdnFiles TdnFilesFor(const std::vector<TdnName>& names) {
  TdnFiles files;
  for (const TdnName& n : names) {
    Append(files.index, PackZip(n.zip));
    PutI16(files.index, n.name_code);
    files.index.push_back(static_cast<std::uint8_t>(n.first_version));
    files.index.push_back(static_cast<std::uint8_t>(n.end_version));
    PutI32(files.index, static_cast<std::int32_t>(files.names.size()));
    std::string name = n.name.substr(0, 19);
    files.names.push_back(static_cast<std::uint8_t>(name.size()));
    name.resize(19, ' ');
    files.names.insert(files.names.end(), name.begin(), name.end());
  }
  return files;
}

}  // namespace testkit
