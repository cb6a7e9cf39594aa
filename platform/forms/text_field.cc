#include "platform/forms/text_field.h"

#include <algorithm>
#include <string>

#include "platform/os/cp1252.h"

namespace forms {

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = 0;
    if (c < 0x80) {
      out.push_back(c);
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    bool ok = true;
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + k >= s.size()) {
        ok = false;
        break;
      }
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

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
}

std::string TextField::SelText() const {
  return EncodeUtf8(std::u32string_view(chars_).substr(sel_start_, sel_length_));
}

void TextField::SetSelStart(int start) {
  sel_start_ = std::clamp(start, 0, Length());
  sel_length_ = 0;
}

void TextField::SetSelLength(int length) {
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
