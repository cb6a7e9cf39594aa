#include "platform/forms/text_field.h"

#include <algorithm>
#include <string>

#include "platform/os/cp1252.h"

namespace forms {

int KeyAsciiOf(char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  std::string single = os::Utf8ToCp1252(EncodeUtf8(std::u32string(1, c)));
  if (single.size() != 1) return 0;
  unsigned char b = static_cast<unsigned char>(single[0]);
  // A character without a code comes back as a substitute; check the round trip.
  if (CharOfKeyAscii(b) != c) return 0;
  return b;
}

char32_t CharOfKeyAscii(int key_ascii) {
  if (key_ascii <= 0 || key_ascii > 255) return 0;
  if (key_ascii < 0x80) return static_cast<char32_t>(key_ascii);
  std::u32string s = DecodeUtf8(os::Cp1252ToUtf8(std::string(1, static_cast<char>(key_ascii))));
  return s.size() == 1 ? s[0] : 0;
}

std::string TextField::Text() const { return EncodeUtf8(chars_); }

void TextField::SetText(std::string_view utf8) {
  chars_ = DecodeUtf8(utf8);
  sel_start_ = 0;
  sel_length_ = 0;
  undo_.reset();
  typing_ = false;
}

void TextField::Restore(const State& state) {
  chars_ = state.chars;
  sel_start_ = std::clamp(state.sel_start, 0, Length());
  sel_length_ = std::clamp(state.sel_length, 0, Length() - sel_start_);
  typing_ = false;
}

void TextField::RecordEdit(const State& before, bool typed) {
  if (!(typed && typing_ && undo_.has_value())) undo_ = before;
  typing_ = typed;
}

std::string TextField::SelText() const {
  return EncodeUtf8(std::u32string_view(chars_).substr(sel_start_, sel_length_));
}

void TextField::SetSelStart(int start) {
  typing_ = false;
  sel_start_ = std::clamp(start, 0, Length());
  sel_length_ = 0;
}

void TextField::SetSelLength(int length) {
  typing_ = false;
  sel_length_ = std::clamp(length, 0, Length() - sel_start_);
}

void TextField::ReplaceSelection(std::u32string_view text) {
  chars_.replace(sel_start_, sel_length_, text);
  sel_start_ += static_cast<int>(text.size());
  sel_length_ = 0;
}

bool TextField::Backspace() {
  if (sel_length_ > 0) {
    ReplaceSelection({});
    return true;
  }
  if (sel_start_ == 0) return false;
  chars_.erase(sel_start_ - 1, 1);
  --sel_start_;
  return true;
}

bool TextField::DeleteForward() {
  if (sel_length_ > 0) {
    ReplaceSelection({});
    return true;
  }
  if (sel_start_ >= Length()) return false;
  chars_.erase(sel_start_, 1);
  return true;
}

void TextField::MoveCaret(int to, bool extend) {
  typing_ = false;
  to = std::clamp(to, 0, Length());
  if (!extend) {
    sel_start_ = to;
    sel_length_ = 0;
    return;
  }
  // The anchor is the end of the selection away from the caret's old side.
  int anchor = sel_start_;
  int lo = std::min(anchor, to);
  int hi = std::max(anchor + sel_length_, to);
  if (to < anchor) hi = anchor + sel_length_;
  sel_start_ = lo;
  sel_length_ = hi - lo;
}

}  // namespace forms
