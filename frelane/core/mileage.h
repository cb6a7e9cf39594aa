// modMain.GetMileage: the highway miles of the current lane, asked of the engine by rating
// the program's ShipmentRecord against the mileage tariff.
#ifndef FRELANE_CORE_MILEAGE_H_
#define FRELANE_CORE_MILEAGE_H_

namespace frelane::modMain {

inline constexpr char kMileageTariff[] = "MILE0001";

// Rates the ShipmentRecord (its points, ship date and constant fields as the caller set
// them) against the mileage tariff with no detail lines and no discount, and gives the
// miles the engine returned as the rate basis; -1 when the rating failed or gave 1 mile or
// less. The detail count is put back afterwards; the tariff name stays the mileage tariff's
// and the discount switch "N" until the next tariff choice.
double GetMileage();

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_MILEAGE_H_
