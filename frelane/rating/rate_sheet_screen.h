// The rate-sheet screen as the rating screen's File menu and toolbar open it. The rate
// sheets build on the rating look-ups, so they hand the screen in at start-up rather than
// the rating screen naming them.
#ifndef FRELANE_RATING_RATE_SHEET_SCREEN_H_
#define FRELANE_RATING_RATE_SHEET_SCREEN_H_

#include <functional>

namespace frelane {

// Makes `show_modal` the way the rate-sheet screen is shown; empty: it is not offered.
void SetRateSheetScreen(std::function<void()> show_modal);

// Shows the rate-sheet screen modal and returns when it is closed; nothing when none is set.
void ShowRateSheetScreen();

}  // namespace frelane

#endif  // FRELANE_RATING_RATE_SHEET_SCREEN_H_
