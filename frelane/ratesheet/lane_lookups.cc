#include "frelane/ratesheet/lane_lookups.h"

#include "frelane/rating/floor_charge.h"
#include "frelane/rating/lane_discounts.h"
#include "frelane/rating/tariff_selection.h"

namespace frelane::ratesheet {

LaneLookups ProgramLookups() {
  LaneLookups lookups;
  lookups.SelectTariff = modMain::SelectTariff;
  lookups.FindZipDiscount = modMain::FindZipDiscount;
  lookups.GetFloorCharge = modMain::GetFloorCharge;
  return lookups;
}

LaneLookups& Lookups() {
  static LaneLookups lookups = ProgramLookups();
  return lookups;
}

}  // namespace frelane::ratesheet
