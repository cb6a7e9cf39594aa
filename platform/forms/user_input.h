// What the user does, as a host forwards it into the model. Every entry point runs the
// model's rules (focus moves through Validate, key filters, Change only on a real change),
// and when it returns, any queued SendKeys has run. Input to a form below a modal one, to a
// hidden or disabled control, or after End is ignored (the functions return false).
// An error a handler lets escape is reported in the model's one run-time error message box
// (Application::Dispatch) and goes no further: nothing escapes an entry point, so a host
// needs no error handling of its own around them.
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
// Types text, one character at a time, as keystrokes on the focused control. A character
// without a single-byte code is refused with a beep in a text box; the rest still go in.
// Ctrl with A, C, X, V or Z is an editing key in a text or editable combo box: select all,
// copy, cut, paste (the desktop's clipboard, as Paste below) and undo the last edit.
bool Type(HostKey, Form& form, std::string_view utf8_text);
// Pastes text into the focused text or combo box: each character passes the KeyPress
// filter (form first with KeyPreview) and MaxLength as if typed, and the text replaces the
// selection whole, or, when a filter refuses or changes a character (other than raising
// its case) or the box cannot hold it, the box stays as it was and beeps. A single-line
// box drops the line breaks that end the text and refuses a text of several lines.
bool Paste(HostKey, Form& form, std::string_view utf8_text);
// Moves the caret or selection of a text or combo box (no events).
bool Select(HostKey, Control& control, int sel_start, int sel_length);

// The mouse, as raw presses and releases; x and y are twips from the top left of `control`,
// the control the host delivers the event to.
//
// A press moves the focus to the control first (when its kind takes the focus), then fires
// MouseDown. When Validate refuses the move, or a focus handler sends the focus elsewhere,
// the whole gesture is dropped: no MouseDown, no MouseUp, no Click. True when the press went
// through (MouseDown fired).
bool MouseDown(HostKey, Control& control, int button, int shift, int x, int y);
// A release belongs to the control its press went down on, wherever the pointer is: MouseUp
// fires there (outside it, x or y lie beyond its size), then, for the left button released
// inside it, its Click: a check box toggles, an option button is selected, other kinds fire
// Click, except lists and combos (their Click comes from the pick of an item) and scroll
// bars. A release with no press of that button held, or on a form that no longer takes
// input, is ignored (false).
bool MouseUp(HostKey, Control& control, int button, int shift, int x, int y);
// The second press of a double click, in place of its MouseDown: the focus moves as for a
// press, then DblClick; the release that follows gives MouseUp only. Command buttons and
// check boxes have no DblClick: for them (and for any button but the left) it is a plain
// press, so a double click clicks them twice.
bool DblClick(HostKey, Control& control, int button = kLeftButton, int shift = 0, int x = 0,
              int y = 0);
// A whole left click at (x, y): MouseDown and MouseUp there. True when it was a Click.
bool Click(HostKey, Control& control, int x = 0, int y = 0);
bool MouseMove(HostKey, Control& control, int button, int shift, int x, int y);
// A pick in the list of a combo or list box (also a drive, folder or file list).
bool PickListItem(HostKey, Control& control, int index);
// The user moved a scroll bar.
bool Scroll(HostKey, ScrollBar& bar, int value);
// A menu item's Click, its keyboard access included. When the item causes validation, an
// edit of the focused control not yet accepted by its Validate is checked first, the focus
// staying where it is; a refusal leaves the Click out (false).
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
