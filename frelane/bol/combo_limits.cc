#include "frelane/bol/combo_limits.h"

#include <string>

#include "frelane/bol/mod_bol.h"
#include "frelane/core/field_helpers.h"
#include "frelane/core/form_helpers.h"
#include "platform/forms/application.h"

namespace frelane::bol {

void RefuseKeyAtWidth(forms::ComboBox& box, int& key, std::size_t width) {
  // Widths count letters: an accented letter is one stored byte but two bytes of UTF-8.
  if (modBOL::LetterCount(box.Text()) >= width && key != modMain::kKeyBackspace) {
    forms::Beep();
    key = 0;
  }
}

bool CutToWidth(forms::ComboBox& box, std::size_t width) {
  const std::string text = box.Text();
  if (modBOL::LetterCount(text) <= width) return false;
  forms::Beep();
  box.SetText(modBOL::FirstLetters(text, width));
  modMain::SelectAllText(box);
  return true;
}

}  // namespace frelane::bol
