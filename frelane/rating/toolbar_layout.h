// Where the rating screen's toolbar buttons go. Buttons stand 315 twips apart from the
// first at 75; a group (File, Edit, View, Help) starts 405 after the last button of the
// group before; a hidden optional button takes no room.
#ifndef FRELANE_RATING_TOOLBAR_LAYOUT_H_
#define FRELANE_RATING_TOOLBAR_LAYOUT_H_

#include <array>

namespace frelane {

// The toolbar's buttons in their order.
enum ToolbarButton : int {
  kToolReset,
  kToolBillOfLading,
  kToolCalculator,
  kToolCityLookup,
  kToolRateSheet,
  kToolPrint,
  kToolExport,
  kToolAccessorialCharges,
  kToolDefaults,
  kToolExportSetup,
  kToolFak,
  kToolMap,
  kToolRateBlockAlternation,
  kToolRules,
  kToolTerminalInformation,
  kToolWebSite,
  kToolHelpContents,
  kToolButtonCount,
};

enum class ToolbarVisibility { kShow, kHide, kLeave };

struct ToolbarPlacement {
  int left = 0;  // twips; meaningless for a hidden button
  ToolbarVisibility visibility = ToolbarVisibility::kShow;
};

// What the settings offer: one flag per button. Buttons that are always there ignore their
// flag. The web-site button is placed when offered but keeps the visibility it has.
using ToolbarOffer = std::array<bool, kToolButtonCount>;

std::array<ToolbarPlacement, kToolButtonCount> ArrangeToolbarButtons(const ToolbarOffer& offer);

}  // namespace frelane

#endif  // FRELANE_RATING_TOOLBAR_LAYOUT_H_
