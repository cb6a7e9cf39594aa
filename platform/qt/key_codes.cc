#include "platform/qt/key_codes.h"

#include <utility>

#include <QKeySequence>

#include "platform/forms/text_field.h"
#include "platform/forms/types.h"

namespace qtbind {
namespace {

struct KeyRow {
  int qt_key;
  int key_code;
  int ascii;  // the character the key makes whatever the text says; -1: from the text
};

// Keys whose code or character the text of the event does not tell.
constexpr KeyRow kKeys[] = {
    {Qt::Key_Backspace, forms::kKeyBack, 8},   {Qt::Key_Tab, forms::kKeyTab, 9},
    {Qt::Key_Backtab, forms::kKeyTab, 9},      {Qt::Key_Return, forms::kKeyReturn, 13},
    {Qt::Key_Enter, forms::kKeyReturn, 13},    {Qt::Key_Escape, forms::kKeyEscape, 27},
    {Qt::Key_Space, forms::kKeySpace, -1},     {Qt::Key_PageUp, forms::kKeyPageUp, 0},
    {Qt::Key_PageDown, forms::kKeyPageDown, 0}, {Qt::Key_End, forms::kKeyEnd, 0},
    {Qt::Key_Home, forms::kKeyHome, 0},        {Qt::Key_Left, forms::kKeyLeft, 0},
    {Qt::Key_Up, forms::kKeyUp, 0},            {Qt::Key_Right, forms::kKeyRight, 0},
    {Qt::Key_Down, forms::kKeyDown, 0},        {Qt::Key_Insert, forms::kKeyInsert, 0},
    {Qt::Key_Delete, forms::kKeyDelete, 0},    {Qt::Key_Shift, forms::kKeyShift, 0},
    {Qt::Key_Control, forms::kKeyControl, 0},  {Qt::Key_Alt, 18, 0},
    // Punctuation keys carry the key codes of their place on the US keyboard, which the
    // program's KeyDown handlers compare against.
    {Qt::Key_Semicolon, 186, -1}, {Qt::Key_Colon, 186, -1},      {Qt::Key_Equal, 187, -1},
    {Qt::Key_Plus, 187, -1},      {Qt::Key_Comma, 188, -1},      {Qt::Key_Less, 188, -1},
    {Qt::Key_Minus, 189, -1},     {Qt::Key_Underscore, 189, -1}, {Qt::Key_Period, 190, -1},
    {Qt::Key_Greater, 190, -1},   {Qt::Key_Slash, 191, -1},      {Qt::Key_Question, 191, -1},
    {Qt::Key_QuoteLeft, 192, -1}, {Qt::Key_AsciiTilde, 192, -1}, {Qt::Key_BracketLeft, 219, -1},
    {Qt::Key_BraceLeft, 219, -1}, {Qt::Key_Backslash, 220, -1},  {Qt::Key_Bar, 220, -1},
    {Qt::Key_BracketRight, 221, -1}, {Qt::Key_BraceRight, 221, -1},
    {Qt::Key_Apostrophe, 222, -1}, {Qt::Key_QuoteDbl, 222, -1},
};

constexpr std::pair<QKeySequence::StandardKey, int> kEditingKeys[] = {
    {QKeySequence::SelectAll, 'A'}, {QKeySequence::Copy, 'C'}, {QKeySequence::Cut, 'X'},
    {QKeySequence::Paste, 'V'},     {QKeySequence::Undo, 'Z'},
};

int AsciiOfText(const QString& text) {
  if (text.isEmpty()) return 0;
  const uint code = text.toUcs4().value(0);
  if (code < 0x20 || code == 0x7F) return 0;
  return forms::KeyAsciiOf(static_cast<char32_t>(code));
}

}  // namespace

Keystroke ToKeystroke(const QKeyEvent& event) {
  // The desktop's other keys for the editing commands (Shift+Insert, Ctrl+Insert,
  // Shift+Delete, ...) are the Ctrl+letter the model knows.
  for (const auto& [sequence, letter] : kEditingKeys) {
    if (event.matches(sequence)) return {letter, forms::kCtrlMask, letter - 'A' + 1};
  }
  Keystroke stroke;
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::ShiftModifier) stroke.shift |= forms::kShiftMask;
  if (modifiers & Qt::ControlModifier) stroke.shift |= forms::kCtrlMask;
  if (modifiers & Qt::AltModifier) stroke.shift |= forms::kAltMask;
  const int key = event.key();

  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    stroke.key_code = key;  // Qt's letter keys are the upper-case codes, as key codes are
    const bool ctrl_only = (stroke.shift & (forms::kCtrlMask | forms::kAltMask)) == forms::kCtrlMask;
    stroke.ascii = ctrl_only ? key - Qt::Key_A + 1 : AsciiOfText(event.text());
    return stroke;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    stroke.key_code = key;
    stroke.ascii = AsciiOfText(event.text());
    return stroke;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
    stroke.key_code = forms::kKeyF1 + (key - Qt::Key_F1);
    return stroke;
  }
  for (const KeyRow& row : kKeys) {
    if (row.qt_key != key) continue;
    stroke.key_code = row.key_code;
    stroke.ascii = row.ascii >= 0 ? row.ascii : AsciiOfText(event.text());
    return stroke;
  }
  // Any other key that makes a character (accented letters, symbols): the character only.
  stroke.ascii = (stroke.shift & forms::kCtrlMask) ? 0 : AsciiOfText(event.text());
  return stroke;
}

}  // namespace qtbind
