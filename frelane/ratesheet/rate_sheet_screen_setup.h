// Hands the rate-sheet screen to the rating screen's menu: the definition screen with the run
// dialog behind its Print.
#ifndef FRELANE_RATESHEET_RATE_SHEET_SCREEN_SETUP_H_
#define FRELANE_RATESHEET_RATE_SHEET_SCREEN_SETUP_H_

namespace frelane {

class frmRateSheet;

// Print of the screen, once the intrastate tariffs are chosen, shows the run dialog modal.
void ConnectRateSheetDialogs(frmRateSheet& sheet);

// File > Rate Sheet and its toolbar button show the connected screen modal.
void InstallRateSheetScreen();

}  // namespace frelane

#endif  // FRELANE_RATESHEET_RATE_SHEET_SCREEN_SETUP_H_
