// Writer of ZipDisc.dat, the postal-code discount table, for tests: 64-byte records with the
// fields at the offsets of the file's published layout, written out here apart from the
// program's record declaration.
#ifndef TESTKIT_APP_ZIP_DISCOUNT_WRITER_H_
#define TESTKIT_APP_ZIP_DISCOUNT_WRITER_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

using ZipDiscountBytes = std::array<std::uint8_t, 64>;

// Codes at 0, 5, 10 and 15 (5 characters, blank-padded), MC, LTL and TL percent and the MC
// floor as doubles at 20, 28, 36 and 44, the deleted flag (i16, -1 deleted) at 52, ten
// reserved zero bytes.
ZipDiscountBytes ZipDiscountEntry(const char* origin_low, const char* origin_high,
                                  const char* destination_low, const char* destination_high,
                                  double mc = 0, double ltl = 0, double tl = 0,
                                  double mc_floor = 0, bool deleted = false);

// The records one after another, then `tail` (the start of a record cut short).
std::string ZipDiscountFile(const std::vector<ZipDiscountBytes>& records,
                            const std::string& tail = "");

}  // namespace testkit

#endif  // TESTKIT_APP_ZIP_DISCOUNT_WRITER_H_
