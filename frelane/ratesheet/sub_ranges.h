// The sub-ranges a sideline prefix is rated in: the tariff's zip blocks of the prefix,
// split further at every start and end of the zip-discount ranges that touch the lane, so
// that each sub-range has one tariff block and one discount.
#ifndef FRELANE_RATESHEET_SUB_RANGES_H_
#define FRELANE_RATESHEET_SUB_RANGES_H_

#include <string>
#include <string_view>
#include <vector>

#include "frelane/ratesheet/run_state.h"

namespace frelane::ratesheet {

// The ranges sorted, each clipped to start after the end of the one before it, and those
// left empty dropped: no suffix lies in two ranges.
std::vector<SuffixRange> SortedWithoutOverlap(std::vector<SuffixRange> ranges);

// Every suffix that lies in a block or in a discount range, in ascending order, split at
// each start and end of either list; suffixes in neither are left out. REQUIRES: both
// lists sorted without overlap (SortedWithoutOverlap).
std::vector<SuffixRange> MergeSubRanges(const std::vector<SuffixRange>& blocks,
                                        const std::vector<SuffixRange>& discounts,
                                        std::string_view prefix);

// The sideline part of each live ZipDisc.dat record whose ranges hold the lane (origin and
// destination as the lane set them: the headline and the 3-character prefix), clipped to
// the prefix, sorted and without overlap. The sideline is the destination when
// `from_headline`, else the origin. A missing or unreadable file gives none.
std::vector<SuffixRange> LoadZipDiscountRanges(const std::string& path, std::string_view origin,
                                               std::string_view destination,
                                               std::string_view prefix, bool from_headline);

}  // namespace frelane::ratesheet

#endif  // FRELANE_RATESHEET_SUB_RANGES_H_
