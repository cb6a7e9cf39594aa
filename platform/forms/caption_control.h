// A control with a caption ("&Save": the "&" marks the access key): labels, buttons, check
// and option boxes, frames and menu entries.
#ifndef FRELANE_PLATFORM_FORMS_CAPTION_CONTROL_H_
#define FRELANE_PLATFORM_FORMS_CAPTION_CONTROL_H_

#include <string>

#include "platform/forms/control.h"

namespace forms {

class CaptionControl : public Control {
 public:
  std::string Caption();
  // Assigning a different caption fires Change (labels have a Change event); the same
  // caption fires nothing.
  void SetCaption(const std::string& caption);
  // For hosts: without loading.
  const std::string& CaptionValue() const { return caption_; }
  // The access key of the caption, upper-cased; 0 when none ("&&" is a literal "&").
  char AccessKey() const;

 protected:
  using Control::Control;
  void ResetToDesign() override;

 private:
  std::string caption_;
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_CAPTION_CONTROL_H_
