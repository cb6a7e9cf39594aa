// The point boxes of the rating screen: their keys, focus, edits and validation.
#include "frelane/rating/frm_rating_screen.h"

namespace frelane {

void frmRatingScreen::ShowIntrastateTariff(const std::string& caption) {
  showing_lane_ = true;
  lblIntrastateTariff.SetCaption(caption);
  showing_lane_ = false;
}

}  // namespace frelane
