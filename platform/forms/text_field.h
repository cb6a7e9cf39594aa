// The editable text of a text box or the edit part of a combo box: characters, caret and
// selection. Positions count characters, not bytes; the text is UTF-8 at the interface.
#ifndef FRELANE_PLATFORM_FORMS_TEXT_FIELD_H_
#define FRELANE_PLATFORM_FORMS_TEXT_FIELD_H_

#include <optional>
#include <string>
#include <string_view>

#include "platform/os/cp1252.h"

namespace forms {

class TextField {
 public:
  std::string Text() const;
  // Replaces the whole text; the caret goes to the start, nothing selected.
  void SetText(std::string_view utf8);
  int Length() const { return static_cast<int>(chars_.size()); }

  int SelStart() const { return sel_start_; }
  int SelLength() const { return sel_length_; }
  std::string SelText() const;
  // Clamped to the text, so a caret or selection never lies past its end.
  void SetSelStart(int start);
  void SetSelLength(int length);
  // Replaces the selection with text; the caret goes after it.
  void ReplaceSelection(std::u32string_view text);
  // The length the text would have after the selection is replaced by n characters.
  int LengthAfterReplacing(int n) const { return Length() - sel_length_ + n; }

  // Editing keys. Each returns true when the text changed.
  bool Backspace();
  bool DeleteForward();
  void MoveCaret(int to, bool extend);

  // The text with its caret and selection, to put back whole.
  struct State {
    std::u32string chars;
    int sel_start = 0;
    int sel_length = 0;
  };
  State Save() const { return {chars_, sel_start_, sel_length_}; }
  void Restore(const State& state);

  // What Ctrl+Z goes back to: the state before the user's last edit. Characters typed one
  // after another, with the caret left where the last one put it, are one edit. Assigning
  // the text forgets it.
  void RecordEdit(const State& before, bool typed);
  const std::optional<State>& UndoState() const { return undo_; }

 private:
  std::u32string chars_;
  int sel_start_ = 0;
  int sel_length_ = 0;
  std::optional<State> undo_;
  bool typing_ = false;
};

// UTF-8 <-> code points, the same strict codec the record text goes through: each byte of
// a malformed sequence becomes U+FFFD.
using os::DecodeUtf8;
using os::EncodeUtf8;
// The Windows-1252 code a character has as a key code (0 when it has none), and back.
int KeyAsciiOf(char32_t c);
char32_t CharOfKeyAscii(int key_ascii);

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_TEXT_FIELD_H_
