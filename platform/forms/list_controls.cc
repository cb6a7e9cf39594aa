#include "platform/forms/list_controls.h"

#include <algorithm>

#include "platform/runtime/error.h"

namespace forms {
namespace {

// A row is the font's line, a fifth above its size, within a pixel's border: the rows the
// Qt view draws.
constexpr double kRowTwipsPerPoint = 24.0;
constexpr int kListBorderTwips = 2 * kTwipsPerPixel;

}  // namespace

ListControl::ListControl(Form& form, ControlKind kind, std::string name, int index,
                         const Rect& rect, const Design& design)
    : Control(form, kind, std::move(name), index, rect, design) {
  ListControl::ResetToDesign();
}

void ListControl::ResetToDesign() {
  Control::ResetToDesign();
  items_ = DesignValues().list;
  item_data_.assign(items_.size(), 0);
  ++items_revision_;
  list_index_ = -1;
  new_index_ = -1;
}

void ListControl::ReplaceItems(std::vector<std::string> items) {
  items_ = std::move(items);
  item_data_.assign(items_.size(), 0);
  ++items_revision_;
  list_index_ = -1;
  new_index_ = -1;
  Notify(Property::kList);
}

void ListControl::AddItem(const std::string& item, int index) {
  Touch();
  int count = static_cast<int>(items_.size());
  if (index > count || index < -1) runtime::Raise(5);
  int at = index < 0 ? count : index;
  items_.insert(items_.begin() + at, item);
  item_data_.insert(item_data_.begin() + at, 0);
  ++items_revision_;
  new_index_ = at;
  if (list_index_ >= at) ++list_index_;
  Notify(Property::kList);
}

void ListControl::RemoveItem(int index) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size())) runtime::Raise(5);
  items_.erase(items_.begin() + index);
  item_data_.erase(item_data_.begin() + index);
  ++items_revision_;
  if (list_index_ == index) {
    list_index_ = -1;
  } else if (list_index_ > index) {
    --list_index_;
  }
  Notify(Property::kList);
}

void ListControl::Clear() {
  Touch();
  ReplaceItems({});
  OnListIndexChanged();
}

void ListControl::SetItems(std::vector<std::string> items, std::vector<int> item_data) {
  Touch();
  item_data.resize(items.size(), 0);
  ReplaceItems(std::move(items));
  item_data_ = std::move(item_data);
  if (!items_.empty()) new_index_ = static_cast<int>(items_.size()) - 1;
  OnListIndexChanged();
}

int ListControl::RowsByHeight() {
  const double row = std::max(1.0, FontSize() * kRowTwipsPerPoint);
  const int inside = Geometry().height - kListBorderTwips;
  return std::max(1, static_cast<int>(inside / row));
}

int ListControl::ListCount() {
  Touch();
  return static_cast<int>(items_.size());
}

std::string ListControl::List(int index) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size())) return "";
  return items_[index];
}

void ListControl::SetList(int index, const std::string& item) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    runtime::Raise(runtime::kErrInvalidPropertyArrayIndex);
  }
  items_[index] = item;
  ++items_revision_;
  Notify(Property::kList);
}

int ListControl::ItemData(int index) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    runtime::Raise(runtime::kErrInvalidPropertyArrayIndex);
  }
  return item_data_[index];
}

void ListControl::SetItemData(int index, int data) {
  Touch();
  if (index < 0 || index >= static_cast<int>(items_.size())) {
    runtime::Raise(runtime::kErrInvalidPropertyArrayIndex);
  }
  item_data_[index] = data;
}

int ListControl::NewIndex() {
  Touch();
  return new_index_;
}

int ListControl::ListIndex() {
  Touch();
  return list_index_;
}

void ListControl::SetListIndex(int index) {
  Touch();
  if (index < -1 || index >= static_cast<int>(items_.size())) {
    runtime::Raise(runtime::kErrInvalidPropertyValue);
  }
  if (index == list_index_) return;
  list_index_ = index;
  OnListIndexChanged();
  Notify(Property::kListIndex);
  Fire(on.Click);
}

ListBox::ListBox(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : ListControl(form, kKind, std::move(name), index, rect, design) {}

std::string ListBox::Text() { return List(ListIndex()); }

ComboBox::ComboBox(Form& form, std::string name, int index, const Rect& rect, const Design& design)
    : ListControl(form, kKind, std::move(name), index, rect, design) {
  ComboBox::ResetToDesign();
}

void ComboBox::ResetToDesign() {
  ListControl::ResetToDesign();
  style_ = DesignValues().style;
  locked_ = DesignValues().locked;
  field_.SetText(Editable() ? DesignValues().text : "");
}

void ComboBox::OnListIndexChanged() {
  int i = CurrentIndex();
  std::string text = i >= 0 ? Items()[i] : std::string();
  if (field_.Text() == text) return;
  field_.SetText(text);
  field_.SetSelLength(0);
  Notify(Property::kText);
}

std::string ComboBox::Text() {
  Touch();
  return field_.Text();
}

void ComboBox::SetText(const std::string& text) {
  Touch();
  if (!Editable()) {
    // A drop-down list only shows its items: the text selects the matching one.
    for (int i = 0; i < static_cast<int>(Items().size()); ++i) {
      if (Items()[i] == text) {
        SetListIndex(i);
        return;
      }
    }
    runtime::Raise(runtime::kErrInvalidPropertyValue);
  }
  if (field_.Text() == text) return;
  field_.SetText(text);
  Notify(Property::kText);
  Fire(on.Change);
}

int ComboBox::SelStart() {
  Touch();
  return field_.SelStart();
}
void ComboBox::SetSelStart(int v) {
  Touch();
  field_.SetSelStart(v);
  Notify(Property::kSelection);
}
int ComboBox::SelLength() {
  Touch();
  return field_.SelLength();
}
void ComboBox::SetSelLength(int v) {
  Touch();
  field_.SetSelLength(v);
  Notify(Property::kSelection);
}
std::string ComboBox::SelText() {
  Touch();
  return field_.SelText();
}
bool ComboBox::Locked() {
  Touch();
  return locked_;
}
void ComboBox::SetLocked(bool v) {
  Touch();
  locked_ = v;
  Notify(Property::kOther);
}

}  // namespace forms
