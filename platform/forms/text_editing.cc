#include "platform/forms/text_editing.h"

#include <string>

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/os/ascii_text.h"

namespace forms::editing {
namespace {

bool IsMultiLine(Control& c) {
  return c.Kind() == ControlKind::kTextBox && static_cast<TextBox&>(c).MultiLine();
}

enum class Outcome { kTaken, kRefused, kGone };

// Runs a character through the filters, the form's KeyPress first with KeyPreview, then the
// box's; what is left of it, 0 when refused.
int Filter(Application& app, Form& form, Control& c, int key) {
  if (form.KeyPreview()) form.Form_KeyPress(key);
  if (key != 0 && !app.Ended()) c.Fire(c.on.KeyPress, key);
  return key;
}

// A handler that ended the program or closed the form leaves nothing to edit.
bool Gone(Application& app, Form& form) { return app.Ended() || !form.IsLoaded(); }

// Puts `chars` over the selection one character at a time, each through the filters and
// MaxLength as if typed, so that each filter sees the text as it grows. A line break ("\r\n")
// goes in whole. Refused when a filter refuses or replaces a character, or the box is full.
Outcome TypeThrough(Application& app, Form& form, Control& c, TextField& field,
                    std::u32string_view chars) {
  const int max = MaxLengthOf(&c);
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') {
      if (max > 0 && field.LengthAfterReplacing(2) > max) return Outcome::kRefused;
      field.ReplaceSelection(U"\r\n");
      ++i;
      continue;
    }
    const int asked = KeyAsciiOf(chars[i]);
    if (asked < 32) return Outcome::kRefused;  // no single-byte code, or a control character
    const int key = Filter(app, form, c, asked);
    if (Gone(app, form)) return Outcome::kGone;
    // A filter may raise a letter's case (whatever the user's locale); any other change
    // refuses the paste.
    const bool same_letter = key < 128 && asked < 128 &&
                             os::AsciiUpper(static_cast<char>(key)) ==
                                 os::AsciiUpper(static_cast<char>(asked));
    if (key != asked && !same_letter) {
      return Outcome::kRefused;
    }
    if (max > 0 && field.LengthAfterReplacing(1) > max) return Outcome::kRefused;
    field.ReplaceSelection(std::u32string(1, CharOfKeyAscii(key)));
  }
  return Outcome::kTaken;
}

// Runs an edit; an error a handler lets escape leaves the box as it was before the edit and
// goes on to be reported.
template <typename Edit>
Outcome KeepingOnError(Application& app, Form& form, TextField& field,
                       const TextField::State& before, Edit edit) {
  try {
    return edit();
  } catch (...) {
    if (!Gone(app, form)) field.Restore(before);
    throw;
  }
}

// The pasted text as the box takes it: line breaks become "\r\n" in a multi-line box; a
// single-line box drops the breaks that end the text (a copied line) and takes no others.
bool PastedChars(std::u32string text, bool multi_line, std::u32string& out) {
  if (!multi_line) {
    while (!text.empty() && (text.back() == U'\r' || text.back() == U'\n')) text.pop_back();
  }
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != U'\r' && text[i] != U'\n') {
      out += text[i];
      continue;
    }
    if (!multi_line) return false;
    if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
    out += U"\r\n";
  }
  return true;
}

// Ends an edit the filters refused: the box is as it was, the user hears it once, from the
// filter when it beeped itself.
void Refuse(Application& app, Control& c, TextField& field, const TextField::State& before,
            int beeps_before) {
  field.Restore(before);
  c.NotifyFromModel(Property::kSelection);
  if (app.BeepCount() == beeps_before) app.Beep();
}

void Commit(Control& c, TextField& field, const TextField::State& before) {
  const std::string text_before = EncodeUtf8(before.chars);
  if (field.Text() != text_before) field.RecordEdit(before, false);
  AfterUserEdit(c, field, text_before);
}

void SelectAll(Control& c, TextField& field) {
  field.SetSelStart(0);
  field.SetSelLength(field.Length());
  c.NotifyFromModel(Property::kSelection);
}

// Cut: the selection leaves as Backspace would take it, so a filter that holds the text
// holds it against cutting too; only then does it go to the clipboard.
void Cut(Application& app, Form& form, Control& c, TextField& field) {
  if (field.SelLength() == 0) return;
  const TextField::State before = field.Save();
  const int beeps = app.BeepCount();
  if (IsLocked(&c)) {
    app.Beep();
    return;
  }
  const int key = Filter(app, form, c, kKeyBack);
  if (Gone(app, form)) return;
  if (key != kKeyBack) {
    Refuse(app, c, field, before, beeps);
    return;
  }
  app.GetDesktop().SetClipboardText(field.SelText());
  field.Backspace();
  Commit(c, field, before);
}

