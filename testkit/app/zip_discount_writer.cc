#include "testkit/app/zip_discount_writer.h"

#include <algorithm>
#include <cstring>

namespace testkit {

ZipDiscountBytes ZipDiscountEntry(const char* origin_low, const char* origin_high,
                                  const char* destination_low, const char* destination_high,
                                  double mc, double ltl, double tl, double mc_floor,
                                  bool deleted) {
  ZipDiscountBytes r{};
  std::memset(r.data(), ' ', 20);
  const char* codes[] = {origin_low, origin_high, destination_low, destination_high};
  for (int i = 0; i < 4; ++i) {
    std::memcpy(r.data() + 5 * i, codes[i], std::min<std::size_t>(5, std::strlen(codes[i])));
  }
  const double numbers[] = {mc, ltl, tl, mc_floor};
  for (int i = 0; i < 4; ++i) std::memcpy(r.data() + 20 + 8 * i, &numbers[i], 8);
  if (deleted) r[52] = r[53] = 0xFF;
  return r;
}

std::string ZipDiscountFile(const std::vector<ZipDiscountBytes>& records,
                            const std::string& tail) {
  std::string out;
  for (const ZipDiscountBytes& r : records) {
    out.append(reinterpret_cast<const char*>(r.data()), r.size());
  }
  return out + tail;
}

}  // namespace testkit
