// The length limit of the bill-of-lading forms' typing combos: a key past the limit is
// refused with a beep, a longer text (pasted or set) is cut with a beep.
#ifndef FRELANE_BOL_COMBO_LIMITS_H_
#define FRELANE_BOL_COMBO_LIMITS_H_

#include <cstddef>

#include "platform/forms/forms.h"

namespace frelane::bol {

// Refuses the key (0) with a beep when the text already has `width` characters, except
// Backspace.
void RefuseKeyAtWidth(forms::ComboBox& box, int& key, std::size_t width);
// Cuts a text longer than `width` to its first `width` characters with a beep and selects
// it all; true when it cut (the box's Change has then run again with the cut text).
bool CutToWidth(forms::ComboBox& box, std::size_t width);

}  // namespace frelane::bol

#endif  // FRELANE_BOL_COMBO_LIMITS_H_
