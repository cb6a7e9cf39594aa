// The mouse rules every host must show alike. Each case plays presses and releases on a
// small form through a host's own input path (the headless driver, or real Qt events on the
// widgets) and lists the events the form saw; every host must give the same list.
#ifndef FRELANE_PLATFORM_FORMS_TESTING_POINTER_CONFORMANCE_H_
#define FRELANE_PLATFORM_FORMS_TESTING_POINTER_CONFORMANCE_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace forms::testing {

// Every control logs its focus, mouse and click events with the active control at the
// time: "btnGo.MouseDown 1 0 150 75 [btnGo]". Sizes and points are whole pixels (15 twips).
class frmPointer : public Form {
 public:
  frmPointer();

  TextBox& txtEntry = Add<TextBox>("txtEntry", {150, 150, 1500, 300}, {.tab_index = 0});
  CommandButton& btnGo =
      Add<CommandButton>("btnGo", {1800, 150, 1200, 375}, {.caption = "&Go", .tab_index = 1});
  CommandButton& btnFree = Add<CommandButton>(
      "btnFree", {1800, 600, 1200, 375},
      {.caption = "&Free", .tab_index = 2, .causes_validation = false});
  CheckBox& chkOn =
      Add<CheckBox>("chkOn", {150, 600, 1500, 300}, {.caption = "&On", .tab_index = 3});
  Label& lblNote = Add<Label>("lblNote", {150, 1050, 1500, 300}, {.caption = "Note"});
  ListBox& lstItems = Add<ListBox>("lstItems", {150, 1500, 1500, 900}, {.tab_index = 4});

  // txtEntry's Validate cancels while this is set.
  bool refuse_validate = false;
  // txtEntry's Validate and LostFocus run the pending events (DoEvents) while this is set,
  // as a box that recomputes when it is left does.
  bool events_on_leaving = false;
  std::vector<std::string> log;
  // Logs a line of the case's own, with the active control: "-- pressed [btnGo]".
  void Mark(const std::string& what);

 private:
  void Watch(Control& control);
  void Note(const Control& control, const std::string& event);
};

// How a host plays the mouse on a control: x and y are twips from its top left, and a
// release goes to the control that was pressed last, wherever the point lies.
class PointerPlayer {
 public:
  virtual ~PointerPlayer() = default;
  virtual void Press(Control& control, int button, int x, int y) = 0;
  virtual void Release(Control& control, int button, int x, int y) = 0;
  // The second press of a double click, with the left button.
  virtual void DoublePress(Control& control, int x, int y) = 0;
  // A left press whose release at the same point arrives with it (a touchpad tap): the
  // release is pending in the host's events while the press is handled.
  virtual void Tap(Control& control, int x, int y) = 0;
};

struct PointerCase {
  std::string name;
  std::function<void(frmPointer&, PointerPlayer&)> play;
  std::vector<std::string> expected;
};

const std::vector<PointerCase>& PointerCases();
// For parameterized test names and messages.
std::string PointerCaseName(const PointerCase& c);
void PrintTo(const PointerCase& c, std::ostream* os);

}  // namespace forms::testing

#endif  // FRELANE_PLATFORM_FORMS_TESTING_POINTER_CONFORMANCE_H_
