// Reading the rate basis from the tariff's files: the rate index entry of a rate basis
// number, the rate record (stepped forward to the shipment's rate-basis area), the
// minimum-charge block, the stepped rate basis and the printed number.
#ifndef TOLV32DLL_RATEBASIS_RATE_FILE_H_
#define TOLV32DLL_RATEBASIS_RATE_FILE_H_

#include <cstdint>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/rating_files.h"
#include "tolv32dll/ratebasis/rate_basis_state.h"

namespace tolv {

// The rate index of a rate basis number: 3-byte entries for index format 'P', 2-byte
// entries for index_bits 0, else index_bits-wide fields packed most significant bit first.
// 207 when the index cannot be opened; 218 when the entry is missing or unreadable.
Result<std::int32_t> FetchRateIndex(RatingFiles& files, const CurrentTariff& tariff,
                                    int index_bits, std::int64_t rate_basis_number);

// The rate-basis area of the shipment, 0 when the tariff has none. Errors make the area
// unusable (214) or are the ".O" open error.
Result<std::int32_t> LookupRateBasisArea(RatingFiles& files, const CurrentTariff& tariff,
                                         const RateRecord& record, PointState& points,
                                         ListRequest& request);

// Reads record `number` of ".R" into the state, logs it as read (binary log kind 5), then
// moves forward to the record of the shipment's rate-basis area. 208 (open), 214 (short
// read, no record of the area).
ErrorNumber ReadRateRecord(RatingFiles& files, const CurrentTariff& tariff,
                           std::int64_t number, std::size_t record_length, PointState& points,
                           ListRequest& request, RateBasisState& state);

// From the record in the state (its number and length), reads forward to the record of
// the shipment's rate-basis area; 214 when the area has no record.
ErrorNumber PositionOnRateBasisArea(RatingFiles& files, const CurrentTariff& tariff,
                                    PointState& points, ListRequest& request,
                                    RateBasisState& state);

// Reads the 384-byte ".M" block: 225 (open), 226 (short).
ErrorNumber ReadMinimumBlock(RatingFiles& files, RateBasisState& state);

// The printed number: the non-blank characters of rate record bytes 3-9; point type 'F'
// drops a last letter.
std::string CompactRateBasisNumber(const RateRecord& record, char point_type);
// Point types '1' and 'D': the position (1-3, 4 for none) of the record's first three
// characters among "801", "802", "803", then rate record bytes 5-8.
std::string CodedRateBasisNumber(const RateRecord& record);

// The stepped rate basis: reads forward to the record whose number is the printed number
// plus the increment, prints that number and reloads with its factor set. 214 when no
// record carries it.
ErrorNumber SeekSteppedRateNumber(RatingFiles& files, const RateBasisTerms& terms,
                                  std::size_t record_length, RateBasisState& state);

}  // namespace tolv

#endif  // TOLV32DLL_RATEBASIS_RATE_FILE_H_
