// The point the City Look-Up picked, waiting for the point box that takes it.
#ifndef FRELANE_RATING_PICKED_POINT_H_
#define FRELANE_RATING_PICKED_POINT_H_

#include <string>

namespace frelane::modMain {

// The picked postal code (at most 6 characters) and city; empty when nothing is pending.
inline std::string& PickedZip() {
  static std::string zip;
  return zip;
}
inline std::string& PickedCity() {
  static std::string city;
  return city;
}

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_PICKED_POINT_H_
