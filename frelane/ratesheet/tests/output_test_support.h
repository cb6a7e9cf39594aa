// Test support of the rate-sheet output tests: the layout and rows of the hand-worked sheet,
// and the printed document as text (each page's lines, pages separated by a form feed line).
#ifndef FRELANE_RATESHEET_TESTS_OUTPUT_TEST_SUPPORT_H_
#define FRELANE_RATESHEET_TESTS_OUTPUT_TEST_SUPPORT_H_

#include <string>
#include <vector>

#include "frelane/ratesheet/rate_sheet_group.h"
#include "frelane/ratesheet/rate_sheet_layout.h"
#include "platform/print/display_list_text.h"

namespace frelane::ratesheet::testing {

inline std::string DocumentText(const print::Document& document) {
  std::string text;
  for (std::size_t p = 0; p < document.pages.size(); ++p) {
    if (p > 0) text += "\f\n";
    for (const std::string& line : print::PageLines(document.pages[p])) text += line + "\n";
  }
  return text;
}

inline std::vector<std::vector<std::string>> DocumentPages(const print::Document& document) {
  std::vector<std::vector<std::string>> pages;
  for (const print::Page& page : document.pages) pages.push_back(print::PageLines(page));
  return pages;
}

// Headline 30301 (GA) as origin; classes 100 and 92; weight boxes 1, 2, 3 and 5 of six.
inline RateSheetLayout SampleLayout() {
  RateSheetLayout layout;
  layout.headline_zip = "30301";
  layout.from_headline = true;
  layout.classes = {"100", "92"};
  const char* captions[] = {"L5C", "5C", "1M", "2M", "5M", "10M"};
  const std::int32_t weights[] = {0, 500, 1000, 2000, 5000, 10000};
  for (int i = 0; i < 6; ++i) {
    layout.weight_boxes[i] = {captions[i], weights[i], i != 3 && i != 5};
  }
  layout.weight_break_count = 6;
  layout.header_lines = {"EXAMPLE FREIGHT RATES", "", "  ATLANTA ", ""};
  layout.company_name = "Example Freight   ";
  layout.effective_date_text = "EFFECTIVE 01-01-2027";
  return layout;
}

inline TableShape Shape(std::vector<std::string> classes) {
  TableShape shape;
  shape.class_count = static_cast<int>(classes.size());
  for (std::size_t i = 0; i < classes.size(); ++i) shape.class_codes[i] = classes[i];
  const std::int32_t weights[] = {0, 500, 1000, 2000, 5000, 10000};
  shape.weight_break_count = 6;
  for (int k = 0; k < 6; ++k) shape.weight_breaks[k] = weights[k];
  return shape;
}

// One result row over the whole prefix range, one minimum charge of 85.00.
inline RateSheetGroup RowA(std::string prefix_text = "300-302") {
  RateSheetGroup g;
  g.PrefixText = std::move(prefix_text);
  g.ZipText = "00-99";
  g.Shape = Shape({"100", "85", "92"});
  const std::int32_t rates[3][6] = {{1234, 1100, 980, 900, 815, 700},
                                    {1, 2, 3, 4, 5, 6},
                                    {1310, 1175, 1050, 990, 870, 760}};
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < 6; ++k) g.Rates[r * 6 + k] = rates[r][k];
  }
  g.BracketCount = 1;
  g.BracketFlags = "1" + std::string(29, ' ');
  g.BracketCharges[0] = 8500;
  g.RateBasis = "       1203";
  return g;
}

// A split row on a tariff without class 92: three brackets, a rate of 7 digits.
inline RateSheetGroup RowB(std::string zip_text = "00-49,60-99") {
  RateSheetGroup g;
  g.PrefixText = "303-303";
  g.ZipText = std::move(zip_text);
  g.Shape = Shape({"100", "85"});
  const std::int32_t rates[6] = {2345, 2100, 1990, 1800, 1234567, 1000};
  for (int k = 0; k < 6; ++k) g.Rates[k] = rates[k];
  g.BracketCount = 3;
  g.BracketFlags = "011" + std::string(27, ' ');
  g.BracketWeights[2] = 200;
  g.BracketCharges[0] = 7500;
  g.BracketCharges[1] = 8000;
  g.BracketCharges[2] = 8500;
  g.RateBasis = "       1188";
  return g;
}

}  // namespace frelane::ratesheet::testing

#endif  // FRELANE_RATESHEET_TESTS_OUTPUT_TEST_SUPPORT_H_
