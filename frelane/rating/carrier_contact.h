// The carrier's telephone number as the settings hold it: in the first About text that
// carries one, the first run of digits, blanks, "-", ".", "(", ")" and "+" with at least
// seven digits ("Customer service 555-0100" gives "555-0100"). Empty when none does.
#ifndef FRELANE_RATING_CARRIER_CONTACT_H_
#define FRELANE_RATING_CARRIER_CONTACT_H_

#include <string>
#include <string_view>

namespace frelane {

// The telephone number in `text`, or "".
std::string TelephoneIn(std::string_view text);
std::string CarrierTelephone();

}  // namespace frelane

#endif  // FRELANE_RATING_CARRIER_CONTACT_H_
