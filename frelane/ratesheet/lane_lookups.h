// The rating look-ups a rate sheet shares with the rating screen: the tariff choice, the
// zip-range discount search and the minimum-charge floor. The program's own are bound here
// once; tests put their own in place to reach answers the data files cannot give.
#ifndef FRELANE_RATESHEET_LANE_LOOKUPS_H_
#define FRELANE_RATESHEET_LANE_LOOKUPS_H_

#include <functional>

namespace frelane::ratesheet {

struct LaneLookups {
  // Writes the tariff name and intrastate flag of the record's two points.
  std::function<void(bool batch_mode)> SelectTariff;
  // True when a ZipDisc.dat record holds the lane (it is then the lane's FoundZipDiscount).
  std::function<bool()> FindZipDiscount;
  // The lane's minimum-charge floor in dollars.
  std::function<double()> GetFloorCharge;
};

// The program's look-ups.
LaneLookups ProgramLookups();

// The look-ups in use: the program's unless a test replaced them.
LaneLookups& Lookups();

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_LANE_LOOKUPS_H_
