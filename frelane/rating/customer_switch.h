// The customer switches: behaviour chosen by the first letters of the carrier's company
// name in the settings, compared upper-cased.
#ifndef FRELANE_RATING_CUSTOMER_SWITCH_H_
#define FRELANE_RATING_CUSTOMER_SWITCH_H_

#include <cctype>
#include <string>
#include <string_view>

#include "frelane/core/main_module.h"

namespace frelane {

inline bool CompanyNameStartsWith(std::string_view prefix) {
  const std::string name = modMain::Settings().Text(settings::kCompanyName);
  if (name.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace frelane

#endif  // FRELANE_RATING_CUSTOMER_SWITCH_H_
