#include "platform/forms/control.h"

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/forms/host.h"

namespace forms {

Control::Control(Form& form, ControlKind kind, std::string name, int index, const Rect& rect,
                 const Design& design)
    : form_(&form),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      container_(design.container),
      design_rect_(rect),
      design_(design),
      order_(0) {
  Control::ResetToDesign();
}

Control::~Control() = default;

std::string Control::DisplayName() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

Application& Control::App() const { return form_->App(); }
bool Control::Ended() const { return form_->App().Ended(); }
void Control::Touch() { form_->Touch(); }

void Control::Notify(Property p) {
  // What the user sees in the focused box may not be what its Validate last accepted.
  if ((p == Property::kText || p == Property::kListIndex || p == Property::kValue) && HasFocus()) {
    unchecked_edit_ = true;
  }
  Host* host = App().GetHost();
  if (host && form_->IsLoaded()) host->ControlChanged(*this, p);
}

void Control::ResetToDesign() {
  rect_ = design_rect_;
  visible_ = design_.visible;
  enabled_ = design_.enabled;
  tab_index_ = design_.tab_index;
  tab_stop_ = design_.tab_stop;
  causes_validation_ = design_.causes_validation;
  tool_tip_ = design_.tool_tip;
  help_context_id_ = design_.help_context_id;
  fore_color_ = design_.fore_color;
  back_color_ = design_.back_color;
  font_name_ = design_.font_name;
  font_size_ = design_.font_size;
  font_bold_ = design_.font_bold;
  tag_.clear();
  unchecked_edit_ = false;
}

int Control::Left() {
  Touch();
  return rect_.left;
}
int Control::Top() {
  Touch();
  return rect_.top;
}
int Control::Width() {
  Touch();
  return rect_.width;
}
int Control::Height() {
  Touch();
  return rect_.height;
}
void Control::SetLeft(int v) { Move(v, Top(), Width(), Height()); }
void Control::SetTop(int v) { Move(Left(), v, Width(), Height()); }
void Control::SetWidth(int v) { Move(Left(), Top(), v, Height()); }
void Control::SetHeight(int v) { Move(Left(), Top(), Width(), v); }

void Control::Move(int left, int top, int width, int height) {
  Touch();
  Rect r{left, top, width, height};
  if (r.left == rect_.left && r.top == rect_.top && r.width == rect_.width &&
      r.height == rect_.height) {
    return;
  }
  rect_ = r;
  Notify(Property::kGeometry);
}

bool Control::Visible() {
  Touch();
  return visible_;
}

void Control::SetVisible(bool v) {
  Touch();
  if (visible_ == v) return;
  visible_ = v;
  Notify(Property::kVisible);
}

bool Control::IsShown() const {
  for (const Control* c = this; c != nullptr; c = c->container_) {
    if (!c->visible_) return false;
  }
  return true;
}

bool Control::Enabled() {
  Touch();
  return enabled_;
}

void Control::SetEnabled(bool v) {
  Touch();
  if (enabled_ == v) return;
  enabled_ = v;
  Notify(Property::kEnabled);
  OnEnabledChanged();
}

bool Control::IsEffectivelyEnabled() const {
  for (const Control* c = this; c != nullptr; c = c->container_) {
    if (!c->enabled_) return false;
  }
  return true;
}

int Control::TabIndex() {
  Touch();
  return tab_index_;
}
void Control::SetTabIndex(int v) {
  Touch();
  if (tab_index_ == v) return;
  tab_index_ = v;
  Notify(Property::kTabOrder);
}
bool Control::TabStop() {
  Touch();
  return tab_stop_;
}
void Control::SetTabStop(bool v) {
  Touch();
  if (tab_stop_ == v) return;
  tab_stop_ = v;
  Notify(Property::kTabOrder);
}
bool Control::CausesValidation() {
  Touch();
  return causes_validation_;
}
void Control::SetCausesValidation(bool v) {
  Touch();
  causes_validation_ = v;
}
std::string Control::ToolTipText() {
  Touch();
  return tool_tip_;
}
void Control::SetToolTipText(const std::string& v) {
  Touch();
  if (tool_tip_ == v) return;
  tool_tip_ = v;
  Notify(Property::kToolTip);
}
int Control::HelpContextID() {
  Touch();
  return help_context_id_;
}
void Control::SetHelpContextID(int v) {
  Touch();
  help_context_id_ = v;
}
Color Control::ForeColor() {
  Touch();
  return fore_color_;
}
void Control::SetForeColor(Color v) {
  Touch();
  if (fore_color_ == v) return;
  fore_color_ = v;
  Notify(Property::kColors);
}
Color Control::BackColor() {
  Touch();
  return back_color_;
}
void Control::SetBackColor(Color v) {
  Touch();
  if (back_color_ == v) return;
  back_color_ = v;
  Notify(Property::kColors);
}
std::string Control::FontName() {
  Touch();
  return font_name_.empty() ? form_->FontName() : font_name_;
}
void Control::SetFontName(const std::string& v) {
  Touch();
  font_name_ = v;
  Notify(Property::kFont);
}
double Control::FontSize() {
  Touch();
  return font_size_ > 0 ? font_size_ : form_->FontSize();
}
void Control::SetFontSize(double v) {
  Touch();
  font_size_ = v;
  Notify(Property::kFont);
}
bool Control::FontBold() {
  Touch();
  return font_bold_;
}
void Control::SetFontBold(bool v) {
  Touch();
  font_bold_ = v;
  Notify(Property::kFont);
}
std::string Control::Tag() {
  Touch();
  return tag_;
}
void Control::SetTag(const std::string& v) {
  Touch();
  tag_ = v;
}

bool Control::SetFocus() {
  Touch();
  return App().MoveFocus(*this);
}

bool Control::HasFocus() const { return form_->ActiveControl() == this; }

bool Control::IsFocusableKind() const {
  switch (kind_) {
    case ControlKind::kTextBox:
    case ControlKind::kComboBox:
    case ControlKind::kListBox:
    case ControlKind::kCheckBox:
    case ControlKind::kOptionButton:
    case ControlKind::kPictureBox:
    case ControlKind::kDriveListBox:
    case ControlKind::kDirListBox:
    case ControlKind::kFileListBox:
    case ControlKind::kVScrollBar:
    case ControlKind::kHScrollBar:
      return true;
    case ControlKind::kCommandButton:
      return !design_.toolbar;
    default:
      return false;
  }
}

bool Control::CanTakeFocus() const {
  return IsFocusableKind() && IsShown() && IsEffectivelyEnabled();
}

}  // namespace forms
