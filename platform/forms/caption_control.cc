#include "platform/forms/caption_control.h"

#include <cctype>

namespace forms {

void CaptionControl::ResetToDesign() {
  Control::ResetToDesign();
  caption_ = DesignValues().caption;
}

std::string CaptionControl::Caption() {
  Touch();
  return caption_;
}

void CaptionControl::SetCaption(const std::string& caption) {
  Touch();
  if (caption_ == caption) return;
  caption_ = caption;
  Notify(Property::kCaption);
  Fire(on.Change);
}

char CaptionControl::AccessKey() const {
  for (std::size_t i = 0; i + 1 < caption_.size(); ++i) {
    if (caption_[i] != '&') continue;
    if (caption_[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption_[i + 1])));
  }
  return 0;
}

}  // namespace forms
