// The E base (".Q") and E matrix (".J") of the tariffs that use them: the base maps a ZIP to
// an area, the matrix maps an origin and destination area to a lane-adjustment record,
// whose links name the lane adjustments of the lane.
//
// Both files are 12-byte records after a head of two 6-byte entries (2-character name,
// i32). Base head: the second entry's i32 is the end of the records (record index, the
// head being record 0). Base records: 'A', blank, packed low ZIP (5 digits), the high
// ZIP's last two digits (packed), a 6-byte area code whose first 3 bytes name the area.
// Matrix head: the first section's name and first record, then the end of that section.
// Matrix records: "A " + origin area + destination area, a packed 5-digit
// lane-adjustment record number, one byte unused.
#ifndef TOLV32DLL_SIDETABLES_E_BASE_H_
#define TOLV32DLL_SIDETABLES_E_BASE_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/rating_files.h"
#include "tolv32dll/sidetables/precedence.h"

namespace tolv {

// The E base and matrix files: 12-byte records, the first a head of two entries (a name and
// an i32 record number each).
namespace e_base_head {
inline constexpr os::Field kFirstName = os::TextField(0, 2);
inline constexpr os::Field kFirst = os::I32Field(2);
inline constexpr os::Field kSecondName = os::TextField(6, 2);
inline constexpr os::Field kSecond = os::I32Field(8);
inline constexpr std::size_t kSize = 12;
static_assert(os::FieldsTile({kFirstName, kFirst, kSecondName, kSecond}, kSize));
}  // namespace e_base_head
namespace e_base_record {
inline constexpr os::Field kKey = os::TextField(0, 2);
inline constexpr os::Field kLow = os::RawField(2, 3);       // packed ZIP
inline constexpr os::Field kHighTail = os::RawField(5, 1);  // last 2 digits of the high ZIP
inline constexpr os::Field kArea = os::TextField(6, 3);
inline constexpr os::Field kUnused9 = os::RawField(9, 3);
inline constexpr std::size_t kSize = 12;
static_assert(os::FieldsTile({kKey, kLow, kHighTail, kArea, kUnused9}, kSize));
}  // namespace e_base_record
namespace e_matrix_record {
inline constexpr os::Field kKey = os::TextField(0, 8);
inline constexpr os::Field kNumber = os::RawField(8, 3);  // 5 packed digits
inline constexpr os::Field kUnused11 = os::RawField(11, 1);
inline constexpr std::size_t kSize = 12;
static_assert(os::FieldsTile({kKey, kNumber, kUnused11}, kSize));
}  // namespace e_matrix_record

// What the E base look-up hands to the lane adjustments.
struct EBaseSink {
  // The lane-adjustment record of a number: the 660-byte E record (record form 'U') or the
  // 350-byte ".A" record; nullopt when there is none.
  std::function<std::optional<std::vector<std::uint8_t>>(std::int32_t number)> read_record;
  // Appends a lane-adjustment hit of this number.
  std::function<void(std::int32_t number)> add_hit;
  // Appends the E record of this number (record form 'U').
  std::function<void(std::int32_t number)> add_e_record;
};

// The E base and matrix search of one lane. `e_records` is true when the tariff's
// lane-adjustment file number begins with "U". Errors: 273, 274 (files), 276 (".X").
ErrorNumber SearchEBase(RatingFiles& files, const PrecedenceLane& lane, bool e_records,
                        const EBaseSink& sink);

}  // namespace tolv

#endif  // TOLV32DLL_SIDETABLES_E_BASE_H_
