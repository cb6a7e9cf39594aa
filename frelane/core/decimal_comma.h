// modMain.UseDecimalComma: where the locale writes numbers with a decimal comma, the engine's
// money and rate texts (always written with a point) are turned to the locale's form before
// the screens read them with SafeValue.
#ifndef FRELANE_CORE_DECIMAL_COMMA_H_
#define FRELANE_CORE_DECIMAL_COMMA_H_

#include "tolv32dll/records/shipment_record.h"

namespace frelane::modMain {

// In each numeric result field of the record (the header's discount amount, minimum
// discount, minimum charge, deficit rate, deficit charge, charges and discount percent, and
// the rate and charge of detail slots 1 to 8) the first "." becomes ",".
void UseDecimalComma(tolv::ShipmentRecord& record);
// The same on the program's one ShipmentRecord.
void UseDecimalComma();

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_DECIMAL_COMMA_H_
