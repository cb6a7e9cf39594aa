// kqdebug.dbr, the binary debug log: records one after another with no file header. Each
// record is a 12-byte head (data length, kind, writing thread) and the data. The kinds and
// the length of each kind's data are declared here once, for every writer of the log.
#ifndef TOLV32DLL_LOGS_BINARY_LOG_FORMAT_H_
#define TOLV32DLL_LOGS_BINARY_LOG_FORMAT_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/os/record_layout.h"
#include "tolv32dll/records/shipment_record.h"

namespace tolv {

inline constexpr char kBinaryLogName[] = "kqdebug.dbr";

namespace binary_log_head {
inline constexpr os::Field kLength = os::I32Field(0);    // data bytes after the head
inline constexpr os::Field kKind = os::I32Field(4);      // BinaryLogKind
inline constexpr os::Field kThreadId = os::I32Field(8);  // the writing thread
inline constexpr std::size_t kSize = 4 + 4 + 4;
static_assert(os::FieldsTile({kLength, kKind, kThreadId}, kSize));
}  // namespace binary_log_head

// What a record holds, by the step that writes it.
enum class BinaryLogKind : std::int32_t {
  kTimeBeforeRating = 0,            // i32 seconds
  kTimeAfterRating = 1,             // i32 seconds
  kRateBasisText = 2,               // text of the point-type '7' method, its own length
  kChargeBlock = 3,                 // 175 x i32, as in the ShipmentRecord at 976
  kLaneAdjustmentRows = 4,          // 780 bytes of lane-adjustment rows
  kRateRecord = 5,                  // add-on table data or the rate record read, any length
  kRateBasisArea = 6,               // i32
  kOriginPoint = 7,                 // 16 bytes
  kDestinationPoint = 8,            // 16 bytes
  kRateBasisValue = 9,              // i16 or i32
  kAddOnSum = 10,                   // i16: rate-basis value, the sum of the add-ons
  kLaneAdjustmentResult = 11,       // 105 bytes
  kLaneAdjustmentResultSecond = 12, // 105 bytes, the second applier
  kRateBasisNumber = 13,            // i32
  kRequestHeader = 14,              // the 264-byte ShipmentHeader as received
  kOpenedFile = 15,                 // 260 bytes: the full name of a file just opened
  kBracketBlock = 16,               // 276 bytes: the minimum-charge brackets (below)
  kEngineVersion = 17,              // the 105-byte EngineVersionText
  kLiteCodeTable = 18,              // 2500 bytes: the Lite E code table
  kAddOnLookup = 19,                // 12-byte add-on record
  kAddOnLookupSecond = 20,          // 12-byte add-on record
  kAddOnPoint = 21,                 // 12-byte add-on record
};
inline constexpr int kBinaryLogKinds = 22;

// The full file name of kind 15: the name, then NULs; a longer name keeps its first 259
// characters so the field always ends in a NUL.
namespace binary_log_file_name {
inline constexpr std::size_t kSize = 260;
inline constexpr std::size_t kMaxName = kSize - 1;
}  // namespace binary_log_file_name

// The bracket block of kind 16: the ShipmentRecord's bytes 1880 to 2155, from the bracket
// kinds to the bracket count, laid out as there.
namespace binary_log_brackets {
namespace sr = shipment_record;
inline constexpr std::size_t kBegin = sr::kBracketKinds.offset;
inline constexpr os::Field kKinds = os::TextField(sr::kBracketKinds.offset - kBegin, sr::kBrackets);
inline constexpr os::Field kUnused = os::RawField(sr::kUnused1910.offset - kBegin, 2);
inline constexpr os::Field kWeight = os::I32Field(sr::kBracketWeight.offset - kBegin);  // Nth
inline constexpr os::Field kCharge = os::I32Field(sr::kBracketCharge.offset - kBegin);  // Nth
inline constexpr os::Field kMethod = os::I16Field(sr::kMinimumMethod.offset - kBegin);
inline constexpr os::Field kCount = os::I16Field(sr::kBracketCount.offset - kBegin);
inline constexpr std::size_t kSize = 30 + 2 + 30 * 4 + 30 * 4 + 2 + 2;
static_assert(os::FieldsTile({kKinds, kUnused, kWeight.Run(sr::kBrackets),
                              kCharge.Run(sr::kBrackets), kMethod, kCount},
                             kSize));
static_assert(kBegin + kSize == sr::kUnused2156.offset);
}  // namespace binary_log_brackets

// True when n bytes of data are what a record of this kind holds: its fixed length, either
// width for kind 9, any length for kinds 2 and 5. Unknown kinds fit nothing.
bool BinaryLogLengthFits(BinaryLogKind kind, std::size_t n);

// One whole record, head and data, as it goes to the file.
std::vector<std::uint8_t> EncodeBinaryLogRecord(BinaryLogKind kind, std::int32_t thread_id,
                                                std::span<const std::uint8_t> data);

// The data of kind 15 for a file name.
std::array<std::uint8_t, binary_log_file_name::kSize> BinaryLogFileName(std::string_view name);

// The data of kind 16. kinds holds one letter per bracket (cut or blank-padded to 30);
// weights and charges give up to 30 values each, the rest zero.
std::array<std::uint8_t, binary_log_brackets::kSize> BinaryLogBrackets(
    std::string_view kinds, std::span<const std::int32_t> weights,
    std::span<const std::int32_t> charges, std::int16_t method, std::int16_t count);

}  // namespace tolv

#endif  // TOLV32DLL_LOGS_BINARY_LOG_FORMAT_H_
