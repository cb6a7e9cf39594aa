#include "platform/forms/control_array.h"

#include "platform/runtime/error.h"

namespace forms {

void ControlArrayBase::Route(Control& element) {
  int i = element.Index();
  ArrayEvents* a = &on;
  ControlEvents& e = element.on;
  // Each element slot calls the array's slot of the same event with the element's index;
  // the array's slots are read when the event fires, so handlers may be bound later.
  e.Click = [a, i] {
    if (a->Click) a->Click(i);
  };
  e.DblClick = [a, i] {
    if (a->DblClick) a->DblClick(i);
  };
  e.Change = [a, i] {
    if (a->Change) a->Change(i);
  };
  e.GotFocus = [a, i] {
    if (a->GotFocus) a->GotFocus(i);
  };
  e.LostFocus = [a, i] {
    if (a->LostFocus) a->LostFocus(i);
  };
  e.Validate = [a, i](bool& cancel) {
    if (a->Validate) a->Validate(i, cancel);
  };
  e.KeyDown = [a, i](int& code, int shift) {
    if (a->KeyDown) a->KeyDown(i, code, shift);
  };
  e.KeyPress = [a, i](int& key) {
    if (a->KeyPress) a->KeyPress(i, key);
  };
  e.KeyUp = [a, i](int& code, int shift) {
    if (a->KeyUp) a->KeyUp(i, code, shift);
  };
  e.MouseDown = [a, i](int b, int s, int x, int y) {
    if (a->MouseDown) a->MouseDown(i, b, s, x, y);
  };
  e.MouseUp = [a, i](int b, int s, int x, int y) {
    if (a->MouseUp) a->MouseUp(i, b, s, x, y);
  };
  e.MouseMove = [a, i](int b, int s, int x, int y) {
    if (a->MouseMove) a->MouseMove(i, b, s, x, y);
  };
  e.Timer = [a, i] {
    if (a->Timer) a->Timer(i);
  };
  e.Scroll = [a, i] {
    if (a->Scroll) a->Scroll(i);
  };
}

void ControlArrayBase::ThrowMissing(int index) const {
  throw runtime::RuntimeError(
      runtime::kErrControlArrayElement,
      "Control array element '" + std::to_string(index) + "' doesn't exist");
}

}  // namespace forms
