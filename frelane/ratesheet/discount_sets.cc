#include "frelane/ratesheet/discount_sets.h"

#include <cctype>
#include <string>

#include "frelane/core/main_module.h"

namespace frelane::ratesheet {

double SetValue(DiscountSet set, int i) {
  const SettingsRecord& s = modMain::Settings();
  switch (set) {
    case DiscountSet::kIntrastate:
      return s.F64(settings::kIntrastateDiscounts, i);
    case DiscountSet::kCanada:
      return s.F64(settings::kCanadaDiscounts, i);
    case DiscountSet::kInterstate:
      break;
  }
  return s.F64(settings::kUsDiscounts, i);
}

void SetSetValue(DiscountSet set, int i, double value) {
  SettingsRecord& s = modMain::Settings();
  switch (set) {
    case DiscountSet::kIntrastate:
      return s.SetF64(settings::kIntrastateDiscounts, value, i);
    case DiscountSet::kCanada:
      return s.SetF64(settings::kCanadaDiscounts, value, i);
    case DiscountSet::kInterstate:
      break;
  }
  s.SetF64(settings::kUsDiscounts, value, i);
}

void ZeroDiscountSets() {
  for (DiscountSet set : kAllSets) {
    for (int i = 1; i <= kSetValues; ++i) SetSetValue(set, i, 0);
  }
}

bool SetEnabled(DiscountSet set) {
  const SettingsRecord& s = modMain::Settings();
  switch (set) {
    case DiscountSet::kIntrastate:
      return s.On(settings::kIntrastateDiscountsEnabled);
    case DiscountSet::kCanada:
      return s.On(settings::kCanadaDiscountsEnabled);
    case DiscountSet::kInterstate:
      break;
  }
  return true;
}

bool& UseZipDiscounts() {
  static bool use = false;
  return use;
}

}  // namespace frelane::ratesheet
