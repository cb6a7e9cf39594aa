// The state the point boxes of the rating screen keep in the main module beyond the lane
// state: the service-guide terminal of each point (terminal mode only).
#ifndef FRELANE_RATING_POINT_ENTRY_H_
#define FRELANE_RATING_POINT_ENTRY_H_

#include <cstdint>

namespace frelane::modMain {

// ServTerm.dat record numbers of the points' terminals; 0 when a point has none.
inline std::int32_t& OriginTerminal() {
  static std::int32_t terminal = 0;
  return terminal;
}
inline std::int32_t& DestinationTerminal() {
  static std::int32_t terminal = 0;
  return terminal;
}

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_POINT_ENTRY_H_
