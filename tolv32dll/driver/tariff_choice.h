// The tariff steps of a rating beyond determination: the tariff type of a bureau tariff,
// the lane-point tariff's twin for lanes it does not hold, and the reload of the tariff's
// factor file for the factor set of a rate record.
#ifndef TOLV32DLL_DRIVER_TARIFF_CHOICE_H_
#define TOLV32DLL_DRIVER_TARIFF_CHOICE_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "tolv32dll/effective/effective_entry.h"
#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/candidate_list.h"

namespace tolv {

// The factors a bureau tariff's type gives the charges (10000 = 1.0): minimum charges,
// weight breaks 1-6 and breaks 7 on.
struct TypeFactors {
  bool set = false;  // some factor was given
  std::array<std::int32_t, 3> factors{10000, 10000, 10000};
};

// Point type 'Y': the lane's record of the bureau tariff (points, rate index, rate record
// of the type's kind row) gives the three type factors. 202 for a type without a kind row,
// else the point, index and rate file errors. REQUIRES: engine.work.points holds the lane.
Result<TypeFactors> SelectTariffType(RatingEngine& engine, ListRequest& list);

// Point type 'N': when the tariff's point and index files do not hold the lane and the
// tariff is not itself a twin (sixth name character 'N'), its twin, named with an eighth
// character 'N' under tariff number 2 and in force on the ship date, takes its place.
// 0, or the look-up's or the selection's error. REQUIRES: engine.work.points holds the lane.
ErrorNumber ReselectLanePointTariff(RatingEngine& engine, const TariffDate& ship_date);

// What the companion switch reads of the request.
struct CompanionRequest {
  TariffDate ship_date;
  bool canadian = false;       // the shipment's Canadian switch
  std::string_view tariff_name;  // the requested name; empty when none
};

// Switches the selected tariff to its companion and gives the rate-record length of the
// kind row of the new point type (202 when it has none). A companion code of "00" names
// the companion by `code`: the latest entry under tariff number 2 in force on the ship
// date whose name is the selected name's first 6 characters followed by `code`; each entry
// that is its candidate is then selected in table order (none found: the selection
// stays). Any other code replaces the name's last 2 characters, and the companion letter
// becomes the point type. The files already open stay open, except ".R", which is opened
// again for the companion; the companion is then loaded for rating.
Result<std::size_t> Tariff_SwitchToCompanion(RatingEngine& engine, std::string_view code,
                                             const CompanionRequest& request);

// Reloads the selected tariff for rating with the factor set of a rate record when it
// differs from the tariff's own number; the selection itself keeps its number.
ErrorNumber Tariff_ReloadWithFactorSet(RatingEngine& engine, int factor_set);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_TARIFF_CHOICE_H_
