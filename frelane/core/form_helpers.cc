#include "frelane/core/form_helpers.h"

#include "frelane/core/field_helpers.h"
#include "frelane/core/main_module.h"
#include "platform/forms/application.h"

namespace frelane::modMain {

namespace {

// What the filter sees of a box. Positions count characters; the filters' rules only ever
// meet single-byte characters in these boxes.
EditState StateOf(const forms::TextField& field) {
  return EditState{field.Text(), field.SelStart(), field.SelLength()};
}

void ApplyNumericFilter(const forms::TextField& field, int& key, int max_length, int decimals) {
  if (!FilterNumericKey(StateOf(field), key, max_length, decimals, DecimalCharacter())) {
    forms::MsgBox(kBadNumericKeyParameters);
  }
}

}  // namespace

void SelectAllText(forms::TextBox& box) {
  box.SetSelStart(0);
  box.SetSelLength(static_cast<int>(forms::DecodeUtf8(box.Text()).size()));
}

void SelectAllText(forms::ComboBox& box) {
  box.SetSelStart(0);
  box.SetSelLength(static_cast<int>(forms::DecodeUtf8(box.Text()).size()));
}

void RefuseEntry(forms::Control& field, const std::string& message) {
  forms::MsgBox(message);
  if (!field.HasFocus() && field.CanTakeFocus()) field.SetFocus();
  // Selected after the move as well: the box may have kept the focus, so no GotFocus ran.
  if (auto* box = dynamic_cast<forms::TextBox*>(&field)) SelectAllText(*box);
  if (auto* box = dynamic_cast<forms::ComboBox*>(&field)) SelectAllText(*box);
}

void EnterAsTab(int& key) {
  if (key != kKeyEnter) return;
  key = 0;
  forms::SendKeys("{TAB}");
}

void SetNumericKey(forms::TextBox& box, int& key, int max_length, int decimals) {
  ApplyNumericFilter(box.Field(), key, max_length, decimals);
}

void SetNumericKey(forms::ComboBox& box, int& key, int max_length, int decimals) {
  ApplyNumericFilter(box.Field(), key, max_length, decimals);
}

void SetZipKey(forms::TextBox& box, int& key, bool letters_after_first) {
  FilterZipKey(StateOf(box.Field()), key, letters_after_first);
}

}  // namespace frelane::modMain
