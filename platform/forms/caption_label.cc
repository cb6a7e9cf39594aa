#include "platform/forms/caption_label.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "platform/forms/form.h"

namespace forms {
namespace {

// Twips a label may reach into the box and still lie before it: a caption's width is often
// drawn a few pixels long on the left, about a pixel on the top.
constexpr int kLeftOverlap = 120;
constexpr int kTopOverlap = 30;
// The most space between a heading and the caption it stands over.
constexpr int kHeadingGap = 120;

int Right(const Rect& r) { return r.left + r.width; }
int Bottom(const Rect& r) { return r.top + r.height; }

bool Overlaps(int a_begin, int a_end, int b_begin, int b_end) {
  return a_begin < b_end && b_begin < a_end;
}

bool IsCaption(Control& c, const Control& box) {
  if (c.Kind() != ControlKind::kLabel || c.Container() != box.Container()) return false;
  const std::string& caption = static_cast<Label&>(c).CaptionValue();
  return std::any_of(caption.begin(), caption.end(),
                     [](unsigned char ch) { return std::isalnum(ch) != 0 || ch >= 0x80; });
}

bool SameArray(const Control& a, const Control& b) {
  return a.Index() >= 0 && b.Index() >= 0 && a.Name() == b.Name();
}

// A control that would stand between a caption and its box: one the user works with.
bool TakesInput(Control& c) { return c.IsFocusableKind() && c.Visible(); }

// The label's row is the box's: its middle lies within the box's height.
bool OnRowOf(const Rect& label, const Rect& box) {
  const int middle = label.top + label.height / 2;
  return middle >= box.top && middle < Bottom(box);
}

bool Above(const Rect& upper, const Rect& lower) {
  return Bottom(upper) <= lower.top + kTopOverlap &&
         Overlaps(upper.left, Right(upper), lower.left, Right(lower));
}

// Whether `c` stands between a caption and its box: it overlaps the span between them.
bool Between(Control& c, int left, int top, int right, int bottom) {
  const Rect& r = c.Geometry();
  return TakesInput(c) && Overlaps(r.left, Right(r), left, right) &&
         Overlaps(r.top, Bottom(r), top, bottom);
}

// The nearest captioned label left of the box on its row.
Label* NearestLeftLabel(Control& box) {
  const Rect& b = box.Geometry();
  Label* left = nullptr;
  for (Control* c : box.GetForm().Controls()) {
    if (!IsCaption(*c, box)) continue;
    const Rect& l = c->Geometry();
    if (Right(l) <= b.left + kLeftOverlap && l.left < b.left && OnRowOf(l, b) &&
        (left == nullptr || Right(l) > Right(left->Geometry()))) {
      left = static_cast<Label*>(c);
    }
  }
  return left;
}

// Whether a control other than `box` that takes input stands between `label` and the box on
// its row; `passable` are those that do not count.
template <typename Passable>
bool BlockedOnRow(Control& box, Label& label, Passable passable) {
  const Rect& b = box.Geometry();
  for (Control* c : box.GetForm().Controls()) {
    if (c != &box && c->Container() == box.Container() &&
        Between(*c, Right(label.Geometry()), b.top, b.left, Bottom(b)) && !passable(*c)) {
      return true;
    }
  }
  return false;
}

// The nearest captioned label left of the box on its row, with nothing between them.
Label* LeftCaption(Control& box) {
  Label* left = NearestLeftLabel(box);
  if (left == nullptr || BlockedOnRow(box, *left, [](Control&) { return false; })) return nullptr;
  return left;
}

// A label that captions a box beside it (shown or not) is that row's caption: not a column
// heading, nor a heading over other captions.
bool CaptionsARow(Label& label) {
  const Rect& l = label.Geometry();
  for (Control* c : label.GetForm().Controls()) {
    if (c->Container() == label.Container() && c->IsFocusableKind() &&
        OnRowOf(l, c->Geometry()) && l.left < c->Geometry().left && LeftCaption(*c) == &label) {
      return true;
    }
  }
  return false;
}

bool IsBox(const Control& c) {
  return c.Kind() == ControlKind::kTextBox || c.Kind() == ControlKind::kComboBox;
}

// A box standing exactly over or under another, as the cells of a column of a grid do.
bool SameColumn(const Control& a, const Control& b) {
  return IsBox(a) && IsBox(b) && a.Geometry().left == b.Geometry().left &&
         a.Geometry().width == b.Geometry().width;
}

// The nearest captioned label above the box that is no row's caption, with nothing between
// them but other elements of the box's own array (or, for a grid's column heading, other
// boxes of its column).
Label* CaptionAbove(Control& box, bool through_column) {
  const Rect& b = box.Geometry();
  Label* above = nullptr;
  for (Control* c : box.GetForm().Controls()) {
    if (!IsCaption(*c, box) || !Above(c->Geometry(), b)) continue;
    if (above != nullptr && Bottom(c->Geometry()) <= Bottom(above->Geometry())) continue;
    if (!CaptionsARow(static_cast<Label&>(*c))) above = static_cast<Label*>(c);
  }
  if (above == nullptr) return nullptr;
  for (Control* c : box.GetForm().Controls()) {
    if (c != &box && c->Container() == box.Container() && !SameArray(*c, box) &&
        !(through_column && SameColumn(*c, box)) &&
        Between(*c, b.left, Bottom(above->Geometry()), Right(b), b.top)) {
      return nullptr;
    }
  }
  return above;
}

// A grid of boxes, a caption left of each row and a heading over each column, names each box
// by both ("Origin" "High"). The row's caption may stand beyond other cells of its row.
bool InGrid(Control& box, Label** row, Label** column) {
  *column = CaptionAbove(box, true);
  if (*column == nullptr) return false;
  *row = NearestLeftLabel(box);
  if (*row == nullptr) return false;
  const Rect& r = (*row)->Geometry();
  const Rect& h = (*column)->Geometry();
  // A heading that reaches over the row's caption heads the rows, not a column.
  if (Overlaps(r.left, Right(r), h.left, Right(h))) return false;
  return !BlockedOnRow(box, **row, [](Control& c) {
    return IsBox(c) && CaptionAbove(c, true) != nullptr && NearestLeftLabel(c) != nullptr;
  });
}

Label* HeadingOver(Label& caption, Control& box) {
  const Rect& below = caption.Geometry();
  for (Control* c : box.GetForm().Controls()) {
    if (c == &caption || !IsCaption(*c, box)) continue;
    const Rect& h = c->Geometry();
    if (Above(h, below) && below.top - Bottom(h) <= kHeadingGap &&
        !CaptionsARow(static_cast<Label&>(*c))) {
      return static_cast<Label*>(c);
    }
  }
  return nullptr;
}

std::string ShownCaption(const Label& label) {
  const std::string& caption = label.CaptionValue();
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  const auto first = shown.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return shown.substr(first, shown.find_last_not_of(' ') - first + 1);
}

}  // namespace

BoxCaption CaptionOf(Control& box) {
  Label* row = nullptr;
  Label* column = nullptr;
  if (InGrid(box, &row, &column)) return {column, HeadingOver(*column, box), row};
  Label* label = LeftCaption(box);
  if (label == nullptr) label = CaptionAbove(box, false);
  if (label == nullptr) return {};
  return {label, HeadingOver(*label, box)};
}

std::string CaptionName(const BoxCaption& caption) {
  if (caption.label == nullptr) return "";
  std::string name;
  for (const Label* part : {caption.row, caption.heading, caption.label}) {
    if (part == nullptr) continue;
    if (!name.empty()) name += " ";
    name += ShownCaption(*part);
  }
  return name;
}

}  // namespace forms
