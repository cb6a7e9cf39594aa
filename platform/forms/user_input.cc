// The user's input into the model. The mouse rules live here too: the focus moves on the
// press, a release belongs to the control the press went down on, and only a left release
// inside a control of a clicking kind is its Click. Hosts send raw presses and releases;
// every decision is made here, so every host shows the same events.
#include "platform/forms/user_input.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "platform/forms/application.h"
#include "platform/forms/form.h"

namespace forms::user {
namespace {

// Runs an action of the user on `form` when the form takes input.
bool Run(Form& form, const std::function<void()>& action) {
  Application& app = form.App();
  if (!app.AcceptsInput(form)) return false;
  app.Dispatch(action);
  return true;
}

bool Usable(Control& c) {
  return c.GetForm().App().AcceptsInput(c.GetForm()) && c.IsShown() && c.IsEffectivelyEnabled();
}

// Moves the focus to a control about to be clicked; false when the click must not follow.
bool FocusForClick(Control& c) {
  Application& app = c.GetForm().App();
  // A toolbar button takes no focus: as a menu item, it checks what was typed last.
  if (c.IsToolbarButton()) return !c.CausesValidation() || app.CheckUncheckedEdit(c.GetForm());
  if (!c.IsFocusableKind() || c.HasFocus()) return true;
  if (!app.MoveFocus(c)) return false;
  // A focus handler that sent the focus elsewhere takes the click with it.
  return c.HasFocus() && !app.Ended();
}

// What a left release inside a control does. Lists and combos get their Click from the pick
// of an item, and scroll bars have none.
void ClickAction(Control& c) {
  switch (c.Kind()) {
    case ControlKind::kCheckBox:
      static_cast<CheckBox&>(c).Toggle();
      break;
    case ControlKind::kOptionButton:
      static_cast<OptionButton&>(c).SetValue(true);
      break;
    case ControlKind::kListBox:
    case ControlKind::kFileListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kDriveListBox:
    case ControlKind::kComboBox:
    case ControlKind::kVScrollBar:
    case ControlKind::kHScrollBar:
      break;
    default:
      c.Fire(c.on.Click);
      break;
  }
}

// Buttons and check boxes have no DblClick: their second press is a press like the first,
// so a double click clicks them twice.
bool TakesDoubleClick(const Control& c) {
  return c.Kind() != ControlKind::kCommandButton && c.Kind() != ControlKind::kCheckBox;
}

// Where a control's top left lies in its form's client area, twips.
std::pair<int, int> OffsetInForm(const Control& c) {
  int x = 0;
  int y = 0;
  for (const Control* at = &c; at != nullptr; at = at->Container()) {
    x += at->Geometry().left;
    y += at->Geometry().top;
  }
  return {x, y};
}

bool Inside(const Control& c, int x, int y) {
  const Rect& r = c.Geometry();
  return x >= 0 && y >= 0 && x < r.width && y < r.height;
}

// Starts a gesture on `c`: the focus moves first. False when Validate refused the move or a
// focus handler sent the focus elsewhere; the gesture is then dropped whole. The press is
// held from the start, so that a release arriving while the focus moves (a tap, whose
// release comes with its press, met by a handler that runs the pending events) waits for
// the press to end instead of finding nothing to release.
bool BeginPress(Control& c, int button, bool clicks) {
  Application& app = c.GetForm().App();
  app.Capture() = {&c, button, clicks && button == kLeftButton, true, std::nullopt};
  if (FocusForClick(c)) return true;
  if (app.Capture().control == &c) app.Capture() = {};
  return false;
}

enum class Release { kIgnored, kReleased, kClicked };

// Where (x, y) in the twips of `from` lies in the twips of `to`.
std::pair<int, int> Translate(const Control& from, const Control& to, int x, int y) {
  if (&from == &to) return {x, y};
  const auto [from_x, from_y] = OffsetInForm(from);
  const auto [to_x, to_y] = OffsetInForm(to);
  return {x + from_x - to_x, y + from_y - to_y};
}

Release EndPress(Control& at, int button, int shift, int x, int y) {
  Application& app = at.GetForm().App();
  Application::MouseCapture& capture = app.Capture();
  if (capture.control == nullptr || capture.button != button) return Release::kIgnored;
  Control& c = *capture.control;
  // A form below a modal one, hidden or unloaded since the press takes no release.
  if (!app.AcceptsInput(c.GetForm())) {
    capture = {};
    return Release::kIgnored;
  }
  std::tie(x, y) = Translate(at, c, x, y);
  if (capture.pressing) {
    capture.early_release = Application::MouseCapture::Release{shift, x, y};
    return Release::kReleased;
  }
  const Application::MouseCapture held = capture;
  capture = {};
  Release result = Release::kReleased;
  app.Dispatch([&] {
    c.Fire(c.on.MouseUp, button, shift, x, y);
    if (!held.clicks || !Inside(c, x, y) || !Usable(c)) return;
    result = Release::kClicked;
    ClickAction(c);
  });
  return result;
}

// The press on `c` has been handled: a release that came meanwhile is played now.
Release FinishPress(Control& c) {
  Application::MouseCapture& capture = c.GetForm().App().Capture();
  if (capture.control != &c || !capture.pressing) return Release::kIgnored;
  capture.pressing = false;
  if (!capture.early_release.has_value()) return Release::kIgnored;
  const Application::MouseCapture::Release early = *capture.early_release;
  capture.early_release.reset();
  return EndPress(c, capture.button, early.shift, early.x, early.y);
}

}  // namespace

bool Focus(HostKey, Control& target) {
  if (!Usable(target)) return false;
  bool moved = false;
  target.GetForm().App().Dispatch([&] { moved = target.GetForm().App().MoveFocus(target); });
  return moved && target.HasFocus();
}

bool Tab(HostKey, Form& form, bool backwards) {
  bool moved = false;
  return Run(form, [&] { moved = form.App().FocusNext(form, backwards); }) && moved;
}

bool Key(HostKey, Form& form, int key_code, int shift, int ascii) {
  return Run(form, [&] { form.App().KeyStroke(form, key_code, shift, ascii); });
}

bool Type(HostKey key, Form& form, std::string_view utf8_text) {
  for (char32_t ch : DecodeUtf8(utf8_text)) {
    int ascii = KeyAsciiOf(ch);
    if (ascii == 0) {
      if (!Run(form, [&] { form.App().TypedWithoutCode(form); })) return false;
      continue;
    }
    int code = ascii < 128 ? std::toupper(ascii) : 0;
    if (ch == U'\n' || ch == U'\r') code = ascii = kKeyReturn;
    if (!Key(key, form, code, 0, ascii)) return false;
  }
  return true;
}

bool Paste(HostKey, Form& form, std::string_view utf8_text) {
  std::string text(utf8_text);
  return Run(form, [&] { form.App().Paste(form, text); });
}

bool Select(HostKey, Control& control, int sel_start, int sel_length) {
  if (!Usable(control)) return false;
  TextField* field = nullptr;
  if (control.Kind() == ControlKind::kTextBox) {
    field = &static_cast<TextBox&>(control).MutableField();
  } else if (control.Kind() == ControlKind::kComboBox) {
    field = &static_cast<ComboBox&>(control).MutableField();
  }
  if (field == nullptr) return false;
  control.GetForm().App().Dispatch([&] {
    field->SetSelStart(sel_start);
    field->SetSelLength(sel_length);
    control.NotifyFromModel(Property::kSelection);
  });
  return true;
}

bool MouseDown(HostKey, Control& c, int button, int shift, int x, int y) {
  if (!Usable(c)) return false;
  bool pressed = false;
  c.GetForm().App().Dispatch([&] {
    if (!BeginPress(c, button, true)) return;
    pressed = true;
    c.Fire(c.on.MouseDown, button, shift, x, y);
  });
  FinishPress(c);
  return pressed;
}

bool MouseUp(HostKey, Control& c, int button, int shift, int x, int y) {
  return EndPress(c, button, shift, x, y) != Release::kIgnored;
}

bool DblClick(HostKey key, Control& c, int button, int shift, int x, int y) {
  if (button != kLeftButton || !TakesDoubleClick(c)) return MouseDown(key, c, button, shift, x, y);
  if (!Usable(c)) return false;
  bool pressed = false;
  c.GetForm().App().Dispatch([&] {
    if (!BeginPress(c, button, false)) return;
    pressed = true;
    // A folder list goes into the folder double-clicked; a click only picks it.
    if (c.Kind() == ControlKind::kDirListBox) static_cast<DirListBox&>(c).OpenListIndex();
    c.Fire(c.on.DblClick);
  });
  FinishPress(c);
  return pressed;
}

bool Click(HostKey key, Control& c, int x, int y) {
  if (!MouseDown(key, c, kLeftButton, 0, x, y)) return false;
  return EndPress(c, kLeftButton, 0, x, y) == Release::kClicked;
}

bool MouseMove(HostKey, Control& c, int button, int shift, int x, int y) {
  if (!Usable(c)) return false;
  c.GetForm().App().Dispatch([&] { c.Fire(c.on.MouseMove, button, shift, x, y); });
  return true;
}

bool PickListItem(HostKey, Control& c, int index) {
  if (!Usable(c)) return false;
  auto* list = dynamic_cast<ListControl*>(&c);
  if (list == nullptr || index < 0 || index >= static_cast<int>(list->Items().size())) {
    return false;
  }
  bool picked = false;
  c.GetForm().App().Dispatch([&] {
    if (!FocusForClick(c)) return;
    picked = true;
    if (c.Kind() == ControlKind::kComboBox && list->ListIndex() == index) {
      // The row already chosen, picked again: its text comes back over whatever was put in
      // the box since, and the pick is a Click like any other (a form recomputes on it).
      auto& combo = static_cast<ComboBox&>(c);
      if (combo.Editable()) combo.SetText(list->Items()[index]);
      c.Fire(c.on.Click);
    } else {
      list->SetListIndex(index);
    }
  });
  return picked;
}

bool Scroll(HostKey, ScrollBar& bar, int value) {
  if (!Usable(bar)) return false;
  bar.GetForm().App().Dispatch([&] {
    if (!FocusForClick(bar)) return;
    int lo = std::min(bar.Min(), bar.Max());
    int hi = std::max(bar.Min(), bar.Max());
    bar.SetValue(std::clamp(value, lo, hi));
  });
  return true;
}

bool MenuClick(HostKey, Menu& menu) {
  if (!Usable(menu)) return false;
  bool clicked = false;
  Application& app = menu.GetForm().App();
  app.Dispatch([&] {
    // A menu item takes no focus, so nothing else would check what was typed last.
    if (menu.CausesValidation() && !app.CheckUncheckedEdit(menu.GetForm())) return;
    if (!Usable(menu)) return;  // the check took the item or its form away
    clicked = true;
    menu.Fire(menu.on.Click);
  });
  return clicked;
}

bool FormClick(HostKey, Form& form) {
  return Run(form, [&] { form.Form_Click(); });
}

bool FormMouseMove(HostKey, Form& form, int button, int shift, int x, int y) {
  return Run(form, [&] { form.Form_MouseMove(button, shift, x, y); });
}

bool FormPaint(HostKey, Form& form) {
  if (!form.IsVisible() || form.App().Ended()) return false;
  form.App().Dispatch([&] { form.Form_Paint(); });
  return true;
}

bool CloseForm(HostKey, Form& form) {
  bool closed = false;
  if (!Run(form, [&] { closed = form.UnloadWithMode(kUnloadFormControlMenu); })) return false;
  return closed;
}

void RunDueTimers(HostKey) {
  if (Application* app = Application::CurrentOrNull()) app->RunDueTimers();
}

}  // namespace forms::user
