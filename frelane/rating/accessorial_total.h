// The total of the accessorial charges the user ticked in the accessorial dialog, each
// priced from its accchg.dat record, with its minimum and maximum.
#ifndef FRELANE_RATING_ACCESSORIAL_TOTAL_H_
#define FRELANE_RATING_ACCESSORIAL_TOTAL_H_

#include <optional>

#include "platform/os/record_layout.h"
#include "platform/runtime/currency.h"

namespace frelane {

namespace accchg {

// The charge of one ticked row: `input` is the number typed in its box, `weight` the
// shipment's total weight in pounds, `net` the net freight charge. No value for a kind
// outside 1-6: such a row adds nothing.
std::optional<runtime::Currency> PriceCharge(os::ConstRecordView record, double input,
                                             double weight, double net);

// A double rounded half away from zero to whole cents.
runtime::Currency RoundToCents(double value);

}  // namespace accchg

namespace modMain {

// The total of the ticked charges; `subtotal` (set to 0 first) gets the part of it whose
// descriptions hold "~+", which bears fuel surcharge. Loads the dialog when it is not
// loaded (nothing is ticked then).
runtime::Currency GetAccessorialTotal(runtime::Currency& subtotal);

}  // namespace modMain

}  // namespace frelane

#endif  // FRELANE_RATING_ACCESSORIAL_TOTAL_H_
