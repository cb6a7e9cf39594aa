// The customer switches: behaviour that depends on the first letters of the company name.
#ifndef FRELANE_CORE_COMPANY_NAME_H_
#define FRELANE_CORE_COMPANY_NAME_H_

#include <string_view>

namespace frelane::modMain {

// True when the settings' company name begins with `prefix`, compared upper-cased
// (`prefix` is written in upper case).
bool CompanyNameStartsWith(std::string_view prefix);

// The same test on any text.
bool StartsWithUpperCased(std::string_view text, std::string_view prefix);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_COMPANY_NAME_H_
