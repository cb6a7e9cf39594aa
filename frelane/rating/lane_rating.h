// What the rating of the screen's lane reads back from the engine's answer beyond the
// labels: whether the tariff's minimum-charge brackets call for the single-shipment
// question.
#ifndef FRELANE_RATING_LANE_RATING_H_
#define FRELANE_RATING_LANE_RATING_H_

#include "tolv32dll/records/shipment_record.h"

namespace frelane {

// True when the brackets of the last rating are not all of one kind and some bracket of
// kind 0 has a charge. The bracket count is taken as 0 to 30 whatever the record says.
bool SingleShipmentQuestionDue(const tolv::ShipmentRecord& record);

}  // namespace frelane

#endif  // FRELANE_RATING_LANE_RATING_H_
