// The terminals of the current lane's points in terminal mode: record numbers of
// ServTerm.dat, set when a point is entered; 0 when the point has no terminal.
#ifndef FRELANE_RATING_TERMINAL_NUMBERS_H_
#define FRELANE_RATING_TERMINAL_NUMBERS_H_

#include <cstdint>

namespace frelane::modMain {

inline std::int32_t& OriginTerminal() {
  static std::int32_t number = 0;
  return number;
}
inline std::int32_t& DestinationTerminal() {
  static std::int32_t number = 0;
  return number;
}

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_TERMINAL_NUMBERS_H_
