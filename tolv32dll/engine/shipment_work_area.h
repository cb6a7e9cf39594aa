// ShipmentWorkArea: the parts of the shipment in hand that several rating steps share, each
// a state object of the component that owns it. Each part is set afresh for every shipment
// (or every leg of one); the buffers behind them are kept from one rating to the next.
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
};

}  // namespace tolv

#endif  // TOLV32DLL_ENGINE_SHIPMENT_WORK_AREA_H_
