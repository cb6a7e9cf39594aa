// ShipmentWorkArea: the shipment in hand inside the engine. Every rating step reads and
// writes it; it is rewritten for every shipment. Each component keeps its part here as a
// state object of its own type, defined in its own folder.
#ifndef TOLV32DLL_ENGINE_SHIPMENT_WORK_AREA_H_
#define TOLV32DLL_ENGINE_SHIPMENT_WORK_AREA_H_

#include <cstdint>
#include <vector>

#include "tolv32dll/points/point_state.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"
#include "tolv32dll/rates/class_rate_tables.h"
#include "tolv32dll/rates/class_totals.h"

namespace tolv {

struct ShipmentWorkArea {
  // Points of the shipment: the working copy of each end and the records found for them.
  PointState points;
  // The buffer of the request's detail lines, kept from one rating to the next.
  std::vector<DetailLine> detail_lines;
  // The class-rate tables of the tariff in force, loaded again by every leg; kept here so a
  // rating does not build them afresh.
  ClassRateTables class_tables;
  // The rate basis of the shipment, cleared by every leg; the rate record's buffer is kept.
  RateBasisState rate_basis;

  // Components add their parts below, one member each (rate basis, class rates and weight
  // breaks, factor grids, charges, lane adjustments, the tariff-determination state).
};

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_SHIPMENT_WORK_AREA_H_
