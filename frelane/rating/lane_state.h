// The lane state of the main module that the rating screen and the rate-sheet run share:
// each side sets it while it prepares a request and the look-ups read it.
#ifndef FRELANE_RATING_LANE_STATE_H_
#define FRELANE_RATING_LANE_STATE_H_

#include <array>
#include <cstdint>
#include <string>

#include "frelane/core/zip_discount_record.h"
#include "platform/runtime/currency.h"

namespace frelane::modMain {

struct LaneState {
  // Two-letter states (or provinces) of the current points; blank when unknown.
  std::string OriginState;
  std::string DestinationState;
  // The lane's minimum-charge floor in dollars from its discount source; 0 when none.
  runtime::Currency LaneMcFloor;
  // The FloorAdd.dat amount the last floor look-up added, in dollars; 0 when none.
  double FloorAddition = 0.0;
  // The ZipDisc.dat record the last successful zip-discount search found.
  std::array<std::uint8_t, zipdisc::kRecordSize> FoundZipDiscount{};
  // The intrastate tariffs accepted for a rate-sheet run: two-character codes, blank for a
  // slot not ticked.
  std::array<std::string, 20> IntrastateList;
};

// The program's one instance (one thread uses it).
inline LaneState& Lane() {
  static LaneState state;
  return state;
}

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_LANE_STATE_H_
