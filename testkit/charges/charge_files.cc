#include "testkit/charges/charge_files.h"

#include <algorithm>

namespace testkit {
namespace {

void Put24(Bytes& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  out[at + 2] = static_cast<std::uint8_t>(v >> 16);
}

void PutI32(Bytes& out, std::size_t at, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

void PutKey(Bytes& out, std::size_t at, const std::string& key) {
  for (std::size_t i = 0; i < 10; ++i) {
    out[at + i] = i < key.size() ? static_cast<std::uint8_t>(key[i]) : ' ';
  }
}

}  // namespace

Bytes MinRecordFile(const std::string& head_key, std::uint32_t value_count,
                    std::uint32_t group_count, const std::vector<MinRow>& rows) {
  const std::size_t length = 10 + 3 * static_cast<std::size_t>(value_count);
  // The head is 22 bytes: its key, the value count, the group count, two unused values.
  // It stands in the place of record 0, padded to the record length.
  Bytes out(std::max<std::size_t>(length, 22), 0);
  PutKey(out, 0, head_key);
  Put24(out, 10, value_count);
  Put24(out, 13, group_count);
  for (const MinRow& row : rows) {
    Bytes rec(length, 0);
    PutKey(rec, 0, row.key);
    for (std::size_t i = 0; i < row.values.size() && i < value_count; ++i) {
      Put24(rec, 10 + 3 * i, row.values[i]);
    }
    out.insert(out.end(), rec.begin(), rec.end());
  }
  return out;
}

Bytes ERecord(char minimum_operator, char rate_operator, char key, std::int32_t minimum_operand,
              const std::vector<std::int32_t>& rate_operands) {
  Bytes out(660, 0);
  out[5] = static_cast<std::uint8_t>(minimum_operator);
  out[6] = static_cast<std::uint8_t>(rate_operator);
  out[7] = static_cast<std::uint8_t>(key);
  PutI32(out, 8, minimum_operand);
  for (std::size_t i = 0; i < rate_operands.size() && 12 + 4 * i + 4 <= out.size(); ++i) {
    PutI32(out, 12 + 4 * i, rate_operands[i]);
  }
  return out;
}

}  // namespace testkit
