// Text boxes and labels.
#ifndef FRELANE_PLATFORM_FORMS_TEXT_CONTROLS_H_
#define FRELANE_PLATFORM_FORMS_TEXT_CONTROLS_H_

#include <string>

#include "platform/forms/caption_control.h"
#include "platform/forms/control.h"
#include "platform/forms/text_field.h"

namespace forms {

class TextBox : public Control {
 public:
  static constexpr ControlKind kKind = ControlKind::kTextBox;
  TextBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);

  // Assigning a different text fires Change; the same text fires nothing.
  std::string Text();
  void SetText(const std::string& text);
  int SelStart();
  void SetSelStart(int v);
  int SelLength();
  void SetSelLength(int v);
  std::string SelText();
  // Replaces the selection (fires Change when the text differs).
  void SetSelText(const std::string& text);
  int MaxLength();
  void SetMaxLength(int v);
  bool Locked();
  void SetLocked(bool v);
  bool MultiLine() const { return multi_line_; }

  // For hosts and the key handling: no load, no events.
  const TextField& Field() const { return field_; }
  TextField& MutableField() { return field_; }

 protected:
  void ResetToDesign() override;

 private:
  TextField field_;
  int max_length_ = 0;
  bool locked_ = false;
  bool multi_line_ = false;
};

class Label : public CaptionControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kLabel;
  Label(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  bool AutoSize() const { return auto_size_; }
  bool WordWrap() const { return word_wrap_; }

 private:
  bool auto_size_;
  bool word_wrap_;
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_TEXT_CONTROLS_H_
