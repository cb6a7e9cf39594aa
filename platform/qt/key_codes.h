// Qt keystrokes as the form model takes them: the key codes of types.h (the numbers the
// program's KeyDown handlers compare), the Shift/Ctrl/Alt mask, and the character code
// KeyPress receives.
#ifndef FRELANE_PLATFORM_QT_KEY_CODES_H_
#define FRELANE_PLATFORM_QT_KEY_CODES_H_

#include <QKeyEvent>

namespace qtbind {

struct Keystroke {
  int key_code = 0;  // 0 for a key the model has no code for
  int shift = 0;     // forms::kShiftMask | kCtrlMask | kAltMask
  int ascii = 0;     // Windows-1252 code of the character; Ctrl+A..Z give 1..26; 0 for none
};

Keystroke ToKeystroke(const QKeyEvent& event);

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_KEY_CODES_H_
