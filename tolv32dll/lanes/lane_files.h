// The files the lane adjustments read, as the engine's file set opens them: the lane file
// ".L" (text or record form, read in place either way) and the adjustment records ".A"
// under the tariff's lane-adjustment file number, the bases of kind G and the side tables of
// the tariff.
#ifndef TOLV32DLL_LANES_LANE_FILES_H_
#define TOLV32DLL_LANES_LANE_FILES_H_

#include "tolv32dll/errors/result.h"
#include "tolv32dll/points/file_view.h"
#include "tolv32dll/points/rating_files.h"

namespace tolv {

class LaneFiles {
 public:
  virtual ~LaneFiles() = default;
  // ".L": 230.
  virtual Result<const FileView*> Lanes() = 0;
  // ".A": 231.
  virtual Result<const FileView*> Adjustments() = 0;
  // The bases ".U" and ".V" of kind G under the factor-file number; null when the file
  // cannot be opened.
  virtual const FileView* BaseU() = 0;
  virtual const FileView* BaseV() = 0;
  // The E base, E matrix and precedence files.
  virtual RatingFiles& side_tables() = 0;
};

}  // namespace tolv

#endif  // TOLV32DLL_LANES_LANE_FILES_H_
