// The sequential city file: after a run of 18-byte lines (the last begins with '*'),
// 28-byte records keyed by ZIP and area number give a value per city and side. Used by the
// rate-basis-area lookup and the lane-adjustment loader.
#ifndef TOLV32DLL_POINTS_SEQUENTIAL_LIST_H_
#define TOLV32DLL_POINTS_SEQUENTIAL_LIST_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// One line of the header run.
inline constexpr std::size_t kSequentialLineSize = 18;

// AreaCityRecord: ZIP (5 characters) and area number (u16 little-endian) form the 7-byte
// key; the area sorts as an unsigned number.
struct AreaCityRecordLayout {
  static constexpr std::size_t kZip = 0, kZipWidth = 5;
  static constexpr std::size_t kArea = kZip + kZipWidth;
  static constexpr std::size_t kKeySize = kArea + 2;
  static constexpr std::size_t kSide = kKeySize;  // 'F' origin, 'T' destination, 'B' both
  static constexpr std::size_t kValue = kSide + 1;
  static constexpr std::size_t kCity = kValue + 1, kCityWidth = 19;
  static constexpr std::size_t kSize = kCity + kCityWidth;
};
static_assert(AreaCityRecordLayout::kSize == 28);

// The 7-byte key of an area-city record.
std::string AreaCityKey(const std::string& zip, std::uint16_t area);

// Sums the values of the records with this key whose city is the given city (without
// regard to case) and whose side is `side` or 'B'. With no such value but other cities
// under the key, the city choice picks one (its city replaces `city` and its value is the
// result) or none (0). Errors: those of the city choice.
Result<std::int32_t> FindInSequentialList(const FileView& file, std::string& city,
                                          const std::string& key, char side,
                                          ListRequest& request);

}  // namespace tolv

#endif  // TOLV32DLL_POINTS_SEQUENTIAL_LIST_H_
