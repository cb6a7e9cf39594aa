#include "frelane/ratesheet/lane_lookups.h"

namespace frelane::ratesheet {

LaneLookups ProgramLookups() {
  LaneLookups lookups;
  lookups.SelectTariff = [](bool) {};
  lookups.FindZipDiscount = [] { return false; };
  lookups.GetFloorCharge = [] { return 0.0; };
  return lookups;
}

LaneLookups& Lookups() {
  static LaneLookups lookups = ProgramLookups();
  return lookups;
}

}  // namespace frelane::ratesheet
