#include "frelane/rating/carrier_contact.h"

#include <regex>

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"

namespace frelane {

namespace {

constexpr int kTelephoneDigits = 7;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool InTelephone(char c) {
  return IsDigit(c) || std::string_view(" -.()+").find(c) != std::string_view::npos;
}

// A date such as "12-01-2026" is not a telephone number.
bool IsDate(const std::string& run) {
  static const std::regex date(R"(\d{1,2}[-./]\d{1,2}[-./]\d{2,4})");
  return std::regex_match(run, date);
}

}  // namespace

std::string TelephoneIn(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!InTelephone(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    int digits = 0;
    while (end < text.size() && InTelephone(text[end])) digits += IsDigit(text[end++]) ? 1 : 0;
    std::string run = modMain::Trim(text.substr(i, end - i));
    if (digits >= kTelephoneDigits && !IsDate(run)) return run;
    i = end;
  }
  return "";
}

std::string CarrierTelephone() {
  const SettingsRecord& s = modMain::Settings();
  for (const auto& field : {settings::kAboutText1, settings::kAboutText2, settings::kAboutText3,
                            settings::kAboutText4, settings::kAboutText5}) {
    std::string phone = TelephoneIn(s.Text(field));
    if (!phone.empty()) return phone;
  }
  return "";
}

}  // namespace frelane
