#include "platform/forms/testing/layout_check.h"

#include <algorithm>

#include "platform/forms/control.h"

namespace forms::testing {
namespace {

// A frame's border and caption take this much of its edges, twips.
constexpr int kFrameBorder = 15;

bool HasWindow(const Control& c) {
  switch (c.Kind()) {
    case ControlKind::kLabel:
    case ControlKind::kImage:
    case ControlKind::kLine:
    case ControlKind::kTimer:
    case ControlKind::kMenu:
      return false;
    default:
      return true;
  }
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

bool Inside(const Rect& r, const Rect& area) {
  return r.left >= area.left && r.top >= area.top &&
         r.left + r.width <= area.left + area.width && r.top + r.height <= area.top + area.height;
}

// Where a container's controls may lie, in the container's own twips.
Rect InsideOf(Form& form, const Control* container) {
  if (container == nullptr) return {0, 0, form.ScaleWidth(), form.ScaleHeight()};
  const Rect& r = container->Geometry();
  return {kFrameBorder, kFrameBorder, r.width - 2 * kFrameBorder, r.height - 2 * kFrameBorder};
}

}  // namespace

std::vector<std::string> LayoutFaults(Form& form) {
  std::vector<const Control*> shown;
  std::vector<std::string> faults;
  for (Control* c : form.Controls()) {
    const Rect& r = c->Geometry();
    if (!HasWindow(*c) || !c->IsShown() || r.width <= 0 || r.height <= 0) continue;
    const Rect area = InsideOf(form, c->Container());
    if (!Overlap(r, area)) continue;  // parked out of sight
    shown.push_back(c);
    if (!Inside(r, area)) {
      faults.push_back(c->DisplayName() + " reaches past " +
                       (c->Container() ? c->Container()->DisplayName() : form.Name()));
    }
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const Control& a = *shown[i];
      const Control& b = *shown[j];
      if (a.Container() == b.Container() && Overlap(a.Geometry(), b.Geometry())) {
        faults.push_back(a.DisplayName() + " overlaps " + b.DisplayName());
      }
    }
  }
  return faults;
}

}  // namespace forms::testing
