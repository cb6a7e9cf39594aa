// Keystrokes: KeyDown (the form's first with KeyPreview), where a key code set to 0
// swallows the key; then, for keys that make a character, KeyPress in the same order, where
// the handler may refuse (0) or replace the character; then what the focused control does
// with the key that is left; then KeyUp.
#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/forms/host.h"
#include "platform/forms/text_editing.h"
#include "platform/forms/text_field.h"

namespace forms {
namespace {

using editing::EditField;
using editing::IsLocked;

bool IsListKind(ControlKind k) {
  return k == ControlKind::kListBox || k == ControlKind::kFileListBox ||
         k == ControlKind::kDirListBox || k == ControlKind::kDriveListBox ||
         k == ControlKind::kComboBox;
}

// Alt with a letter or digit: the button, check box or option button whose caption marks
// that key with "&" takes the focus and is pressed, as a click would press it.
void PressAccessKey(Application& app, Form& form, int key_code) {
  for (Control* c : form.Controls()) {
    const ControlKind kind = c->Kind();
    if (kind != ControlKind::kCommandButton && kind != ControlKind::kCheckBox &&
        kind != ControlKind::kOptionButton) {
      continue;
    }
    if (static_cast<CaptionControl*>(c)->AccessKey() != key_code || !c->CanTakeFocus()) continue;
    if (!app.MoveFocus(*c) || form.ActiveControl() != c || app.Ended()) return;
    if (kind == ControlKind::kCommandButton) {
      c->Fire(c->on.Click);
    } else if (kind == ControlKind::kCheckBox) {
      static_cast<CheckBox*>(c)->Toggle();
    } else {
      static_cast<OptionButton*>(c)->SetValue(true);
    }
    return;
  }
}

bool IsAccessKeyCode(int key_code) {
  return (key_code >= 'A' && key_code <= 'Z') || (key_code >= '0' && key_code <= '9');
}

bool IsDropDownKey(int key_code, int shift) {
  const bool alt_only = (shift & (kCtrlMask | kAltMask)) == kAltMask;
  return (key_code == kKeyF4 && (shift & kAltMask) == 0) ||
         (alt_only && (key_code == kKeyUp || key_code == kKeyDown));
}

// The rows `list` shows whole, as its host draws them, else as its height holds them
// scrolled no further than its current row needs.
ListRows RowsInView(Host* host, ListControl& list) {
  if (host != nullptr) {
    if (const std::optional<ListRows> shown = host->ListRowsInView(list)) return *shown;
  }
  const int count = list.RowsByHeight();
  return {std::max(0, list.CurrentIndex() - count + 1), count};
}

// Page Down goes to the last row in view, or from there a page further, the last row of
// that page; Page Up likewise to the first row in view, then a page up.
int PageRow(Host* host, ListControl& list, int key_code) {
  const ListRows view = RowsInView(host, list);
  const int from = list.CurrentIndex();
  const int step = std::max(1, view.count - 1);
  if (key_code == kKeyPageDown) {
    const int last = view.first + view.count - 1;
    return from < 0 || from < last ? last : from + step;
  }
  return from < 0 || from > view.first ? view.first : from - step;
}

// Up and Down step through a list's rows, stopping at either end; Home and End (in a list
// box) go to its first and last rows, Page Up and Page Down by a page of the rows it shows.
// A combo box takes the row as if it were picked, so its text becomes the row and Click
// fires.
void StepListRow(Host* host, ListControl& list, int key_code) {
  const int count = static_cast<int>(list.Items().size());
  if (count == 0) return;
  if (list.Kind() == ControlKind::kComboBox && static_cast<ComboBox&>(list).Locked()) return;
  const int from = list.CurrentIndex();
  int to = from + (key_code == kKeyDown ? 1 : -1);
  if (from < 0) to = 0;
  if (key_code == kKeyHome) to = 0;
  if (key_code == kKeyEnd) to = count - 1;
  if (key_code == kKeyPageDown || key_code == kKeyPageUp) to = PageRow(host, list, key_code);
  list.SetListIndex(std::clamp(to, 0, count - 1));
}

// The keys that step a list; a closed combo box has no page to step by.
bool IsListStep(ControlKind kind, int key_code) {
  if (key_code == kKeyPageUp || key_code == kKeyPageDown) return kind != ControlKind::kComboBox;
  return key_code == kKeyUp || key_code == kKeyDown || key_code == kKeyHome ||
         key_code == kKeyEnd;
}

// An option group is one Tab stop; the arrows move within it. The focus goes to the next
// (Down, Right) or previous (Up, Left) usable option of the same container in tab order,
// wrapping at the ends, and selects it as a click would.
void StepOptionGroup(Application& app, Form& form, Control& option, int key_code) {
  std::vector<Control*> group;
  for (Control* c : form.Controls()) {
    if (c->Kind() != ControlKind::kOptionButton || c->Container() != option.Container()) continue;
    if (c->CanTakeFocus()) group.push_back(c);
  }
  std::stable_sort(group.begin(), group.end(),
                   [](Control* a, Control* b) { return a->TabIndex() < b->TabIndex(); });
  const int n = static_cast<int>(group.size());
  const int at = static_cast<int>(std::find(group.begin(), group.end(), &option) - group.begin());
  if (n < 2 || at == n) return;
  const int step = key_code == kKeyDown || key_code == kKeyRight ? 1 : -1;
  Control* next = group[(at + step + n) % n];
  if (!app.MoveFocus(*next) || form.ActiveControl() != next || app.Ended()) return;
  static_cast<OptionButton*>(next)->SetValue(true);
}

bool IsArrowKey(int key_code) {
  return key_code == kKeyLeft || key_code == kKeyRight || key_code == kKeyUp ||
         key_code == kKeyDown;
}

}  // namespace

void Application::KeyStroke(Form& form, int key_code, int shift, int ascii) {
  Control* c = form.active_;
  if (c != nullptr && !c->CanTakeFocus()) c = nullptr;
  if (key_code == kKeyTab && (shift & (kCtrlMask | kAltMask)) == 0) {
    FocusNext(form, (shift & kShiftMask) != 0);
    return;
  }

  // A character without a key of its own (typed through a dead key or an input method)
  // comes with key code 0: it has no KeyDown or KeyUp, only KeyPress.
  int code = key_code;
  if (key_code != 0) {
    if (form.key_preview_) form.Form_KeyDown(code, shift);
    if (code != 0 && c != nullptr) c->Fire(c->on.KeyDown, code, shift);
    if (code == 0) return;
  }
  if (ended_) return;
  if (key_code != 0 && (shift & (kCtrlMask | kAltMask)) == kAltMask && IsAccessKeyCode(code)) {
    // An access key types nothing.
    PressAccessKey(*this, form, code);
    return;
  }
  const bool editing_key =
      key_code != 0 && editing::IsEditingKey(code, shift) && EditField(c) != nullptr;

  if (editing_key) {
    // The editing keys act on the box itself: they are no characters for its filter,
    // though what they put into the box passes it.
    editing::RunEditingKey(*this, form, *c, *EditField(c), code);
    ascii = 0;
  } else if (code == kKeyF1) {
    ShowHelpFor(c);
  } else if (ascii == 0 && c != nullptr) {
    const bool plain = (shift & (kCtrlMask | kAltMask)) == 0;
    if (c->Kind() == ControlKind::kComboBox && IsDropDownKey(code, shift)) {
      if (host_ != nullptr) host_->DropDownRequested(*c);
    } else if (c->Kind() == ControlKind::kComboBox && plain &&
               (code == kKeyUp || code == kKeyDown)) {
      StepListRow(host_, static_cast<ListControl&>(*c), code);
    } else if (c->Kind() == ControlKind::kOptionButton && plain && IsArrowKey(code)) {
      // The focus leaves the option: its KeyUp is not its own.
      StepOptionGroup(*this, form, *c, code);
      return;
    } else if (TextField* field = EditField(c)) {
      const TextField::State state = field->Save();
      std::string before = field->Text();
      bool extend = (shift & kShiftMask) != 0;
      switch (code) {
        case kKeyDelete:
          if (!IsLocked(c) && field->DeleteForward()) field->RecordEdit(state, false);
          break;
        case kKeyLeft:
          field->MoveCaret(field->SelStart() - (field->SelLength() > 0 && !extend ? 0 : 1), extend);
          break;
        case kKeyRight:
          field->MoveCaret(
              field->SelStart() + field->SelLength() + (field->SelLength() > 0 && !extend ? 0 : 1),
              extend);
          break;
        case kKeyHome:
          field->MoveCaret(0, extend);
          break;
        case kKeyEnd:
          field->MoveCaret(field->Length(), extend);
          break;
        default:
          break;
      }
      editing::AfterUserEdit(*c, *field, before);
    } else if (IsListKind(c->Kind()) && IsListStep(c->Kind(), code)) {
      StepListRow(host_, static_cast<ListControl&>(*c), code);
    }
  }

  if (ascii != 0 && !ended_) {
    bool on_button = c != nullptr && c->Kind() == ControlKind::kCommandButton;
    bool multi_line =
        c != nullptr && c->Kind() == ControlKind::kTextBox && static_cast<TextBox*>(c)->MultiLine();
    CommandButton* button = nullptr;
    // Enter clicks the focused button, else the default button (not in a multi-line box).
    if (ascii == kKeyReturn && on_button) button = static_cast<CommandButton*>(c);
    if (ascii == kKeyReturn && !on_button && !multi_line) button = form.DefaultButton();
    if (ascii == kKeyEscape) button = form.CancelButton();
    if (button != nullptr) {
      // The buttons take Enter and Escape before any KeyPress, so a form that turns Enter
      // into Tab still lets Enter press the focused button.
      button->Fire(button->on.Click);
    } else {
      int key = ascii;
      if (form.key_preview_) form.Form_KeyPress(key);
      if (key != 0 && c != nullptr && !ended_) c->Fire(c->on.KeyPress, key);
      if (key != 0 && c != nullptr && !ended_) DefaultCharacter(c, key);
    }
  }

  if (ended_ || key_code == 0) return;
  int up = key_code;
  if (form.key_preview_ && form.IsLoaded()) form.Form_KeyUp(up, shift);
  if (up != 0 && c != nullptr && c->GetForm().IsLoaded()) c->Fire(c->on.KeyUp, up, shift);
}

void Application::DefaultCharacter(Control* c, int key) {
  if (TextField* field = EditField(c)) {
    if (IsLocked(c)) return;
    const TextField::State state = field->Save();
    std::string before = field->Text();
    bool typed = false;
    if (key == kKeyBack) {
      field->Backspace();
    } else if (key == kKeyReturn && c->Kind() == ControlKind::kTextBox &&
               static_cast<TextBox*>(c)->MultiLine()) {
      field->ReplaceSelection(U"\r\n");
    } else if (key >= 32) {
      typed = editing::InsertCharacter(*this, *c, *field, key);
    }
    if (field->Text() != before) field->RecordEdit(state, typed);
    editing::AfterUserEdit(*c, *field, before);
    return;
  }
  switch (c->Kind()) {
    case ControlKind::kCommandButton:
      if (key == kKeySpace || key == kKeyReturn) c->Fire(c->on.Click);
      break;
    case ControlKind::kCheckBox:
      if (key == kKeySpace) static_cast<CheckBox*>(c)->Toggle();
      break;
    case ControlKind::kOptionButton:
      if (key == kKeySpace) static_cast<OptionButton*>(c)->SetValue(true);
      break;
    default:
      if (IsListKind(c->Kind()) && key >= 32) {
        // A character selects the next item that starts with it.
        auto* list = static_cast<ListControl*>(c);
        const auto& items = list->Items();
        int n = static_cast<int>(items.size());
        int want = std::tolower(key);
        for (int step = 1; step <= n; ++step) {
          int i = (list->CurrentIndex() + step + n) % n;
          if (!items[i].empty() && std::tolower(static_cast<unsigned char>(items[i][0])) == want) {
            list->SetListIndex(i);
            break;
          }
        }
      }
      break;
  }
}

void Application::Paste(Form& form, const std::string& utf8_text) {
  Control* c = form.active_;
  if (c == nullptr || !c->CanTakeFocus()) return;
  if (TextField* field = EditField(c)) editing::PasteText(*this, form, *c, *field, utf8_text);
}

void Application::TypedWithoutCode(Form& form) {
  Control* c = form.active_;
  if (c == nullptr || !c->CanTakeFocus()) return;
  // The records hold single-byte text: a character without a code there is refused as a
  // key beyond the box's length is.
  if (EditField(c) != nullptr && !IsLocked(c)) Beep();
}

void Application::ShowHelpFor(Control* control) {
  int context = 0;
  for (Control* c = control; c != nullptr && context == 0; c = c->Container()) {
    context = c->help_context_id_;
  }
  if (help_file_.empty()) return;
  desktop_->ShowHelp(help_file_, context);
}

void Application::RunKey(const std::string& key) {
  Form* form = ActiveForm();
  if (form == nullptr) return;
  int shift = 0;
  std::size_t i = 0;
  while (i < key.size() && (key[i] == '+' || key[i] == '^' || key[i] == '%') && key.size() > 1 &&
         i + 1 < key.size()) {
    shift |= key[i] == '+' ? kShiftMask : key[i] == '^' ? kCtrlMask : kAltMask;
    ++i;
  }
  std::string name = key.substr(i);
  std::string upper;
  for (char ch : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  struct Named {
    const char* name;
    int code;
    int ascii;
  };
  static constexpr Named kNamed[] = {
      {"{TAB}", kKeyTab, 0},        {"{ENTER}", kKeyReturn, 13},  {"~", kKeyReturn, 13},
      {"{ESC}", kKeyEscape, 27},    {"{ESCAPE}", kKeyEscape, 27}, {"{BS}", kKeyBack, 8},
      {"{BACKSPACE}", kKeyBack, 8}, {"{DEL}", kKeyDelete, 0},     {"{DELETE}", kKeyDelete, 0},
      {"{F1}", kKeyF1, 0},          {"{HOME}", kKeyHome, 0},      {"{END}", kKeyEnd, 0},
      {"{LEFT}", kKeyLeft, 0},      {"{RIGHT}", kKeyRight, 0},    {"{UP}", kKeyUp, 0},
      {"{DOWN}", kKeyDown, 0},
  };
  for (const Named& n : kNamed) {
    if (upper == n.name) {
      KeyStroke(*form, n.code, shift, n.ascii);
      return;
    }
  }
  // A character, or "{x}" for a character that has a meaning of its own.
  std::u32string chars = DecodeUtf8(name.size() == 3 && name[0] == '{' ? name.substr(1, 1) : name);
  if (chars.size() != 1) return;
  int ascii = KeyAsciiOf(chars[0]);
  if (ascii == 0) return;
  int code = std::toupper(ascii < 128 ? ascii : 0);
  if ((shift & kCtrlMask) != 0 && std::isalpha(ascii)) ascii = code - 'A' + 1;
  KeyStroke(*form, code, shift, ascii);
}

}  // namespace forms
