// After a Qt dialog of its own (a message box, a file chooser) closes, the window it was
// opened over takes the keyboard back: without a window manager nobody else gives that
// window the input focus again.
#ifndef FRELANE_PLATFORM_QT_KEYBOARD_RETURN_H_
#define FRELANE_PLATFORM_QT_KEYBOARD_RETURN_H_

#include <QWidget>

namespace qtbind {

inline void ReturnKeyboardTo(QWidget* window) {
  if (window != nullptr && window->isVisible()) window->activateWindow();
}

}  // namespace qtbind

#endif  // FRELANE_PLATFORM_QT_KEYBOARD_RETURN_H_
