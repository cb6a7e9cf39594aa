// The sequential city file: after a run of 18-byte lines (the last begins with '*'),
// 28-byte records keyed by ZIP and area number give a value per city and side. Used by the
// rate-basis-area lookup and the lane-adjustment loader.
#ifndef TOLV32DLL_POINTS_SEQUENTIAL_LIST_H_
#define TOLV32DLL_POINTS_SEQUENTIAL_LIST_H_

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/os/record_layout.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

// One line of the header run.
inline constexpr std::size_t kSequentialLineSize = 18;

// AreaCityRecord: ZIP (5 characters) and area number (u16 little-endian) form the 7-byte
// key; the area sorts as an unsigned number.
namespace area_city_record {
inline constexpr os::Field kZip = os::TextField(0, 5);
inline constexpr os::Field kArea = os::RawField(5, 2);   // high byte, then low byte
inline constexpr os::Field kSide = os::TextField(7, 1);  // 'F' origin, 'T' destination, 'B' both
inline constexpr os::Field kValue = os::RawField(8, 1);
inline constexpr os::Field kCity = os::TextField(9, 19);
inline constexpr std::size_t kSize = 28;
inline constexpr std::size_t kKeySize = kSide.offset;
static_assert(os::FieldsTile({kZip, kArea, kSide, kValue, kCity}, kSize));
}  // namespace area_city_record

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
