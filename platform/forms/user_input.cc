#include "platform/forms/user_input.h"

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
  if (!c.IsFocusableKind() || c.HasFocus()) return true;
  Application& app = c.GetForm().App();
  if (!app.MoveFocus(c)) return false;
  // A focus handler that sent the focus elsewhere takes the click with it.
  return c.HasFocus() && !app.Ended();
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
    if (ascii == 0) return false;
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
  field->SetSelStart(sel_start);
  field->SetSelLength(sel_length);
  control.NotifyFromModel(Property::kSelection);
  return true;
}

bool Click(HostKey, Control& c, int x, int y) {
  if (!Usable(c)) return false;
  bool clicked = false;
  c.GetForm().App().Dispatch([&] {
    if (!FocusForClick(c)) return;
    c.Fire(c.on.MouseDown, kLeftButton, 0, x, y);
    if (!c.GetForm().IsLoaded()) return;
    c.Fire(c.on.MouseUp, kLeftButton, 0, x, y);
    if (!c.GetForm().IsLoaded() || !c.IsShown() || !c.IsEffectivelyEnabled()) return;
    clicked = true;
    switch (c.Kind()) {
      case ControlKind::kCheckBox: {
        auto& box = static_cast<CheckBox&>(c);
        box.SetValue(box.CurrentValue() == CheckBox::kChecked ? CheckBox::kUnchecked
                                                              : CheckBox::kChecked);
        break;
      }
      case ControlKind::kOptionButton:
        static_cast<OptionButton&>(c).SetValue(true);
        break;
      case ControlKind::kListBox:
      case ControlKind::kFileListBox:
      case ControlKind::kDirListBox:
      case ControlKind::kDriveListBox:
      case ControlKind::kComboBox:
        break;  // a pick in the list is PickListItem
      default:
        c.Fire(c.on.Click);
        break;
    }
  });
  return clicked;
}

bool DblClick(HostKey, Control& c) {
  if (!Usable(c)) return false;
  c.GetForm().App().Dispatch([&] {
    if (FocusForClick(c)) c.Fire(c.on.DblClick);
  });
  return true;
}

bool MouseDown(HostKey, Control& c, int button, int shift, int x, int y) {
  if (!Usable(c)) return false;
  c.GetForm().App().Dispatch([&] {
    // The focus moves on the press, before the handlers run.
    if (FocusForClick(c)) c.Fire(c.on.MouseDown, button, shift, x, y);
  });
  return true;
}

bool MouseUp(HostKey, Control& c, int button, int shift, int x, int y) {
  if (!Usable(c)) return false;
  c.GetForm().App().Dispatch([&] { c.Fire(c.on.MouseUp, button, shift, x, y); });
  return true;
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
    if (c.Kind() == ControlKind::kDirListBox) {
      auto& dir = static_cast<DirListBox&>(c);
      dir.SetPath(list->Items()[index]);
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
  menu.GetForm().App().Dispatch([&] { menu.Fire(menu.on.Click); });
  return true;
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
