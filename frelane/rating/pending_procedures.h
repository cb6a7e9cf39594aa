// What the rating screen's own handlers call of the windows and procedures built alongside
// it: the lane rating of the point boxes, the dialogs, the printed quote, the export and
// the web links. Until each is built, its entry here does the least that keeps the screen
// usable (nothing, or an empty answer).
#ifndef FRELANE_RATING_PENDING_PROCEDURES_H_
#define FRELANE_RATING_PENDING_PROCEDURES_H_

#include <string>

namespace frelane {

class frmRatingScreen;

// The point boxes' usual focus work: the default postal code or the City Look-Up's pick on
// entry, the served-lane check on leaving.
void OriginGotFocusWork(frmRatingScreen& screen);
void DestinationGotFocusWork(frmRatingScreen& screen);
void PointLostFocusWork(frmRatingScreen& screen);

// Shows the named dialog modal.
void ShowPendingDialog(const std::string& form_name);
}  // namespace frelane

#endif  // FRELANE_RATING_PENDING_PROCEDURES_H_
