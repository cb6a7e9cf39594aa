#include "frelane/rating/accessorial_record.h"

#include "frelane/core/field_helpers.h"

namespace frelane::accchg {

std::string Caption(std::string_view description) {
  return modMain::Trim(description.substr(0, description.find('~')));
}

bool CountsTowardFuel(std::string_view description) {
  return description.find("~+") != std::string_view::npos;
}

double PerPoundQuantity(std::string_view description) {
  const std::size_t tilde = description.find('~');
  if (tilde == std::string_view::npos) return 0.0;
  return modMain::SafeValue(description.substr(tilde + 1));
}

}  // namespace frelane::accchg
