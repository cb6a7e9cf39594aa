// frmIntro: the splash window, the program's first. Its load runs start-up; it shows the
// carrier's picture and caption, loads the rating screen behind itself on first activation
// and hands over to it on a click, a key, or its timer (which runs only when the second
// splash picture exists).
#ifndef FRELANE_CORE_FRM_INTRO_H_
#define FRELANE_CORE_FRM_INTRO_H_

#include <functional>
#include <string>

#include "platform/forms/form.h"

namespace frelane {

// The window the splash hands over to: the rating screen. The program names it before the
// splash loads (the core does not know the rating screen's library).
void SetMainWindow(std::function<forms::Form&()> main_window);

class frmIntro : public forms::Form {
 public:
  static constexpr int kHandOverMs = 3000;

  frmIntro();

  forms::Timer& Timer1 =
      Add<forms::Timer>("Timer1", {0, 0, 0, 0}, {.enabled = false, .interval = kHandOverMs});

  // True once the splash has closed itself to show the rating screen.
  bool handed_over() const { return handed_over_; }

 private:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Click() override;
  void Form_KeyPress(int& key_ascii) override;
  void Form_Unload(bool& cancel) override;
  void Timer1_Timer();

  // Closes the splash and shows the rating screen.
  void HandOver();
  // Ends start-up after a failure: the message, then the splash unloads itself.
  void GiveUp(const std::string& message);
  void ShowPictures();

  bool handed_over_ = false;
};

}  // namespace frelane

#endif  // FRELANE_CORE_FRM_INTRO_H_
