// The carrier's telephone number as the settings hold it: the first About text that reads
// as a telephone number (digits with blanks, "-", ".", "(", ")" or a leading "+", at least
// seven digits). Empty when none does.
#ifndef FRELANE_RATING_CARRIER_CONTACT_H_
#define FRELANE_RATING_CARRIER_CONTACT_H_

#include <string>
#include <string_view>

namespace frelane {

bool LooksLikeTelephone(std::string_view text);
std::string CarrierTelephone();

}  // namespace frelane

#endif  // FRELANE_RATING_CARRIER_CONTACT_H_
