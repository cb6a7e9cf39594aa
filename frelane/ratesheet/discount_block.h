// The discount block of a rate-sheet lane: before each rating the run writes the ten
// values of the record's direct-service discount block (value 1 the minimum-charge
// discount, 2-7 the LTL breaks, 8-10 the TL breaks, each percent x 100 as 5 characters)
// and the lane's MC floor, from the first source that applies: the lane's zip-range
// discount, then the intrastate, Canada or interstate set of the sheet.
#ifndef FRELANE_RATESHEET_DISCOUNT_BLOCK_H_
#define FRELANE_RATESHEET_DISCOUNT_BLOCK_H_

#include <string>

namespace frelane::ratesheet {

enum class DiscountSource { kZipRange, kIntrastate, kCanada, kInterstate };

// Percent x 100 as "0000" digits followed by a blank: 5 % gives "0500 ".
std::string FourDigitValue(double percent);
// A blank followed by the "0000" digits: 5 % gives " 0500". A value the engine would read
// as its "no value" marker (99.99 %) or one with five digits is written left-aligned
// instead ("9999 ", "10000"), which the engine reads as the same number.
std::string BlankLedValue(double percent);
// Percent x 100 as a general number with a leading blank, cut or padded to 5 characters:
// 5 % gives " 500 ", 12.345 % gives " 1234"; 99.99 % gives "9999 ", never the marker.
std::string GeneralNumberValue(double percent);

// Writes the discount block of the program's ShipmentRecord and the lane's MC floor for
// the points and states it holds. Returns the source used.
DiscountSource ApplyDiscounts();

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_DISCOUNT_BLOCK_H_
