// The look-ups keyed by the shipment's two ZIPs: the ZIP-pair record of ".Z" (the pair's
// rate basis range and its minimum-charge data) and the class-factor range of ".C".
#ifndef TOLV32DLL_ZIPTABLES_ZIP_PAIR_H_
#define TOLV32DLL_ZIPTABLES_ZIP_PAIR_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/ratebasis/rate_record.h"
#include "tolv32dll/ziptables/zip_records.h"
#include "tolv32dll/ziptables/zip_table_files.h"

namespace tolv {

using ZipPairRecord = std::array<std::uint8_t, zip_pair_record::kSize>;

// The record of the pair (origin, destination) whose rate basis range holds bytes 4-9 of
// the rate record: first as a forward pair, then as a both-ways pair with the lower code
// first. nullopt when there is none (or a code does not pack); 205 when ".Z" cannot be
// opened.
Result<std::optional<ZipPairRecord>> FindZipPair(ZipTableFiles& files, const std::string& origin,
                                                 const std::string& destination,
                                                 const RateRecord& rate);

// Orders a 40-byte key against a ZIP-pair record: direction byte, then the origin and the
// destination code against their ranges, then the rate basis against its range.
int CompareZipPair(os::ByteSpan key, os::ByteSpan record);

using ClassFactorRange = std::array<std::uint8_t, class_factor_range_record::kSize>;

// The ranges of ".C" in file order (at most 20; a file with fewer holds only those).
struct ClassFactorRanges {
  std::vector<ClassFactorRange> ranges;
  // The i16 of range e at byte 9.
  std::int16_t BreakFactor(std::size_t e) const;
};

// Reads the ranges (270 when ".C" cannot be opened) and gives the index of the first that
// holds the origin code, else the first that holds the destination code, else -1.
Result<int> FindClassFactorRange(ZipTableFiles& files, const std::string& origin,
                                 const std::string& destination, ClassFactorRanges& ranges);

}  // namespace tolv

#endif  // TOLV32DLL_ZIPTABLES_ZIP_PAIR_H_
