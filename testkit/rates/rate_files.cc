#include "testkit/rates/rate_files.h"

#include <cstdio>

namespace testkit {

Bytes RateRecord(const RateRow& row, std::size_t record_length) {
  Bytes out(record_length, 0);
  char digits[8];
  std::snprintf(digits, sizeof digits, "%03d", row.factor_set % 1000);
  for (int i = 0; i < 3 && i < static_cast<int>(record_length); ++i) out[i] = digits[i];
  for (std::size_t i = 0; i < 7 && 3 + i < record_length; ++i) {
    out[3 + i] = i < row.number.size() ? static_cast<std::uint8_t>(row.number[i]) : ' ';
  }
  for (std::size_t i = 0; i < row.values.size(); ++i) {
    std::size_t at = 10 + 3 * i;
    if (at + 3 > record_length) break;
    out[at] = static_cast<std::uint8_t>(row.values[i]);
    out[at + 1] = static_cast<std::uint8_t>(row.values[i] >> 8);
    out[at + 2] = static_cast<std::uint8_t>(row.values[i] >> 16);
  }
  return out;
}

Bytes RateFile(const std::vector<RateRow>& rows, std::size_t record_length) {
  Bytes out;
  for (const RateRow& row : rows) {
    Bytes r = RateRecord(row, record_length);
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

Bytes RateIndex16(const IndexEntries& entries) {
  Bytes out;
  for (const auto& e : entries) {
    std::uint32_t v = e.value_or(0xFFFF);
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  return out;
}

Bytes RateIndex24(const IndexEntries& entries) {
  Bytes out;
  for (const auto& e : entries) {
    std::uint32_t v = e.value_or(0xFFFFFF);
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
  }
  return out;
}

Bytes RateIndexBits(const IndexEntries& entries, int bits) {
  std::size_t total_bits = entries.size() * static_cast<std::size_t>(bits);
  Bytes out((total_bits + 7) / 8 + 4, 0);
  const std::uint32_t none = (1u << bits) - 1;
  for (std::size_t r = 0; r < entries.size(); ++r) {
    std::uint32_t v = entries[r].value_or(none) & none;
    for (int k = 0; k < bits; ++k) {
      if (v & (1u << (bits - 1 - k))) {
        std::size_t bit = r * bits + k;
        out[bit / 8] |= static_cast<std::uint8_t>(0x80 >> (bit % 8));
      }
    }
  }
  return out;
}

Bytes MinBlock(const std::vector<std::uint32_t>& values) {
  Bytes out(384, 0);
  for (std::size_t i = 0; i < values.size() && 3 * i + 3 <= out.size(); ++i) {
    out[3 * i] = static_cast<std::uint8_t>(values[i]);
    out[3 * i + 1] = static_cast<std::uint8_t>(values[i] >> 8);
    out[3 * i + 2] = static_cast<std::uint8_t>(values[i] >> 16);
  }
  return out;
}

}  // namespace testkit
