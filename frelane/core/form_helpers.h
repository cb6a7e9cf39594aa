// modMain's helpers bound to the controls of a form: whole-text selection on focus, Enter as
// Tab, and the key filters of numeric and postal-code boxes (their rules: field_helpers.h).
#ifndef FRELANE_CORE_FORM_HELPERS_H_
#define FRELANE_CORE_FORM_HELPERS_H_

#include <string>

#include "platform/forms/control_array.h"
#include "platform/forms/list_controls.h"
#include "platform/forms/text_controls.h"

namespace frelane::modMain {

// Selects the whole text of the box (called from GotFocus handlers).
void SelectAllText(forms::TextBox& box);
void SelectAllText(forms::ComboBox& box);
template <typename T>
void SelectAllTextItem(forms::ControlArray<T>& boxes, int index) {
  SelectAllText(boxes(index));
}

// A refused entry: the message (OK only), then the focus back in `field` with its whole text
// selected, so that the next key replaces what was refused rather than adding to it.
void RefuseEntry(forms::Control& field, const std::string& message);

// Enter (13) becomes no key and a Tab sent to the focused control; other keys pass.
void EnterAsTab(int& key);

// The key filter of a numeric box: `key` becomes 0 when refused. Parameters that leave no
// room for a digit show "Invalid function parameters passed cCommon - SetNumericKey".
void SetNumericKey(forms::TextBox& box, int& key, int max_length, int decimals);
void SetNumericKey(forms::ComboBox& box, int& key, int max_length, int decimals);

// The key filter of a postal-code box: letters and digits in the order of a ZIP or postal
// code, letters raised to upper case.
void SetZipKey(forms::TextBox& box, int& key, bool letters_after_first);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_FORM_HELPERS_H_
