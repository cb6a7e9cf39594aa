// frmRatingScreen: the program's main window, where a user rates a shipment. Closing it
// ends the program.
#ifndef FRELANE_RATING_FRM_RATING_SCREEN_H_
#define FRELANE_RATING_FRM_RATING_SCREEN_H_

#include "platform/forms/form.h"

namespace frelane {

class frmRatingScreen : public forms::Form {
 public:
  frmRatingScreen();

 private:
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;
};

}  // namespace frelane

#endif  // FRELANE_RATING_FRM_RATING_SCREEN_H_
