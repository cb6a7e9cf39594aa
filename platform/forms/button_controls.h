// Command buttons, check boxes, option buttons and frames.
#ifndef FRELANE_PLATFORM_FORMS_BUTTON_CONTROLS_H_
#define FRELANE_PLATFORM_FORMS_BUTTON_CONTROLS_H_

#include <string>

#include "platform/forms/caption_control.h"

namespace forms {

class CommandButton : public CaptionControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kCommandButton;
  CommandButton(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  // Enter anywhere on the form clicks the default button, Escape the cancel button.
  bool Default() const { return is_default_; }
  bool Cancel() const { return is_cancel_; }
  // Clicks the button from code (Value = True): fires Click, moves no focus.
  void SetValue(bool v);

 private:
  bool is_default_;
  bool is_cancel_;
};

class CheckBox : public CaptionControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kCheckBox;
  static constexpr int kUnchecked = 0;
  static constexpr int kChecked = 1;
  static constexpr int kGrayed = 2;
  CheckBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  int Value();
  // A different value fires Click, also from code; outside 0..2 is run-time error 380.
  void SetValue(int v);
  int CurrentValue() const { return value_; }
  // What the user's click or Space does: checked becomes unchecked, anything else checked.
  void Toggle() { SetValue(value_ == kChecked ? kUnchecked : kChecked); }

 protected:
  void ResetToDesign() override;

 private:
  int value_ = 0;
};

class OptionButton : public CaptionControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kOptionButton;
  OptionButton(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  bool Value();
  // True clears the other option buttons of the same container and fires this one's Click
  // (also from code) when it was not already selected. False just clears it.
  void SetValue(bool v);
  bool CurrentValue() const { return value_; }

 protected:
  void ResetToDesign() override;

 private:
  bool value_ = false;
};

// A container with a caption. Hiding or disabling it hides or disables its controls.
class Frame : public CaptionControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kFrame;
  Frame(Form& form, std::string name, int index, const Rect& rect, const Design& design);
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_BUTTON_CONTROLS_H_
