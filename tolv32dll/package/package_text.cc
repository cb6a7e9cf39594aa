#include "tolv32dll/package/package_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace tolv {

void StoreFormatted(std::uint8_t* record, const os::Field& field, const char* format,
                    std::int64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, format, static_cast<long long>(value));
  const std::size_t n = std::strlen(text);
  std::memcpy(record + field.offset, text, n < field.width ? n : field.width);
}

void StoreStatus(std::uint8_t* record, const os::Field& field, ErrorNumber error) {
  if (error == kOk) {
    std::memset(record + field.offset, ' ', field.width);
  } else {
    StoreFormatted(record, field, "%04lld", error);
  }
}

std::int64_t WholePounds(double weight) {
  const double whole = std::floor(weight);
  return static_cast<std::int64_t>(whole) + (whole < weight ? 1 : 0);
}

}  // namespace tolv
