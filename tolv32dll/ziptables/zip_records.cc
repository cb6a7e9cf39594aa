#include "tolv32dll/ziptables/zip_records.h"

namespace tolv {

std::int32_t PackedDigitsValue(const std::uint8_t* p, int n) {
  const int bytes = (n + 1) / 2;
  std::uint32_t packed = 0;
  for (int i = 0; i < bytes; ++i) packed = (packed << 8) | p[i];
  std::int32_t value = 0;
  std::int32_t scale = 1;
  for (int i = 0; i < n; ++i, packed >>= 4, scale *= 10) {
    value += static_cast<std::int32_t>(packed & 0xF) * scale;
  }
  return value;
}

}  // namespace tolv
