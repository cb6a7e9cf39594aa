// The rate-sheet definition screen as the rating screen's File menu opens it. The screen
// lives in the rate-sheet library, which builds on this one, so the program names it when
// it starts; until then the menu opens nothing.
#ifndef FRELANE_RATING_RATE_SHEET_OPENER_H_
#define FRELANE_RATING_RATE_SHEET_OPENER_H_

#include <functional>
#include <utility>

namespace frelane {

// Shows the definition screen modally.
inline std::function<void()>& RateSheetScreenOpener() {
  static std::function<void()> opener;
  return opener;
}
inline void SetRateSheetScreen(std::function<void()> show_modal) {
  RateSheetScreenOpener() = std::move(show_modal);
}
inline void ShowRateSheetScreen() {
  if (RateSheetScreenOpener()) RateSheetScreenOpener()();
}

}  // namespace frelane

#endif  // FRELANE_RATING_RATE_SHEET_OPENER_H_
