#include "platform/forms/text_controls.h"

namespace forms {

TextBox::TextBox(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : Control(form, kKind, std::move(name), index, rect, design) {
  TextBox::ResetToDesign();
}

void TextBox::ResetToDesign() {
  Control::ResetToDesign();
  field_.SetText(DesignValues().text);
  max_length_ = DesignValues().max_length;
  locked_ = DesignValues().locked;
  multi_line_ = DesignValues().multi_line;
}

std::string TextBox::Text() {
  Touch();
  return field_.Text();
}

void TextBox::SetText(const std::string& text) {
  Touch();
  if (field_.Text() == text) return;
  field_.SetText(text);
  Notify(Property::kText);
  Fire(on.Change);
}

int TextBox::SelStart() {
  Touch();
  return field_.SelStart();
}
void TextBox::SetSelStart(int v) {
  Touch();
  field_.SetSelStart(v);
  Notify(Property::kSelection);
}
int TextBox::SelLength() {
  Touch();
  return field_.SelLength();
}
void TextBox::SetSelLength(int v) {
  Touch();
  field_.SetSelLength(v);
  Notify(Property::kSelection);
}
std::string TextBox::SelText() {
  Touch();
  return field_.SelText();
}

void TextBox::SetSelText(const std::string& text) {
  Touch();
  std::string before = field_.Text();
  field_.ReplaceSelection(DecodeUtf8(text));
  if (field_.Text() == before) {
    Notify(Property::kSelection);
    return;
  }
  Notify(Property::kText);
  Fire(on.Change);
}

int TextBox::MaxLength() {
  Touch();
  return max_length_;
}
void TextBox::SetMaxLength(int v) {
  Touch();
  max_length_ = v < 0 ? 0 : v;
  Notify(Property::kOther);
}
bool TextBox::Locked() {
  Touch();
  return locked_;
}
void TextBox::SetLocked(bool v) {
  Touch();
  locked_ = v;
  Notify(Property::kOther);
}

Label::Label(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : CaptionControl(form, kKind, std::move(name), index, rect, design),
      auto_size_(design.auto_size),
      word_wrap_(design.word_wrap) {
  CaptionControl::ResetToDesign();
}

}  // namespace forms
