// The lane rating of a rate sheet: for one sideline prefix, the lane between the headline
// and the prefix is set up in the program's ShipmentRecord, the prefix is cut into
// sub-ranges (the tariff's zip blocks split at the zip-discount ranges), each sub-range is
// rated once through the engine by its first code, and the results are grouped into rows
// and handed to the writers when the prefix is done.
#ifndef FRELANE_RATESHEET_LANE_RATING_H_
#define FRELANE_RATESHEET_LANE_RATING_H_

#include <string>

#include "frelane/ratesheet/rate_sheet_definition.h"
#include "frelane/ratesheet/row_writer.h"
#include "frelane/ratesheet/run_state.h"

namespace frelane::ratesheet {

inline constexpr char kInvalidHeadlineZip[] = "Invalid Headline Zip";

class LaneRating {
 public:
  LaneRating(RateSheetRunState& run, RateSheetDefinition& definition, RateSheetRowWriter& writer)
      : run_(run), definition_(definition), writer_(writer) {}

  // Rates every sub-range of the prefix and hands its rows on. When the engine refuses the
  // headline it says "Invalid Headline Zip", stops the run and hands nothing on; any other
  // refused sub-range is left out. File errors (a missing zip block file) are raised as
  // run-time errors for the run's error handling.
  void RateLane(const std::string& prefix);

  // Sets both codes, the lane's states and its tariff in the ShipmentRecord and fills
  // run.SubRanges; none when no tariff is chosen.
  void BuildSubRanges(const std::string& prefix);

 private:
  RateSheetRunState& run_;
  RateSheetDefinition& definition_;
  RateSheetRowWriter& writer_;
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_LANE_RATING_H_
