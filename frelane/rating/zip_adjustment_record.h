// AccAdjustment.dat: surcharges and notes of postal-code areas, a random-access file of
// 38-byte records, delivered with the program and never written.
#ifndef FRELANE_RATING_ZIP_ADJUSTMENT_RECORD_H_
#define FRELANE_RATING_ZIP_ADJUSTMENT_RECORD_H_

#include <cstddef>

#include "platform/os/record_layout.h"

namespace frelane::zipadj {

inline constexpr char kFileName[] = "AccAdjustment.dat";

inline constexpr os::Field kLowZip = os::TextField(0, 6);   // compared trimmed
inline constexpr os::Field kHighZip = os::TextField(6, 6);  // compared trimmed
inline constexpr os::Field kFromWeight = os::I32Field(12);  // lbs
inline constexpr os::Field kToWeight = os::I32Field(16);    // lbs, 0 = no upper limit
// Above 0 a surcharge in dollars; -1, -2, -3 a note; anything else says nothing.
inline constexpr os::Field kAmount = os::F64Field(20);
inline constexpr os::Field kRulesItem = os::TextField(28, 10);
inline constexpr std::size_t kRecordSize = 38;
static_assert(os::FieldsTile({kLowZip, kHighZip, kFromWeight, kToWeight, kAmount, kRulesItem},
                             kRecordSize));

}  // namespace frelane::zipadj

#endif  // FRELANE_RATING_ZIP_ADJUSTMENT_RECORD_H_
