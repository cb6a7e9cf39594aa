// The pieces of text that the printed rate sheet and its export file build their rows from:
// fixed-width fields, the class caption, a cell's rate, the bracket list and the state of a
// prefix.
#ifndef FRELANE_RATESHEET_ROW_TEXT_H_
#define FRELANE_RATESHEET_ROW_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "frelane/ratesheet/rate_sheet_group.h"
#include "frelane/ratesheet/rate_sheet_layout.h"

namespace frelane::ratesheet {

// Blank-padded on the left to `width`; a longer text is kept whole, so that a number is
// never shown cut to a wrong value.
std::string RightIn(std::string_view text, std::size_t width);
// Characters `start` (from 1) to start + length - 1 of the text; what lies past its end is
// left out.
std::string Mid(std::string_view text, std::size_t start, std::size_t length);

// The last 3 characters of three blanks followed by the caption.
std::string ClassCaption3(std::string_view caption);

// The rate of the row for a class code and a weight box, right-aligned in `width`; blanks
// when the lane's tariff has no such class or break.
std::string RateCell(const RateSheetGroup& row, std::string_view class_code,
                     const RateSheetLayout::WeightBox& box, std::size_t width);

// The row's minimum-charge brackets: "[SSMC 85.00][MC 85.00][>199  85.00]".
std::string BracketList(const RateSheetGroup& row);

// The state or province of the first 3 characters of a text, 2 characters.
std::string StateOfPrefix(std::string_view text);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_ROW_TEXT_H_
