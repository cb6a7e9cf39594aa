// The captions of a rate sheet's weight-break boxes, from the tariff's breaks in pounds:
// hundreds as "C" ("5C" for 500 lbs), thousands as "M" ("2M"); the first break, which means
// "less than the second", is labelled by the second ("L5C").
#ifndef FRELANE_RATESHEET_WEIGHT_CAPTIONS_H_
#define FRELANE_RATESHEET_WEIGHT_CAPTIONS_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace frelane::ratesheet {

// One caption per shown box: the breaks in order up to the first that is above the
// spot-quote weight limit (a limit of 0 sets none).
std::vector<std::string> WeightBoxCaptions(std::span<const std::int32_t> breaks,
                                           std::int32_t spot_limit);

// The caption of one break weight without the "L" of the first box.
std::string WeightCaption(std::int32_t weight);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_WEIGHT_CAPTIONS_H_
