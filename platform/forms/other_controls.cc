#include "platform/forms/other_controls.h"

#include "platform/forms/application.h"
#include "platform/forms/form.h"
#include "platform/runtime/error.h"

namespace forms {

PictureControl::PictureControl(Form& form, ControlKind kind, std::string name, int index,
                               const Rect& rect, const Design& design)
    : Control(form, kind, std::move(name), index, rect, design),
      auto_size_(design.auto_size),
      stretch_(design.stretch) {}

void PictureControl::ResetToDesign() {
  Control::ResetToDesign();
  picture_ = {};
}

Picture PictureControl::GetPicture() {
  Touch();
  return picture_;
}

void PictureControl::SetPicture(const Picture& picture) {
  Touch();
  if (picture_ == picture) return;
  picture_ = picture;
  Notify(Property::kPicture);
  // An Image without Stretch always takes its picture's size; a PictureBox with AutoSize.
  bool sizes = Kind() == ControlKind::kImage ? !stretch_ : auto_size_;
  if (sizes && !picture.empty()) {
    Move(Geometry().left, Geometry().top, picture.width, picture.height);
  }
}

Image::Image(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : PictureControl(form, kKind, std::move(name), index, rect, design) {}

PictureBox::PictureBox(Form& form, std::string name, int index, const Rect& rect,
                       const Design& design)
    : PictureControl(form, kKind, std::move(name), index, rect, design) {}

Timer::Timer(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : Control(form, kKind, std::move(name), index, rect, design) {
  Timer::ResetToDesign();
  App().RegisterTimer(*this);
}

Timer::~Timer() { App().UnregisterTimer(*this); }

void Timer::ResetToDesign() {
  Control::ResetToDesign();
  interval_ = DesignValues().interval;
  Rearm();
}

int Timer::Interval() {
  Touch();
  return interval_;
}

void Timer::SetInterval(int ms) {
  Touch();
  if (ms < 0) runtime::Raise(runtime::kErrInvalidPropertyValue);
  interval_ = ms;
  Rearm();
}

void Timer::OnEnabledChanged() { Rearm(); }

void Timer::Rearm() {
  bool was = armed_;
  armed_ = GetForm().IsLoaded() && IsEffectivelyEnabled() && interval_ > 0 && !Ended();
  if (armed_) due_at_ = App().Now() + interval_;
  if (armed_ || was) App().TimersChanged();
}

void Timer::OnUnload() {
  if (!armed_) return;
  armed_ = false;
  App().TimersChanged();
}

void Timer::FireTimer() {
  due_at_ = App().Now() + interval_;
  Fire(on.Timer);
}

Menu::Menu(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : CaptionControl(form, kKind, std::move(name), index, rect, design) {
  CaptionControl::ResetToDesign();
}

bool Menu::Checked() {
  Touch();
  return checked_;
}

void Menu::SetChecked(bool v) {
  Touch();
  if (checked_ == v) return;
  checked_ = v;
  Notify(Property::kValue);
}

Line::Line(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : Control(form, kKind, std::move(name), index, rect, design) {}

ScrollBar::ScrollBar(Form& form, std::string name, int index, const Rect& rect,
                     const Design& design, ControlKind kind)
    : Control(form, kind, std::move(name), index, rect, design) {
  ScrollBar::ResetToDesign();
}

void ScrollBar::ResetToDesign() {
  Control::ResetToDesign();
  min_ = DesignValues().min;
  max_ = DesignValues().max;
  value_ = DesignValues().value;
}

int ScrollBar::Min() {
  Touch();
  return min_;
}
void ScrollBar::SetMin(int v) {
  Touch();
  min_ = v;
  Notify(Property::kOther);
}
int ScrollBar::Max() {
  Touch();
  return max_;
}
void ScrollBar::SetMax(int v) {
  Touch();
  max_ = v;
  Notify(Property::kOther);
}
int ScrollBar::Value() {
  Touch();
  return value_;
}

void ScrollBar::SetValue(int v) {
  Touch();
  // Min may be above Max (a bar that counts down).
  int lo = min_ < max_ ? min_ : max_;
  int hi = min_ < max_ ? max_ : min_;
  if (v < lo || v > hi) runtime::Raise(runtime::kErrInvalidPropertyValue);
  if (v == value_) return;
  value_ = v;
  Notify(Property::kValue);
  Fire(on.Change);
}

}  // namespace forms
