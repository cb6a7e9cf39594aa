// Controls holding a list of items: list boxes and combo boxes.
#ifndef FRELANE_PLATFORM_FORMS_LIST_CONTROLS_H_
#define FRELANE_PLATFORM_FORMS_LIST_CONTROLS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/text_field.h"

namespace forms {

// The item list shared by list boxes, combo boxes and the file-system lists.
class ListControl : public Control {
 public:
  // Adds an item at the end (index -1) or before `index`. NewIndex() tells where it went.
  void AddItem(const std::string& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  // Clear, then every item added at the end with its ItemData (0 past the end of
  // item_data), in one change: a host redraws a long list once instead of once per item.
  void SetItems(std::vector<std::string> items, std::vector<int> item_data);
  int ListCount();
  // "" outside the list: reading past the end is not an error, so callers may loop freely.
  std::string List(int index);
  void SetList(int index, const std::string& item);
  int ItemData(int index);
  void SetItemData(int index, int data);
  int NewIndex();
  // -1 = nothing selected. Assigning a different index fires Click (also from code);
  // outside -1..ListCount-1 it is a run-time error 380.
  int ListIndex();
  void SetListIndex(int index);

  // For hosts.
  const std::vector<std::string>& Items() const { return items_; }
  int CurrentIndex() const { return list_index_; }
  // Changes with every change of the items (not of ListIndex or ItemData): a host that
  // shows the items on demand knows from it when to ask again.
  std::uint64_t ItemsRevision() const { return items_revision_; }
  // How many whole rows of the list's font its height holds (at least one): what a list
  // shows when no host tells.
  int RowsByHeight();

 protected:
  ListControl(Form& form, ControlKind kind, std::string name, int index, const Rect& rect,
              const Design& design);
  void ResetToDesign() override;
  // Called after ListIndex changed, before Click: a combo box copies the item into its text.
  virtual void OnListIndexChanged() {}
  void ReplaceItems(std::vector<std::string> items);
  void ClearIndexQuietly() { list_index_ = -1; }

 private:
  std::vector<std::string> items_;
  std::vector<int> item_data_;
  std::uint64_t items_revision_ = 0;
  int list_index_ = -1;
  int new_index_ = -1;
};

class ListBox : public ListControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kListBox;
  ListBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);
  // The selected item, "" when none.
  std::string Text();
};

class ComboBox : public ListControl {
 public:
  static constexpr ControlKind kKind = ControlKind::kComboBox;
  static constexpr int kDropDownCombo = 0;
  static constexpr int kDropDownList = 2;
  ComboBox(Form& form, std::string name, int index, const Rect& rect, const Design& design);

  // The edit part. Assigning a different text fires Change. A pick from the list sets the
  // text and fires Click, not Change.
  std::string Text();
  void SetText(const std::string& text);
  int SelStart();
  void SetSelStart(int v);
  int SelLength();
  void SetSelLength(int v);
  std::string SelText();
  bool Locked();
  void SetLocked(bool v);
  int Style() const { return style_; }
  bool Editable() const { return style_ != kDropDownList; }

  const TextField& Field() const { return field_; }
  TextField& MutableField() { return field_; }
  // The user typed: the text no longer is the picked item (no Click).
  void ForgetListIndex() {
    if (CurrentIndex() >= 0 && Items()[CurrentIndex()] != field_.Text()) ClearIndexQuietly();
  }

 protected:
  void ResetToDesign() override;
  void OnListIndexChanged() override;

 private:
  TextField field_;
  int style_ = kDropDownCombo;
  bool locked_ = false;
};

}  // namespace forms

#endif  // FRELANE_PLATFORM_FORMS_LIST_CONTROLS_H_
