#include "platform/forms/button_controls.h"

#include "platform/forms/form.h"
#include "platform/runtime/error.h"

namespace forms {

CommandButton::CommandButton(Form& form, std::string name, int index, const Rect& rect,
                             const Design& design)
    : CaptionControl(form, kKind, std::move(name), index, rect, design),
      is_default_(design.is_default),
      is_cancel_(design.is_cancel) {
  CaptionControl::ResetToDesign();
}

void CommandButton::SetValue(bool v) {
  Touch();
  if (v) Fire(on.Click);
}

CheckBox::CheckBox(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : CaptionControl(form, kKind, std::move(name), index, rect, design) {
  CheckBox::ResetToDesign();
}

void CheckBox::ResetToDesign() {
  CaptionControl::ResetToDesign();
  value_ = DesignValues().value;
}

int CheckBox::Value() {
  Touch();
  return value_;
}

void CheckBox::SetValue(int v) {
  Touch();
  if (v < kUnchecked || v > kGrayed) runtime::Raise(runtime::kErrInvalidPropertyValue);
  if (v == value_) return;
  value_ = v;
  Notify(Property::kValue);
  Fire(on.Click);
}

OptionButton::OptionButton(Form& form, std::string name, int index, const Rect& rect,
                           const Design& design)
    : CaptionControl(form, kKind, std::move(name), index, rect, design) {
  OptionButton::ResetToDesign();
}

void OptionButton::ResetToDesign() {
  CaptionControl::ResetToDesign();
  value_ = DesignValues().value != 0;
}

bool OptionButton::Value() {
  Touch();
  return value_;
}

void OptionButton::SetValue(bool v) {
  Touch();
  if (v == value_) return;
  if (v) {
    // One selected option per container.
    for (Control* c : GetForm().Controls()) {
      if (c == this || c->Kind() != ControlKind::kOptionButton) continue;
      if (c->Container() != Container()) continue;
      auto* other = static_cast<OptionButton*>(c);
      if (other->value_) {
        other->value_ = false;
        other->Notify(Property::kValue);
      }
    }
  }
  value_ = v;
  Notify(Property::kValue);
  if (v) Fire(on.Click);
}

Frame::Frame(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : CaptionControl(form, kKind, std::move(name), index, rect, design) {
  CaptionControl::ResetToDesign();
}

}  // namespace forms
