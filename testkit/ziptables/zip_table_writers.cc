#include "testkit/ziptables/zip_table_writers.h"

#include <cstring>

namespace testkit {
namespace {

constexpr std::size_t kDirectoryEntries = 20;
constexpr std::size_t kDirectoryEntry = 6;

void Append(Bytes& out, const std::string& text, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) {
    out.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : ' '));
  }
}

void AppendPacked(Bytes& out, const std::string& digits) {
  const std::array<std::uint8_t, 3> p = PackDigits5(digits);
  out.insert(out.end(), p.begin(), p.end());
}

void Append24(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
}

std::uint8_t LastTwoDigits(const std::string& digits) {
  return PackDigits5(digits)[2];
}

// A directory followed by records grouped by type; record(row) gives a row's bytes.
template <typename Row, typename Writer>
Bytes WithDirectory(const std::vector<Row>& rows, Writer record) {
  std::vector<std::string> types;
  std::vector<std::int32_t> offsets;
  Bytes body;
  const std::int32_t start = static_cast<std::int32_t>(kDirectoryEntries * kDirectoryEntry);
  for (const Row& row : rows) {
    if (types.empty() || types.back() != row.type) {
      types.push_back(row.type);
      offsets.push_back(start + static_cast<std::int32_t>(body.size()));
    }
    const Bytes r = record(row);
    body.insert(body.end(), r.begin(), r.end());
  }
  types.push_back("  ");
  offsets.push_back(start + static_cast<std::int32_t>(body.size()));
  Bytes out;
  for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
    if (i < types.size()) {
      Append(out, types[i], 2);
      const std::int32_t v = offsets[i];
      for (int b = 0; b < 4; ++b) out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
    } else {
      out.insert(out.end(), kDirectoryEntry, 0);
    }
  }
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace

std::array<std::uint8_t, 3> PackDigits5(const std::string& digits) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 5; ++i) {
    const char c = i < digits.size() ? digits[i] : '0';
    v = (v << 4) | (static_cast<std::uint32_t>(c - '0') & 0xF);
  }
  return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v)};
}

Bytes ZipPairFile(const std::vector<ZipPairRow>& rows) {
  Bytes out;
  for (const ZipPairRow& r : rows) {
    out.push_back(static_cast<std::uint8_t>(r.direction));
    AppendPacked(out, r.origin_low);
    AppendPacked(out, r.origin_high);
    AppendPacked(out, r.destination_low);
    AppendPacked(out, r.destination_high);
    Append(out, r.basis_low, 6);
    Append(out, r.basis_high, 6);
    out.push_back(r.minimum_method);
    out.push_back(r.bracket_count);
    out.push_back(static_cast<std::uint8_t>(r.mode));
    for (std::uint32_t c : r.charges) Append24(out, c);
  }
  return out;
}

Bytes ClassRangeFile(const std::vector<ClassRangeRow>& rows) {
  Bytes out;
  for (const ClassRangeRow& r : rows) {
    AppendPacked(out, r.low);
    AppendPacked(out, r.high);
    out.insert(out.end(), {' ', ' ', ' '});
    out.push_back(static_cast<std::uint8_t>(r.break_factor));
    out.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(r.break_factor) >> 8));
  }
  return out;
}

Bytes RbnoFile(const std::vector<RbnoRow>& rows) {
  Bytes out;
  for (const RbnoRow& r : rows) {
    out.push_back(static_cast<std::uint8_t>(r.letter));
    AppendPacked(out, r.origin_low);
    out.push_back(LastTwoDigits(r.origin_high));
    AppendPacked(out, r.destination_low);
    AppendPacked(out, r.destination_high);
    out.push_back(static_cast<std::uint8_t>(r.sign));
    AppendPacked(out, r.amount);
  }
  return out;
}

Bytes LiteBaseFile(const std::vector<LiteBaseRow>& rows, const std::vector<LiteTableLine>& table,
                   bool text_form) {
  Bytes out = WithDirectory(rows, [text_form](const LiteBaseRow& r) {
    Bytes b;
    Append(b, r.type, 2);
    if (text_form) {
      Append(b, r.zip_low, 5);
      Append(b, r.zip_high.size() >= 5 ? r.zip_high.substr(3, 2) : r.zip_high, 2);
      Append(b, r.point, 5);
    } else {
      AppendPacked(b, r.zip_low);
      b.push_back(LastTwoDigits(r.zip_high));
      AppendPacked(b, r.point);
    }
    AppendPacked(b, r.amount);
    return b;
  });
  if (table.empty()) return out;
  Append(out, "X     000X", 10);
  for (const LiteTableLine& line : table) {
    out.push_back(static_cast<std::uint8_t>(line.letter));
    Append(out, line.threshold, 5);
    Append(out, line.table, 3);
    out.push_back(static_cast<std::uint8_t>(line.flag));
  }
  Append(out, "X     000X", 10);
  return out;
}

Bytes LiteMatrixFile(const std::vector<LiteMatrixRow>& rows, bool text_form) {
  return WithDirectory(rows, [text_form](const LiteMatrixRow& r) {
    Bytes b;
    Append(b, r.type, 2);
    if (text_form) {
      Append(b, r.first_point, 5);
      Append(b, r.second_point, 5);
      AppendPacked(b, r.number);
      b.push_back(' ');
    } else {
      AppendPacked(b, r.first_point);
      AppendPacked(b, r.second_point);
      AppendPacked(b, r.number);
    }
    b.push_back(static_cast<std::uint8_t>(r.letter));
    return b;
  });
}

}  // namespace testkit
