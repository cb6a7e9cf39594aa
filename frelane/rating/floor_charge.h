// The lane's minimum-charge floor: the lowest net charge the customer pays for the lane in
// the ShipmentRecord. Either the floor the discount step chose (LaneMcFloor) plus the
// FloorAdd.dat addition for the lane, or the floor of the delivered floor matrix.
//
// Floor files of the data directory (read only):
//   FloorsUO.dat  10-byte ranges of origin codes; record i is matrix column i
//   FloorsUD.dat  10-byte ranges of destination codes; record j is matrix row j
//   FloorsM.dat   1-byte cells, cell (j, i) = record (j - 1) x columns + i: an index into
//                 FloorsUF.dat; blank or 0 = no cell
//   FloorsUF.dat  4-byte records, the floor in cents (i32)
//   FloorAdd.dat  text lines: columns 1-5 and 6-10 origin low and high, 11-15 and 16-20
//                 destination low and high, 21-26 the addition in cents
#ifndef FRELANE_RATING_FLOOR_CHARGE_H_
#define FRELANE_RATING_FLOOR_CHARGE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os/record_layout.h"

namespace frelane {

namespace floors {
inline constexpr char kOriginRangesFile[] = "FloorsUO.dat";
inline constexpr char kDestinationRangesFile[] = "FloorsUD.dat";
inline constexpr char kMatrixFile[] = "FloorsM.dat";
inline constexpr char kAmountsFile[] = "FloorsUF.dat";
inline constexpr char kAdditionsFile[] = "FloorAdd.dat";

// ZipRangeRecord: a code range, both ends included, compared as 5-character text.
inline constexpr os::Field kLowZip = os::TextField(0, 5);
inline constexpr os::Field kHighZip = os::TextField(5, 5);
inline constexpr std::size_t kRangeRecordSize = 10;
static_assert(os::FieldsTile({kLowZip, kHighZip}, kRangeRecordSize));

inline constexpr os::Field kAmountCents = os::I32Field(0);
inline constexpr std::size_t kAmountRecordSize = 4;
static_assert(os::FieldsTile({kAmountCents}, kAmountRecordSize));

// The floor of the matrix for a lane, in dollars, searched in `directory` (ending in "/"):
// the origin against the column ranges and the destination against the row ranges, then,
// when that finds no cell, the two swapped. No value when no cell covers the lane or its
// index lies past the end of FloorsUF.dat.
std::optional<double> MatrixFloor(const std::string& directory, std::string_view origin_zip,
                                  std::string_view destination_zip);

// The FloorAdd.dat addition in dollars of the first line covering the lane; 0 when the file
// is absent or no line covers it.
double FloorAdditionFor(const std::string& path, std::string_view origin_zip,
                        std::string_view destination_zip);
}  // namespace floors

namespace modMain {

// The lane's floor in dollars (0 when none); sets Lane().FloorAddition to the FloorAdd.dat
// amount it added. Reads the lane's codes from the ShipmentRecord.
double GetFloorCharge();
// The FloorAdd.dat amount in dollars for the lane of the ShipmentRecord.
double GetFloorAddition();

}  // namespace modMain

}  // namespace frelane

#endif  // FRELANE_RATING_FLOOR_CHARGE_H_
