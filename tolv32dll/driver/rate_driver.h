// The rating of one ShipmentRecord on the calling thread's engine: the request is parsed,
// the tariff chosen and opened, the rate basis found, the charges and totals computed and
// the response written back; any failing step leaves its error number in Status.
#ifndef TOLV32DLL_DRIVER_RATE_DRIVER_H_
#define TOLV32DLL_DRIVER_RATE_DRIVER_H_

#include <cstdint>

#include "tolv32dll/engine/rating_engine.h"
#include "tolv32dll/records/shipment_record.h"

namespace tolv {

// Rates the record in place (the caller's 2160 bytes): copy in, drive under the rating
// lock when the library's UseCriticalSection is on, copy the result back. candidate_list
// is the caller's list of the call, or null.
void RateShipmentRecord(RatingEngine& engine, std::uint8_t* record,
                        std::uint8_t* candidate_list = nullptr);

// The driver itself on a copy of the request; returns 0 or the error number, which is also
// written into the record's Status.
ErrorNumber DriveShipment(RatingEngine& engine, ShipmentRecord& record,
                          std::uint8_t* candidate_list = nullptr);

// The record of a call that has no engine to rate it (its initialisation failed): the
// Status must not stay blank, since a blank Status reads as a rated shipment.
void MarkNoEngine(std::uint8_t* record);

}  // namespace tolv

#endif  // TOLV32DLL_DRIVER_RATE_DRIVER_H_
