// A sideline range of a rate sheet: two 3-character prefixes, low and high, walked one
// prefix at a time.
#ifndef FRELANE_RATESHEET_SIDELINE_PAIR_H_
#define FRELANE_RATESHEET_SIDELINE_PAIR_H_

#include <string>
#include <string_view>

namespace frelane::ratesheet {

enum class PairCheck { kOk, kInvalidLow, kInvalidHigh, kLowAboveHigh };

// A filled pair can be walked when both ends are valid 3-character prefixes of one kind
// (both US or both Canadian) and low does not sort after high.
PairCheck CheckSidelinePair(std::string_view low, std::string_view high);

// Steps `prefix` to the next one of the pair; false when the walk of the pair is done: the
// next prefix sorts after `high`, or it is not above the current one (the numeric end
// wraps from "999", a text of another length does not step), so every walk ends.
bool StepWithinPair(std::string& prefix, std::string_view high);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_SIDELINE_PAIR_H_
