#include "tolv32dll/logs/binary_log_format.h"

#include <algorithm>
#include <cstring>

#include "platform/os/bytes.h"

namespace tolv {
namespace {

// Data length of each kind; 0 where the length varies.
constexpr std::array<std::size_t, kBinaryLogKinds> kFixedLength = {
    4,    4,   0,   175 * 4, 780, 0,   4,   16,
    16,   4,   2,   105,     105, 4,   shipment_header::kSize,
    binary_log_file_name::kSize,  binary_log_brackets::kSize,
    105,  2500, 12, 12,      12};

}  // namespace

bool BinaryLogLengthFits(BinaryLogKind kind, std::size_t n) {
  const auto k = static_cast<std::int32_t>(kind);
  if (k < 0 || k >= kBinaryLogKinds) return false;
  switch (kind) {
    case BinaryLogKind::kRateBasisText:
    case BinaryLogKind::kRateRecord:
      return true;
    case BinaryLogKind::kRateBasisValue:
      return n == 2 || n == 4;
    default:
      return n == kFixedLength[static_cast<std::size_t>(k)];
  }
}

std::vector<std::uint8_t> EncodeBinaryLogRecord(BinaryLogKind kind, std::int32_t thread_id,
                                                std::span<const std::uint8_t> data) {
  namespace h = binary_log_head;
  std::vector<std::uint8_t> out(h::kSize + data.size());
  os::StoreI32Le(out.data() + h::kLength.offset, static_cast<std::int32_t>(data.size()));
  os::StoreI32Le(out.data() + h::kKind.offset, static_cast<std::int32_t>(kind));
  os::StoreI32Le(out.data() + h::kThreadId.offset, thread_id);
  if (!data.empty()) std::memcpy(out.data() + h::kSize, data.data(), data.size());
  return out;
}

std::array<std::uint8_t, binary_log_file_name::kSize> BinaryLogFileName(std::string_view name) {
  std::array<std::uint8_t, binary_log_file_name::kSize> out{};
  std::size_t n = std::min(name.size(), binary_log_file_name::kMaxName);
  std::memcpy(out.data(), name.data(), n);
  return out;
}

std::array<std::uint8_t, binary_log_brackets::kSize> BinaryLogBrackets(
    std::string_view kinds, std::span<const std::int32_t> weights,
    std::span<const std::int32_t> charges, std::int16_t method, std::int16_t count) {
  namespace b = binary_log_brackets;
  std::array<std::uint8_t, b::kSize> out{};
  os::StoreText(out.data() + b::kKinds.offset, b::kKinds.width, kinds);
  for (std::size_t i = 0; i < shipment_record::kBrackets; ++i) {
    if (i < weights.size()) os::StoreI32Le(out.data() + b::kWeight.Nth(i).offset, weights[i]);
    if (i < charges.size()) os::StoreI32Le(out.data() + b::kCharge.Nth(i).offset, charges[i]);
  }
  os::StoreI16Le(out.data() + b::kMethod.offset, method);
  os::StoreI16Le(out.data() + b::kCount.offset, count);
  return out;
}

}  // namespace tolv
