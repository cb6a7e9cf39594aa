// The three discount sets of a rate sheet (interstate, intrastate, Canada) live in the
// discount fields of the in-memory settings while the definition screen is open; each set
// holds MC percent, LTL percent, TL percent and the MC floor in dollars, in that order.
// UseZipDiscounts, the switch that lets a zip-range discount take priority, lasts for the
// program's run and is not stored.
#ifndef FRELANE_RATESHEET_DISCOUNT_SETS_H_
#define FRELANE_RATESHEET_DISCOUNT_SETS_H_

#include <array>
#include <string_view>

namespace frelane::ratesheet {

inline constexpr int kSetValues = 4;

enum class DiscountSet { kInterstate, kIntrastate, kCanada };
inline constexpr std::array kAllSets = {DiscountSet::kInterstate, DiscountSet::kIntrastate,
                                        DiscountSet::kCanada};

// Value i (1 to 4) of a set in the in-memory settings.
double SetValue(DiscountSet set, int i);
void SetSetValue(DiscountSet set, int i, double value);
// Every value of the three sets := 0.
void ZeroDiscountSets();
// Whether the intrastate or Canada set is enabled in the settings (interstate always is).
bool SetEnabled(DiscountSet set);

bool& UseZipDiscounts();

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_DISCOUNT_SETS_H_
