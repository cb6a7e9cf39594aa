#include "frelane/ratesheet/row_text.h"

#include <algorithm>

#include "frelane/core/field_helpers.h"
#include "frelane/core/geography.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/format.h"

namespace frelane::ratesheet {

std::string RightIn(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), ' ') + std::string(text);
}

std::string Mid(std::string_view text, std::size_t start, std::size_t length) {
  if (start < 1 || start > text.size()) return "";
  return std::string(text.substr(start - 1, length));
}

std::string ClassCaption3(std::string_view caption) {
  const std::string padded = "   " + std::string(caption);
  return padded.substr(padded.size() - 3);
}

std::string RateCell(const RateSheetGroup& row, std::string_view class_code,
                     const RateSheetLayout::WeightBox& box, std::size_t width) {
  const std::optional<std::int32_t> rate = row.RateFor(class_code, box.weight);
  if (!rate) return std::string(width, ' ');
  return RightIn(std::to_string(*rate), width);
}

std::string BracketList(const RateSheetGroup& row) {
  const int count = std::clamp<int>(row.BracketCount, 0, kBrackets);
  std::string list;
  for (int k = 0; k < count; ++k) {
    const std::string flag = Mid(row.BracketFlags, static_cast<std::size_t>(k) + 1, 1);
    const double kind = modMain::SafeValue(flag);
    const std::int32_t weight = row.BracketWeights[k];
    std::string label;
    if (kind == 0 && weight <= 0) {
      label = "SSMC";
    } else if (weight == 0) {
      label = "MC";
    } else {
      label = ">" + std::to_string(static_cast<std::int64_t>(weight) - 1) + " ";
    }
    list += "[" + label + " " + runtime::Format(row.BracketCharges[k] / 100.0, "0.00") + "]";
  }
  return list;
}

std::string StateOfPrefix(std::string_view text) {
  return runtime::FitToWidth(
      modMain::StateOrProvince(text.substr(0, std::min<std::size_t>(3, text.size()))), 2);
}

}  // namespace frelane::ratesheet
