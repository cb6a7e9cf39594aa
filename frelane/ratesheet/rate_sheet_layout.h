// What the page and export writers of a rate sheet read of its definition: the headline and
// direction, the checked classes and weight breaks with their captions, the page header
// lines and the footer's texts. The definition screen is the modal owner of the run and
// cannot change while it goes on, so the run takes this once when it starts.
//
// Texts are Windows-1252 bytes, one byte a column, as they are printed and exported.
#ifndef FRELANE_RATESHEET_RATE_SHEET_LAYOUT_H_
#define FRELANE_RATESHEET_RATE_SHEET_LAYOUT_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "frelane/ratesheet/rate_sheet_group.h"

namespace frelane::ratesheet {

struct RateSheetLayout {
  struct WeightBox {
    std::string caption;      // "L5C", "5C", "1M"; "" for a box the tariff does not use
    std::int32_t weight = 0;  // the break in lbs
    bool checked = false;
  };

  std::string headline_zip;  // as typed
  bool from_headline = true;
  // The class codes of the checked class boxes, in box order.
  std::vector<std::string> classes;
  // Every weight box, 1 to 9; only the first weight_break_count can be checked.
  std::array<WeightBox, kMaxWeightBreaks> weight_boxes{};
  int weight_break_count = 0;
  std::array<std::string, 4> header_lines{};
  std::string company_name;
  std::string effective_date_text;
};

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_RATE_SHEET_LAYOUT_H_
