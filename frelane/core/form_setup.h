// modMain's helpers that every window's load handler uses to look like the others: the
// standard size and the carrier's icon.
#ifndef FRELANE_CORE_FORM_SETUP_H_
#define FRELANE_CORE_FORM_SETUP_H_

namespace forms {
class Form;
}

namespace frelane::modMain {

inline constexpr int kStandardFormHeight = 7320;  // twips
inline constexpr int kStandardFormWidth = 9600;

void SetStandardFormSize(forms::Form& form);

// Gives the form the icon file named in the settings, from the data directory. A blank or
// unsafe name, or a file that is missing or no picture, leaves the form without an icon.
void SetFormIcon(forms::Form& form);

}  // namespace frelane::modMain

#endif  // FRELANE_CORE_FORM_SETUP_H_
