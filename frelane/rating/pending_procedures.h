// What the rating screen's own handlers call of the windows and procedures built alongside
// it: the dialogs, the printed quote, the export and
// the web links. Until each is built, its entry here does the least that keeps the screen
// usable (nothing, or an empty answer).
#ifndef FRELANE_RATING_PENDING_PROCEDURES_H_
#define FRELANE_RATING_PENDING_PROCEDURES_H_

#include <string>

namespace frelane {

class frmRatingScreen;

// Shows the named dialog modal.
void ShowPendingDialog(const std::string& form_name);
}  // namespace frelane

#endif  // FRELANE_RATING_PENDING_PROCEDURES_H_
