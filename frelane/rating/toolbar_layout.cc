#include "frelane/rating/toolbar_layout.h"

namespace frelane {

namespace {

constexpr int kFirstLeft = 75;
constexpr int kButtonStep = 315;
constexpr int kGroupGap = 90;  // a group starts kButtonStep + kGroupGap after the last

bool AlwaysShown(int button) {
  switch (button) {
    case kToolReset:
    case kToolCalculator:
    case kToolPrint:
    case kToolExport:
    case kToolDefaults:
    case kToolExportSetup:
    case kToolRateBlockAlternation:
    case kToolHelpContents:
      return true;
    default:
      return false;
  }
}

bool StartsGroup(int button) {
  return button == kToolAccessorialCharges || button == kToolMap || button == kToolHelpContents;
}

}  // namespace

std::array<ToolbarPlacement, kToolButtonCount> ArrangeToolbarButtons(const ToolbarOffer& offer) {
  std::array<ToolbarPlacement, kToolButtonCount> placements;
  placements[kToolReset] = {kFirstLeft, ToolbarVisibility::kShow};
  int x = kFirstLeft;
  for (int button = kToolReset + 1; button < kToolButtonCount; ++button) {
    // A group's gap is taken even when its first button is hidden.
    if (StartsGroup(button)) x += kGroupGap;
    bool shown = AlwaysShown(button) || offer[button];
    ToolbarPlacement& placement = placements[button];
    if (!shown) {
      placement.visibility = ToolbarVisibility::kHide;
      continue;
    }
    x += kButtonStep;
    placement.left = x;
    placement.visibility =
        button == kToolWebSite ? ToolbarVisibility::kLeave : ToolbarVisibility::kShow;
  }
  return placements;
}

}  // namespace frelane
