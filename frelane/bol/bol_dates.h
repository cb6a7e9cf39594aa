// The date rule of a bill of lading: blank, or a real calendar date written month, day,
// year with "/" or "-" after the month and the day ("12/08/2026", "12-08-2026").
#ifndef FRELANE_BOL_BOL_DATES_H_
#define FRELANE_BOL_BOL_DATES_H_

#include <string_view>

namespace frelane::bol {

// True for a blank text or a valid date. The text is taken as it stands: a blank in front
// moves the separators and fails. The year has four digits (0001 to 9999); the date is read
// as month/day/year on the proleptic Gregorian calendar, whatever the locale.
bool IsValidShipDate(std::string_view text);

}  // namespace frelane::bol

#endif  // FRELANE_BOL_BOL_DATES_H_
