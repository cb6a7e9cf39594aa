// The customer switches: behaviour chosen by the first letters of the carrier's company
// name in the settings, compared upper-cased. One test serves every screen.
#ifndef FRELANE_RATING_CUSTOMER_SWITCH_H_
#define FRELANE_RATING_CUSTOMER_SWITCH_H_

#include "frelane/core/company_name.h"

namespace frelane {

using modMain::CompanyNameStartsWith;

}  // namespace frelane

#endif  // FRELANE_RATING_CUSTOMER_SWITCH_H_
