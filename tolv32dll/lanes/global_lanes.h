// The lanes of kind G: E records found through the area and pair tables of the record-form
// lane file (layouts in lane_records.h), and the E records that a rate basis of point type
// 'N' names by number.
#ifndef TOLV32DLL_LANES_GLOBAL_LANES_H_
#define TOLV32DLL_LANES_GLOBAL_LANES_H_

#include <array>
#include <cstdint>
#include <string>

#include "tolv32dll/errors/result.h"
#include "tolv32dll/lanes/lane_state.h"
#include "tolv32dll/points/file_view.h"

namespace tolv {

struct GlobalLaneTerms {
  std::string origin_zip;
  std::string destination_zip;
  std::string rate_text;  // the rate record's 7 characters of the check key
};

// Appends the 660-byte E record of this number (its position is number x 660) while the
// list has room; false when there is no such record.
bool AddERecord(const FileView& adjustments, std::int32_t number, LaneState& state);

// Point type 'N': the E records of the three numbers that are not -1.
void LoadLanePointRecords(const FileView& adjustments, const std::array<std::int32_t, 3>& numbers,
                          LaneState& state);

// Kind G. base_u and base_v are ".U" and ".V" (null when they could not be opened; ".U"
// serves both ends without ".V"). Errors: 232 for a head or table that does not fit the
// file, 278 when the lanes are keyed by areas and ".U" is missing.
ErrorNumber LaneAdj_LoadGlobal(const FileView& lanes, const FileView* base_u,
                               const FileView* base_v, const FileView& adjustments,
                               const GlobalLaneTerms& terms, LaneState& state);

}  // namespace tolv

#endif  // TOLV32DLL_LANES_GLOBAL_LANES_H_