// Undo: the text before the last edit comes back as if typed over the whole text, so the
// filters decide as they would for the keys; a second Ctrl+Z brings the edit back.
void Undo(Application& app, Form& form, Control& c, TextField& field) {
  if (!field.UndoState().has_value()) return;
  const TextField::State target = *field.UndoState();
  const TextField::State before = field.Save();
  const int beeps = app.BeepCount();
  if (IsLocked(&c)) {
    app.Beep();
    return;
  }
  field.SetSelStart(0);
  field.SetSelLength(field.Length());
  Outcome outcome = Outcome::kTaken;
  if (target.chars.empty()) {
    const int key = Filter(app, form, c, kKeyBack);
    if (Gone(app, form)) return;
    if (key == kKeyBack) {
      field.Backspace();
    } else {
      outcome = Outcome::kRefused;
    }
  } else {
    outcome = KeepingOnError(app, form, field, before,
                             [&] { return TypeThrough(app, form, c, field, target.chars); });
  }
  if (outcome == Outcome::kGone) return;
  if (outcome == Outcome::kRefused || field.Save().chars != target.chars) {
    Refuse(app, c, field, before, beeps);
    return;
  }
  field.Restore(target);
  Commit(c, field, before);
}

}  // namespace

TextField* EditField(Control* c) {
  if (c == nullptr) return nullptr;
  if (c->Kind() == ControlKind::kTextBox) {
    return &static_cast<TextBox*>(c)->MutableField();
  }
  if (c->Kind() == ControlKind::kComboBox) {
    auto* combo = static_cast<ComboBox*>(c);
    return combo->Editable() ? &combo->MutableField() : nullptr;
  }
  return nullptr;
}

bool IsLocked(Control* c) {
  if (c->Kind() == ControlKind::kTextBox) return static_cast<TextBox*>(c)->Locked();
  if (c->Kind() == ControlKind::kComboBox) return static_cast<ComboBox*>(c)->Locked();
  return false;
}

int MaxLengthOf(Control* c) {
  return c->Kind() == ControlKind::kTextBox ? static_cast<TextBox*>(c)->MaxLength() : 0;
}

void AfterUserEdit(Control& c, TextField& field, const std::string& before) {
  if (field.Text() == before) {
    c.NotifyFromModel(Property::kSelection);
    return;
  }
  if (c.Kind() == ControlKind::kComboBox) static_cast<ComboBox&>(c).ForgetListIndex();
  c.NotifyFromModel(Property::kText);
  c.Fire(c.on.Change);
}

bool InsertCharacter(Application& app, Control& c, TextField& field, int key_ascii) {
  char32_t ch = CharOfKeyAscii(key_ascii);
  if (ch == 0) return false;
  int max = MaxLengthOf(&c);
  if (max > 0 && field.LengthAfterReplacing(1) > max) {
    app.Beep();
    return false;
  }
  field.ReplaceSelection(std::u32string(1, ch));
  return true;
}

bool IsEditingKey(int key_code, int shift) {
  if ((shift & (kShiftMask | kCtrlMask | kAltMask)) != kCtrlMask) return false;
  return key_code == 'A' || key_code == 'C' || key_code == 'X' || key_code == 'V' ||
         key_code == 'Z';
}

void RunEditingKey(Application& app, Form& form, Control& c, TextField& field, int key_code) {
  switch (key_code) {
    case 'A':
      SelectAll(c, field);
      break;
    case 'C':
      if (field.SelLength() > 0) app.GetDesktop().SetClipboardText(field.SelText());
      break;
    case 'X':
      Cut(app, form, c, field);
      break;
    case 'V':
      PasteText(app, form, c, field, app.GetDesktop().ClipboardText());
      break;
    case 'Z':
      Undo(app, form, c, field);
      break;
    default:
      break;
  }
}

void PasteText(Application& app, Form& form, Control& c, TextField& field, std::string_view utf8) {
  std::u32string chars;
  const bool fits = PastedChars(DecodeUtf8(utf8), IsMultiLine(c), chars);
  if (fits && chars.empty()) return;
  const TextField::State before = field.Save();
  const int beeps = app.BeepCount();
  if (!fits || IsLocked(&c)) {
    app.Beep();
    return;
  }
  const Outcome outcome = KeepingOnError(app, form, field, before,
                                         [&] { return TypeThrough(app, form, c, field, chars); });
  if (outcome == Outcome::kGone) return;
  if (outcome == Outcome::kRefused) {
    Refuse(app, c, field, before, beeps);
    return;
  }
  Commit(c, field, before);
}

}  // namespace forms::editing
