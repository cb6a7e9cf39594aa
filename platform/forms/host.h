// The host of the form model: the toolkit binding (platform/qt) or the headless driver.
// The model tells its host what changed; the host shows it and forwards what the user does
// through the entry points of user_input.h, which only a host can call (they take a HostKey).
// The host keeps no rule of its own: focus, validation, which presses and releases make a
// click, and event order are the model's.
#ifndef FRELANE_PLATFORM_FORMS_HOST_H_
#define FRELANE_PLATFORM_FORMS_HOST_H_

#include <optional>

#include "platform/forms/types.h"

namespace forms {

class Control;
class Form;

// The rows a list shows whole: the first of them and how many (at least one).
struct ListRows {
  int first = 0;
  int count = 1;
};

// Proof of being a host. Only Host (and so its subclasses) can make one.
class HostKey {
 private:
  friend class Host;
  HostKey() = default;
};

class Host {
 public:
  virtual ~Host() = default;

  // A form was loaded (its controls exist and hold their design values) or unloaded.
  virtual void FormLoaded(Form&) {}
  virtual void FormUnloaded(Form&) {}
  // A form became visible or was hidden. `modal` is true for a modal Show.
  virtual void FormShown(Form&, bool /*modal*/) {}
  virtual void FormHidden(Form&) {}
  // A form property changed (Caption, geometry, Icon, Picture, BackColor, ...).
  virtual void FormChanged(Form&, Property) {}
  // A control property changed in the model, by code or by the user.
  virtual void ControlChanged(Control&, Property) {}
  // The focus moved to `control` (the form's active control); nullptr when none.
  virtual void FocusChanged(Form&, Control* /*control*/) {}
  // The user asked to see the list of the focused combo box (Alt+Down, Alt+Up, F4).
  virtual void DropDownRequested(Control&) {}
  // The rows the list `control` shows whole, as drawn; without an answer the model reckons
  // them from the list's height (ListControl::RowsByHeight).
  virtual std::optional<ListRows> ListRowsInView(const Control& /*control*/) {
    return std::nullopt;
  }
  // A timer was started, stopped or re-timed; Application::NextTimerDue() has the next due
  // time.
  virtual void TimersChanged() {}

  // The usable part (less panels and task bars) of the screen `form` is about to open on,
  // twips in the desktop's coordinates, asked when a centred form is first shown. Without
  // an answer the application's screen size serves.
  virtual std::optional<Rect> ScreenWorkArea(const Form&) { return std::nullopt; }

  // Runs the nested loop of a modal Show: returns when `form` is hidden or unloaded, or the
  // program ended. REQUIRES: form is shown.
  virtual void RunModal(Form& form) = 0;
  // Runs the host's pending events once, for DoEvents. Must not block.
  virtual void ProcessHostEvents() {}
  // The program ended (End, or the last form unloaded). No further events follow.
  virtual void ProgramEnded() {}

 protected:
  static HostKey Key() { return HostKey(); }
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_HOST_H_
