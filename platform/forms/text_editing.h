// The user's edits of a text box or an editable combo box, inside the model: typed
// characters, the editing keys Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V and Ctrl+Z, and paste. Every
// edit that changes the text passes the box's key filter (KeyPress, the form's first with
// KeyPreview) and MaxLength, as typing does; an edit the filter would alter is refused whole
// with a beep.
#ifndef FRELANE_PLATFORM_FORMS_TEXT_EDITING_H_
#define FRELANE_PLATFORM_FORMS_TEXT_EDITING_H_

#include <string>
#include <string_view>

#include "platform/forms/text_field.h"

namespace forms {

class Application;
class Control;
class Form;

namespace editing {

// The text the user edits in `c`; nullptr when it has none (a drop-down list, a button).
TextField* EditField(Control* c);
bool IsLocked(Control* c);
int MaxLengthOf(Control* c);

// Tells the host and fires Change after the user edited the field.
void AfterUserEdit(Control& c, TextField& field, const std::string& before);
// Inserts one character the filters let through; false (and a beep) when MaxLength refuses.
bool InsertCharacter(Application& app, Control& c, TextField& field, int key_ascii);

// Ctrl with A, C, X, V or Z and no other modifier.
bool IsEditingKey(int key_code, int shift);
// Runs an editing key on the focused box of `form`.
void RunEditingKey(Application& app, Form& form, Control& c, TextField& field, int key_code);
// Pastes text over the selection: taken whole, or refused whole with a beep.
void PasteText(Application& app, Form& form, Control& c, TextField& field, std::string_view utf8);

}  // namespace editing
}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_TEXT_EDITING_H_
