// ZipDisc.dat: the postal-code discount table, a random-access file of 64-byte records
// numbered from 1, no header. Each record pairs an origin code range with a destination
// code range and carries the discounts and the minimum-charge floor of the lanes between
// them. The file is kept sorted by the 20-character key of the four range fields as
// stored; deleted records stay in it with Deleted = -1. Written only by the discount
// editor; read by the rating screen's lane discounts and the rate-sheet run.
#ifndef FRELANE_CORE_ZIP_DISCOUNT_RECORD_H_
#define FRELANE_CORE_ZIP_DISCOUNT_RECORD_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace frelane::zipdisc {

inline constexpr char kFileName[] = "zipdisc.dat";

inline constexpr std::size_t kCodeWidth = 5;
inline constexpr os::Field kOriginLow = os::TextField(0, kCodeWidth);
inline constexpr os::Field kOriginHigh = os::TextField(5, kCodeWidth);
inline constexpr os::Field kDestinationLow = os::TextField(10, kCodeWidth);
inline constexpr os::Field kDestinationHigh = os::TextField(15, kCodeWidth);
inline constexpr os::Field kMcDiscount = os::F64Field(20);   // percent
inline constexpr os::Field kLtlDiscount = os::F64Field(28);  // percent
inline constexpr os::Field kTlDiscount = os::F64Field(36);   // percent
inline constexpr os::Field kMcFloor = os::F64Field(44);      // dollars
inline constexpr os::Field kDeleted = os::I16Field(52);      // 0 live, -1 deleted
inline constexpr os::Field kReserved = os::RawField(54, 10);

// The sort key: the four range fields as stored, padding included.
inline constexpr os::Field kSortKey = os::RawField(0, 4 * kCodeWidth);

inline constexpr std::size_t kRecordSize = 4 * kCodeWidth + 4 * 8 + 2 + 10;
static_assert(os::FieldsTile({kOriginLow, kOriginHigh, kDestinationLow, kDestinationHigh,
                              kMcDiscount, kLtlDiscount, kTlDiscount, kMcFloor, kDeleted,
                              kReserved},
                             kRecordSize));
static_assert(kRecordSize == 64);

// The editor counts records in 16 bits: the file holds at most this many.
inline constexpr int kMaxRecords = 32767;

}  // namespace frelane::zipdisc

#endif  // FRELANE_CORE_ZIP_DISCOUNT_RECORD_H_
