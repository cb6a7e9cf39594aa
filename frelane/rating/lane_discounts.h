// The discounts of a lane: the postal-code discount table ZipDisc.dat (searched for the
// screen and for every lane of a rate-sheet run) and the discount part of the
// ShipmentRecord that the screen fills before it rates its lane: the switch, the ten
// values of discount block A, the discount kind and the lane's minimum-charge floor.
#ifndef FRELANE_RATING_LANE_DISCOUNTS_H_
#define FRELANE_RATING_LANE_DISCOUNTS_H_

#include <string>
#include <string_view>

namespace forms {
class TextBox;
}

namespace frelane::modMain {

// True when a live record of ZipDisc.dat covers the lane of the program's ShipmentRecord
// (the first five characters of each point between the record's trimmed range ends, plain
// string comparison); the first such record, in file order, is then in
// Lane().FoundZipDiscount. A missing table is created empty; one that cannot be opened or
// created finds nothing.
bool FindZipDiscount();

// A percentage as a discount value of the record: percent x 100 rounded to four digits
// and a blank ("2500 " for 25 %, "0750 " for 7.5 %).
std::string FourDigitDiscount(double percent);
// percent x 100 as its plain decimal text with "." and a blank after it, cut or filled to
// five characters ("750  " for 7.5 %, "1234." for 12.345 %).
std::string PlainDiscount(double percent);

// The texts of the screen's four discount boxes: MC %, LTL % (or the single discount),
// TL %, MC floor in dollars.
struct DiscountBoxes {
  std::string mc, ltl, tl, floor;
};

// The largest percentage a discount box takes; larger values have no four-digit form.
inline constexpr double kMaxPromptedDiscount = 99.99;
// True when a discount box holding `text` (after a key) stays within the percentages the
// record can carry.
bool PromptedDiscountFits(std::string_view text);
// Key filter of the MC, LTL and TL discount boxes, after the numeric one: a character that
// would make the box's value larger than kMaxPromptedDiscount becomes no key (0).
void RefuseDiscountBeyondLimit(forms::TextBox& box, int& key_ascii);

// Fills the discount part of the program's ShipmentRecord and Lane().LaneMcFloor from one
// source: a zip-specific discount, the intrastate, Canada or US set of the settings, or
// the boxes when the settings prompt for discounts.
void FillLaneDiscounts(const DiscountBoxes& boxes);

}  // namespace frelane::modMain

#endif  // FRELANE_RATING_LANE_DISCOUNTS_H_
