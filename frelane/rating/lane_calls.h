// What the lane rating asks of procedures that other parts of the rating screen provide:
// the mileage of the lane, the terminal service days, and the accessorial-charge dialog
// after the destination. Each forwards to its owner.
#ifndef FRELANE_RATING_LANE_CALLS_H_
#define FRELANE_RATING_LANE_CALLS_H_

namespace frelane {

class frmRatingScreen;

namespace lane_calls {

// The lane's highway miles from the engine; negative when there are none.
double LaneMileage();
// Terminal mode: the days between the points' terminals and the service type, shown.
void ShowTerminalServiceDays(frmRatingScreen& screen);
// The accessorial-charge dialog, modal.
void ShowAccessorialCharges();

}  // namespace lane_calls
}  // namespace frelane

#endif  // FRELANE_RATING_LANE_CALLS_H_
