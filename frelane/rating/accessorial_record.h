// accchg.dat: the carrier's accessorial charges, a random-access file of 116-byte records
// numbered from 1, no header. Record i is row i of the accessorial dialog; only the first
// 25 are offered. The program never writes it.
//
// The description may carry a parameter part after its first "~": "~+" anywhere marks a
// charge that also counts toward the fuel surcharge, and for kind 1 the number after the
// "~" is an amount per pound of shipment weight deducted from the declared value.
#ifndef FRELANE_RATING_ACCESSORIAL_RECORD_H_
#define FRELANE_RATING_ACCESSORIAL_RECORD_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/os/record_layout.h"

namespace frelane::accchg {

inline constexpr char kFileName[] = "accchg.dat";
inline constexpr int kMaxRows = 25;

inline constexpr os::Field kDescription = os::TextField(0, 50);
inline constexpr os::Field kKind = os::I16Field(50);     // 1-6
inline constexpr os::Field kRate = os::F64Field(52);     // rate or amount
inline constexpr os::Field kMinimum = os::F64Field(60);  // dollars, 0 = none
inline constexpr os::Field kMaximum = os::F64Field(68);  // dollars, 0 = none
inline constexpr os::Field kUnit = os::TextField(76, 20);
inline constexpr os::Field kReserved = os::TextField(96, 20);
inline constexpr std::size_t kRecordSize = 116;
static_assert(os::FieldsTile({kDescription, kKind, kRate, kMinimum, kMaximum, kUnit, kReserved},
                             kRecordSize));

// The kinds: how a charge is priced.
enum Kind : int {
  kPercentOfValue = 1,     // (declared value - per-pound amount x weight) x rate / 100
  kPerHundredWeight = 2,   // weight / 100 x rate
  kPerShipment = 3,        // the rate
  kPercentOfFreight = 4,   // net charge x rate / 100
  kAmountEntered = 5,      // the amount typed
  kPerUnit = 6,            // rate x the count typed
};

// The caption the dialog shows: the trimmed text before the first "~".
std::string Caption(std::string_view description);
// True when the description holds "~+".
bool CountsTowardFuel(std::string_view description);
// The number after the first "~" (0 when there is no "~" or no number there).
double PerPoundQuantity(std::string_view description);
// True for the kinds that need a typed value (1, 5 and 6).
inline bool NeedsInput(int kind) {
  return kind == kPercentOfValue || kind == kAmountEntered || kind == kPerUnit;
}

}  // namespace frelane::accchg

#endif  // FRELANE_RATING_ACCESSORIAL_RECORD_H_
