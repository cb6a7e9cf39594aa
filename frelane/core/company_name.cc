#include "frelane/core/company_name.h"

#include <string>

#include "frelane/core/main_module.h"

namespace frelane::modMain {

bool StartsWithUpperCased(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool CompanyNameStartsWith(std::string_view prefix) {
  return StartsWithUpperCased(Settings().Text(settings::kCompanyName), prefix);
}

}  // namespace frelane::modMain
