// Loading the hits of a lane from the text lane file (kinds L, T and A).
#ifndef TOLV32DLL_LANES_TEXT_LANES_H_
#define TOLV32DLL_LANES_TEXT_LANES_H_

#include <string>
#include <vector>

#include "tolv32dll/errors/error_numbers.h"
#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/lanes/text_lane_file.h"
#include "tolv32dll/tariff/tariff_options.h"

namespace tolv {

struct TextLaneTerms {
  LaneKind kind = LaneKind::kL;
  char method_letter = ' ';     // the rate-method letter
  char rate_kind_letter = ' ';  // byte 9 of the rate record
  std::string origin_zip;
  std::string destination_zip;
};

// The option lines set the break lists: the first BRKS, a second one BRK2 (BRKS staying as
// the first line set it).
ErrorNumber ApplyTextLaneOptions(const TextLaneFile& file, FactorOptions& options);
// The same for option lines of any lane file (at most the first two are read).
ErrorNumber ApplyLaneOptionLines(const std::vector<std::string>& lines, FactorOptions& options);

// Fills the area lists and the hits of the lane (list A, or list B for method letters 'I'
// and 'K' and for kind T), sorted: kind T by number, highest first; the others by code.
// A lane whose ZIP has no area line gets no hits. 235 when a fifteenth hit is added.
ErrorNumber LoadTextLaneHits(const TextLaneFile& file, const TextLaneTerms& terms,
                             LaneState& state);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_TEXT_LANES_H_
