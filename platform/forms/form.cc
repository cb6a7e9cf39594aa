#include "platform/forms/form.h"

#include <algorithm>
#include <cctype>

#include "platform/forms/application.h"
#include "platform/forms/host.h"
#include "platform/forms/placement.h"
#include "platform/runtime/error.h"

namespace forms {
namespace {

// The frame and title bar of a sizable window, twips: ScaleWidth/ScaleHeight are the
// form's size less these.
constexpr int kFrameWidth = 2 * 4 * kTwipsPerPixel;
constexpr int kFrameHeight = kFrameWidth + 26 * kTwipsPerPixel;

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

Form::Form(std::string name, FormDesign design)
    : app_(Application::Current()), name_(std::move(name)), design_(std::move(design)) {
  caption_ = design_.caption;
  rect_ = {design_.left, design_.top, design_.width, design_.height};
  key_preview_ = design_.key_preview;
  back_color_ = design_.back_color;
  app_.RegisterForm(*this);
}

Form::~Form() {
  // Controls go first: a timer unregisters itself from the application.
  owned_.clear();
  app_.UnregisterForm(*this);
}

void Form::Adopt(std::unique_ptr<Control> control) {
  control->order_ = static_cast<int>(controls_.size());
  if (control->design_.tab_index < 0) {
    control->design_.tab_index = control->order_;
    control->tab_index_ = control->order_;
  }
  controls_.push_back(control.get());
  owned_.push_back(std::move(control));
}

void Form::Touch() {
  if (!loaded_) Load();
}

void Form::Notify(Property p) {
  if (app_.GetHost() && loaded_) app_.GetHost()->FormChanged(*this, p);
}

void Form::Load() {
  if (loaded_ || app_.Ended()) return;
  loaded_ = true;
  visible_ = false;
  modal_ = false;
  active_ = nullptr;
  caption_ = design_.caption;
  rect_ = {design_.left, design_.top, design_.width, design_.height};
  placed_ = false;  // back at the design's place: a centred form is centred again
  enabled_ = true;
  key_preview_ = design_.key_preview;
  back_color_ = design_.back_color;
  icon_ = {};
  picture_ = {};
  for (Control* c : controls_) c->ResetToDesign();
  if (app_.GetHost()) app_.GetHost()->FormLoaded(*this);
  Form_Load();
}

bool Form::Unload() { return UnloadWithMode(kUnloadFormCode); }

bool Form::UnloadWithMode(int mode) {
  if (!loaded_) return true;
  bool cancel = false;
  Form_QueryUnload(cancel, mode);
  if (cancel || !loaded_) return !loaded_;
  Form_Unload(cancel);
  if (cancel || !loaded_) return !loaded_;
  loaded_ = false;
  visible_ = false;
  modal_ = false;
  for (Control* c : controls_) c->OnUnload();
  active_ = nullptr;
  app_.FormClosing(*this);
  if (app_.GetHost()) app_.GetHost()->FormUnloaded(*this);
  return true;
}

void Form::Show(ShowMode mode) {
  if (app_.Ended()) return;
  Load();
  if (!loaded_) return;  // Form_Load unloaded it
  bool modal = mode == ShowMode::kModal;
  if (visible_) {
    if (modal) runtime::Raise(runtime::kErrFormAlreadyDisplayed);
    app_.ActivateForm(*this);
    return;
  }
  if (design_.center && !placed_) {
    rect_ = CentredIn(app_.ScreenWorkArea(*this), rect_.width, rect_.height);
  }
  placed_ = true;
  visible_ = true;
  modal_ = modal;
  if (app_.GetHost()) app_.GetHost()->FormShown(*this, modal);
  app_.ActivateForm(*this);
  if (!modal) return;
  if (app_.GetHost() && IsVisible() && !app_.Ended()) app_.RunModalLoop(*this);
  modal_ = false;
}

void Form::Hide() {
  Load();
  if (!visible_) return;
  visible_ = false;
  modal_ = false;
  if (app_.GetHost()) app_.GetHost()->FormHidden(*this);
  app_.FormClosing(*this);
}

std::string Form::Caption() {
  Touch();
  return caption_;
}
void Form::SetCaption(const std::string& caption) {
  Touch();
  if (caption_ == caption) return;
  caption_ = caption;
  Notify(Property::kCaption);
}
int Form::Left() {
  Touch();
  return rect_.left;
}
int Form::Top() {
  Touch();
  return rect_.top;
}
int Form::Width() {
  Touch();
  return rect_.width;
}
int Form::Height() {
  Touch();
  return rect_.height;
}
void Form::SetLeft(int v) { Move(v, Top(), Width(), Height()); }
void Form::SetTop(int v) { Move(Left(), v, Width(), Height()); }
void Form::SetWidth(int v) { Move(Left(), Top(), v, Height()); }
void Form::SetHeight(int v) { Move(Left(), Top(), Width(), v); }

void Form::Move(int left, int top, int width, int height) {
  Touch();
  bool resized = width != rect_.width || height != rect_.height;
  if (left == rect_.left && top == rect_.top && !resized) return;
  rect_ = {left, top, width, height};
  Notify(Property::kGeometry);
  if (resized) Form_Resize();
}

bool Form::Visible() {
  Touch();
  return visible_;
}
void Form::SetVisible(bool v) {
  if (v) {
    Show();
  } else {
    Hide();
  }
}
bool Form::Enabled() {
  Touch();
  return enabled_;
}
void Form::SetEnabled(bool v) {
  Touch();
  if (enabled_ == v) return;
  enabled_ = v;
  Notify(Property::kEnabled);
}
bool Form::KeyPreview() {
  Touch();
  return key_preview_;
}
void Form::SetKeyPreview(bool v) {
  Touch();
  key_preview_ = v;
}
Color Form::BackColor() {
  Touch();
  return back_color_;
}
void Form::SetBackColor(Color v) {
  Touch();
  if (back_color_ == v) return;
  back_color_ = v;
  Notify(Property::kColors);
}
Picture Form::Icon() {
  Touch();
  return icon_;
}
void Form::SetIcon(const Picture& icon) {
  Touch();
  if (icon_ == icon) return;
  icon_ = icon;
  Notify(Property::kPicture);
}
Picture Form::GetPicture() {
  Touch();
  return picture_;
}
void Form::SetPicture(const Picture& picture) {
  Touch();
  if (picture_ == picture) return;
  picture_ = picture;
  Notify(Property::kPicture);
}
int Form::ScaleWidth() { return std::max(0, Width() - kFrameWidth); }
int Form::ScaleHeight() { return std::max(0, Height() - kFrameHeight); }
void Form::Refresh() {
  Touch();
  if (visible_) Form_Paint();
}

Control* Form::FindControl(const std::string& name, int index) const {
  for (Control* c : controls_) {
    if (c->Index() == index && SameName(c->Name(), name)) return c;
  }
  return nullptr;
}

std::vector<Control*> Form::TabOrder() const {
  std::vector<Control*> order;
  for (Control* c : controls_) {
    if (!c->tab_stop_ || !c->CanTakeFocus()) continue;
    if (c->Kind() == ControlKind::kOptionButton) {
      // An option group is one stop: its selected button, or its first when none is.
      auto* option = static_cast<OptionButton*>(c);
      bool any_selected = false;
      Control* first = nullptr;
      for (Control* o : controls_) {
        if (o->Kind() != ControlKind::kOptionButton || o->Container() != c->Container()) {
          continue;
        }
        if (!o->tab_stop_ || !o->CanTakeFocus()) continue;
        if (static_cast<OptionButton*>(o)->CurrentValue()) any_selected = true;
        if (first == nullptr || o->tab_index_ < first->tab_index_ ||
            (o->tab_index_ == first->tab_index_ && o->order_ < first->order_)) {
          first = o;
        }
      }
      bool stop = any_selected ? option->CurrentValue() : c == first;
      if (!stop && c != active_) continue;
    }
    order.push_back(c);
  }
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    if (a->tab_index_ != b->tab_index_) return a->tab_index_ < b->tab_index_;
    return a->order_ < b->order_;
  });
  return order;
}

CommandButton* Form::DefaultButton() const {
  for (Control* c : controls_) {
    if (c->Kind() == ControlKind::kCommandButton && static_cast<CommandButton*>(c)->Default() &&
        c->IsShown() && c->IsEffectivelyEnabled()) {
      return static_cast<CommandButton*>(c);
    }
  }
  return nullptr;
}

CommandButton* Form::CancelButton() const {
  for (Control* c : controls_) {
    if (c->Kind() == ControlKind::kCommandButton && static_cast<CommandButton*>(c)->Cancel() &&
        c->IsShown() && c->IsEffectivelyEnabled()) {
      return static_cast<CommandButton*>(c);
    }
  }
  return nullptr;
}

}  // namespace forms
