#include "frelane/bol/combo_limits.h"

#include <string>

#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "platform/forms/application.h"

namespace frelane::bol {

void RefuseKeyAtWidth(forms::ComboBox& box, int& key, std::size_t width) {
  if (box.Text().size() >= width && key != modMain::kKeyBackspace) {
    forms::Beep();
    key = 0;
  }
}

bool CutToWidth(forms::ComboBox& box, std::size_t width) {
  const std::string text = box.Text();
  if (text.size() <= width) return false;
  forms::Beep();
  box.SetText(text.substr(0, width));
  modMain::SelectAllText(box);
  return true;
}

}  // namespace frelane::bol
