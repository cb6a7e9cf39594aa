#include "frelane/ratesheet/weight_captions.h"

#include "platform/runtime/conversions.h"

namespace frelane::ratesheet {

std::string WeightCaption(std::int32_t weight) {
  return weight < 1000 ? runtime::CStr(weight / 100.0) + "C"
                       : runtime::CStr(weight / 1000.0) + "M";
}

std::vector<std::string> WeightBoxCaptions(std::span<const std::int32_t> breaks,
                                           std::int32_t spot_limit) {
  std::vector<std::string> captions;
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    if (spot_limit != 0 && breaks[i] > spot_limit) break;
    if (i == 0) {
      captions.push_back("L" + WeightCaption(breaks.size() > 1 ? breaks[1] : 0));
    } else {
      captions.push_back(WeightCaption(breaks[i]));
    }
  }
  return captions;
}

}  // namespace frelane::ratesheet
