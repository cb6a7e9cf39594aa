#include "frelane/rating/carrier_contact.h"

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"

namespace frelane {

bool LooksLikeTelephone(std::string_view text) {
  int digits = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '+' ? i != 0 : std::string_view(" -.()").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return digits >= 7;
}

std::string CarrierTelephone() {
  const SettingsRecord& s = modMain::Settings();
  for (const auto& field : {settings::kAboutText1, settings::kAboutText2, settings::kAboutText3,
                            settings::kAboutText4, settings::kAboutText5}) {
    std::string text = modMain::Trim(s.Text(field));
    if (LooksLikeTelephone(text)) return text;
  }
  return "";
}

}  // namespace frelane
