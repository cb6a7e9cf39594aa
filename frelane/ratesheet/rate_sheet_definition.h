// What a rate-sheet run reads of the sheet's definition while it rates: the headline and
// the direction, taken live from the definition screen at each use.
#ifndef FRELANE_RATESHEET_RATE_SHEET_DEFINITION_H_
#define FRELANE_RATESHEET_RATE_SHEET_DEFINITION_H_

#include <string>

namespace frelane::ratesheet {

class RateSheetDefinition {
 public:
  virtual ~RateSheetDefinition() = default;
  // The headline postal code as typed.
  virtual std::string HeadlineZip() = 0;
  // True for "From Headline" (the headline is the origin of every lane), false for "To
  // Headline".
  virtual bool FromHeadline() = 0;
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_RATE_SHEET_DEFINITION_H_
