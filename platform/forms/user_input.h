// What the user does, as a host forwards it into the model. Every entry point runs the
// model's rules (focus moves through Validate, key filters, Change only on a real change),
// and when it returns, any queued SendKeys has run. Input to a form below a modal one, to a
// hidden or disabled control, or after End is ignored (the functions return false).
#ifndef FRELANE_PLATFORM_FORMS_USER_INPUT_H_
#define FRELANE_PLATFORM_FORMS_USER_INPUT_H_

#include <string>
#include <string_view>

#include "platform/forms/host.h"

namespace forms {

class Control;
class Form;
class Menu;
class ScrollBar;

namespace user {

// Moves the focus to `target` as a mouse press or access key would. False when the target
// cannot take the focus or Validate kept it where it was.
bool Focus(HostKey, Control& target);
// Tab or Shift+Tab on the form's active control.
bool Tab(HostKey, Form& form, bool backwards = false);

// A keystroke on the focused control (or the form when none has the focus): KeyDown, then
// KeyPress when the key makes a character (`ascii` != 0, a Windows-1252 code; Ctrl+A..Z give
// 1..26), then the control's own handling of what is left of the key, then KeyUp.
bool Key(HostKey, Form& form, int key_code, int shift, int ascii);
// Types text, one character at a time, as keystrokes on the focused control.
bool Type(HostKey, Form& form, std::string_view utf8_text);
// Pastes text into the focused text or combo box: each character passes the KeyPress
// filter (form first with KeyPreview); the accepted ones replace the selection.
bool Paste(HostKey, Form& form, std::string_view utf8_text);
// Moves the caret or selection of a text or combo box (no events).
bool Select(HostKey, Control& control, int sel_start, int sel_length);

// A click: the focus moves first (when the control takes the focus), then MouseDown,
// MouseUp and Click (a check box toggles, an option button is selected). When Validate
// cancels or a focus handler moved the focus elsewhere there is no Click.
bool Click(HostKey, Control& control, int x = 0, int y = 0);
bool DblClick(HostKey, Control& control);
bool MouseDown(HostKey, Control& control, int button, int shift, int x, int y);
bool MouseUp(HostKey, Control& control, int button, int shift, int x, int y);
bool MouseMove(HostKey, Control& control, int button, int shift, int x, int y);
// A pick in the list of a combo or list box (also a drive, folder or file list).
bool PickListItem(HostKey, Control& control, int index);
// The user moved a scroll bar.
bool Scroll(HostKey, ScrollBar& bar, int value);
bool MenuClick(HostKey, Menu& menu);

bool FormClick(HostKey, Form& form);
bool FormMouseMove(HostKey, Form& form, int button, int shift, int x, int y);
bool FormPaint(HostKey, Form& form);
// The close box: QueryUnload and Unload, either of which may cancel. True when unloaded.
bool CloseForm(HostKey, Form& form);

// Runs the timers that are due at the application clock's time.
void RunDueTimers(HostKey);

}  // namespace user
}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_USER_INPUT_H_
